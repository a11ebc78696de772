#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>

namespace harvoline::testing {

enum class JpegKind { Baseline, Progressive, Greyscale, Cmyk };

// Encodes the picture with libjpeg. CMYK is written inverted, as Adobe applications do.
QByteArray EncodeJpeg(const QImage& picture, JpegKind kind);

// Encodes a picture of at most four colours as a GIF, which Qt cannot write.
QByteArray EncodeGif(const QImage& picture);

// The picture in a Qt format name ("JPG", "PNG", "BMP") or "GIF".
QByteArray EncodePicture(const QImage& picture, const char* format);

// A small picture of one colour.
QByteArray PictureBytes(const char* format, const QColor& colour = Qt::red);

} // namespace harvoline::testing
