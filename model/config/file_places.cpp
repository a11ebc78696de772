#include "model/config/file_places.h"

#include <QDir>
#include <QFileInfo>

namespace harvoline {

namespace {

QString WithSeparator(const QString& path) {
    return QDir::cleanPath(path) + u'/';
}

// An XDG base folder: the variable when it holds an absolute path, else its default
// under the home folder.
QString BaseFolder(const QProcessEnvironment& environment, const QString& variable,
                   const QString& underHome) {
    const QString value = environment.value(variable);
    if (QDir::isAbsolutePath(value)) {
        return value;
    }
    const QString home = environment.value(QStringLiteral("HOME"), QDir::homePath());
    return home + u'/' + underHome;
}

QString ShippedDataBeside(const QString& executableFolder) {
    const QDir folder(executableFolder);
    if (folder.dirName() != QStringLiteral("bin")) {
        return {};
    }
    const QString shipped = folder.absoluteFilePath(QStringLiteral("../share/harvoline"));
    return QFileInfo(shipped).isDir() ? WithSeparator(shipped) : QString();
}

} // namespace

FilePlaces::FilePlaces(const QString& executableFolder, const QProcessEnvironment& environment)
    : Own(executableFolder), Shipped(ShippedDataBeside(executableFolder)) {
    if (Shipped.isEmpty()) {
        Shipped = executableFolder;
        return;
    }
    const QString harvoline = QStringLiteral("/harvoline");
    Own = WithSeparator(
        BaseFolder(environment, QStringLiteral("XDG_CONFIG_HOME"), QStringLiteral(".config")) +
        harvoline);
    UserData = WithSeparator(
        BaseFolder(environment, QStringLiteral("XDG_DATA_HOME"), QStringLiteral(".local/share")) +
        harvoline);
}

void FilePlaces::MakeOwnFolder() const {
    if (Installed()) {
        QDir().mkpath(Own);
    }
}

QStringList FilePlaces::DataFolders(const QString& kind) const {
    QStringList folders;
    if (Installed()) {
        folders << UserData + kind + u'/';
    }
    folders << Shipped + kind + u'/';
    return folders;
}

QString FilePlaces::DataFolder(const QString& kind) const {
    const QStringList folders = DataFolders(kind);
    for (const QString& folder : folders) {
        if (!QDir(folder).entryList(QDir::Files).isEmpty()) {
            return folder;
        }
    }
    return folders.constFirst();
}

QString FilePlaces::DataFile(const QString& kind, const QString& fileName) const {
    for (const QString& folder : DataFolders(kind)) {
        if (QFileInfo(folder + fileName).isFile()) {
            return folder + fileName;
        }
    }
    return {};
}

FilePlaces ProgramFilePlaces(const QString& executableFolder) {
    return FilePlaces(executableFolder, QProcessEnvironment::systemEnvironment());
}

} // namespace harvoline
