#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace harvoline {

// Decodes a picture held in memory. The format is a file extension ("jpg", "png", "bmp",
// "gif", ...; any case): JPEG goes through libjpeg, the rest through Qt's readers. Raises
// HarvolineError saying why when the bytes are not a whole picture of that format.
QImage DecodePicture(const QByteArray& bytes, const QString& format);

// Loads a picture file, choosing the format by the file's extension. Raises
// HarvolineError naming the file and the reason when it cannot be read or decoded.
QImage LoadPictureFile(const QString& path);

} // namespace harvoline
