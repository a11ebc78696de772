#include "model/media/media_folder.h"

#include <QDir>

namespace harvoline {

QStringList FilesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
}

QString WithoutExtension(const QString& name) {
    const int dot = static_cast<int>(name.lastIndexOf(u'.'));
    return dot < 0 ? name : name.left(dot);
}

} // namespace harvoline
