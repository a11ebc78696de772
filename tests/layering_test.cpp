// The model builds without widgets: its library links Qt Core and TagLib only, so an include
// of a widget or GUI header is not found. A module-qualified spelling such as
// <QtWidgets/QWidget> would still be found through Qt's include folder; this catches it too.
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

QStringList ModelSources() {
    QStringList files;
    QDirIterator it(QStringLiteral(HARVOLINE_SOURCE_DIR "/model"), {"*.h", "*.cpp"}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        files << it.next();
    }
    return files;
}

QStringList Includes(const QString& path, QChar open) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    const QRegularExpression include(
        QStringLiteral(R"(^\s*#\s*include\s*%1([^>"]+)[>"])").arg(QRegularExpression::escape(open)),
        QRegularExpression::MultilineOption);
    QStringList names;
    for (const QRegularExpressionMatch& match : include.globalMatch(file.readAll())) {
        names << match.captured(1);
    }
    return names;
}

// A Qt header of Qt Core, in either spelling.
bool IsQtCoreHeader(const QString& name) {
    const QString coreFolder = QLibraryInfo::path(QLibraryInfo::HeadersPath) + "/QtCore/";
    if (name.startsWith("QtCore/")) {
        return true;
    }
    if (name.contains('/')) {
        return false;
    }
    return QFileInfo::exists(coreFolder + name);
}

} // namespace

TEST(ModelLayering, IncludesNoQtHeaderOutsideQtCore) {
    const QStringList sources = ModelSources();
    ASSERT_GT(sources.size(), 20);
    ASSERT_TRUE(IsQtCoreHeader("QObject"));
    ASSERT_FALSE(IsQtCoreHeader("QWidget"));
    ASSERT_FALSE(IsQtCoreHeader("QtWidgets/QWidget"));
    for (const QString& path : sources) {
        for (const QString& name : Includes(path, '<')) {
            if (name.startsWith('Q')) {
                EXPECT_TRUE(IsQtCoreHeader(name))
                    << path.toStdString() << ": <" << name.toStdString() << ">";
            }
        }
    }
}

TEST(ModelLayering, IncludesOnlyTheModelsOwnHeaders) {
    for (const QString& path : ModelSources()) {
        for (const QString& name : Includes(path, '"')) {
            EXPECT_TRUE(name.startsWith("model/"))
                << path.toStdString() << ": \"" << name.toStdString() << "\"";
        }
    }
}
