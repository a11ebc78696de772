#pragma once

#include <QString>
#include <QStringList>

namespace harvoline {

// The plain files of a folder, sorted by name so every system offers them in the same order.
QStringList FilesIn(const QString& folder);

// The extension is cut off the end only: "A.jpg - B.jpg" is "A.jpg - B".
QString WithoutExtension(const QString& name);

} // namespace harvoline
