#include "tests/support/picture_files.h"

#include <QBuffer>
#include <QList>
#include <algorithm>
#include <cstdio> // before jpeglib.h, which uses FILE
#include <cstdlib>
#include <gtest/gtest.h>
#include <jpeglib.h>
#include <vector>

namespace harvoline::testing {

namespace {

int Components(JpegKind kind) {
    switch (kind) {
    case JpegKind::Greyscale:
        return 1;
    case JpegKind::Cmyk:
        return 4;
    case JpegKind::Baseline:
    case JpegKind::Progressive:
        break;
    }
    return 3;
}

J_COLOR_SPACE ColorSpace(JpegKind kind) {
    switch (kind) {
    case JpegKind::Greyscale:
        return JCS_GRAYSCALE;
    case JpegKind::Cmyk:
        return JCS_CMYK;
    case JpegKind::Baseline:
    case JpegKind::Progressive:
        break;
    }
    return JCS_RGB;
}

void FillRow(const uchar* rgb, int width, JpegKind kind, JSAMPLE* row) {
    for (int x = 0; x < width; ++x, rgb += 3) {
        const int r = rgb[0];
        const int g = rgb[1];
        const int b = rgb[2];
        if (kind == JpegKind::Greyscale) {
            *row++ = static_cast<JSAMPLE>(qGray(r, g, b));
        } else if (kind == JpegKind::Cmyk) {
            // Inverted CMYK keeps 255 - C, 255 - M, 255 - Y and 255 - K.
            const int brightest = std::max({r, g, b});
            for (const int c : {r, g, b}) {
                *row++ = static_cast<JSAMPLE>(brightest == 0 ? 255 : c * 255 / brightest);
            }
            *row++ = static_cast<JSAMPLE>(brightest);
        } else {
            *row++ = static_cast<JSAMPLE>(r);
            *row++ = static_cast<JSAMPLE>(g);
            *row++ = static_cast<JSAMPLE>(b);
        }
    }
}

} // namespace

QByteArray EncodeJpeg(const QImage& picture, JpegKind kind) {
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(rgb.width());
    info.image_height = static_cast<JDIMENSION>(rgb.height());
    info.input_components = Components(kind);
    info.in_color_space = ColorSpace(kind);
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    if (kind == JpegKind::Progressive) {
        jpeg_simple_progression(&info);
    }
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(static_cast<size_t>(rgb.width() * info.input_components));
    while (info.next_scanline < info.image_height) {
        FillRow(rgb.constScanLine(static_cast<int>(info.next_scanline)), rgb.width(), kind,
                row.data());
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    QByteArray bytes(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size));
    std::free(buffer);
    jpeg_destroy_compress(&info);
    return bytes;
}

namespace {

// Codes of three bits, LSB first, in sub-blocks of at most 255 bytes.
class GifCodeWriter {
  public:
    void Put(int code) {
        Bits |= static_cast<unsigned>(code) << Count;
        Count += 3;
        while (Count >= 8) {
            Bytes.append(static_cast<char>(Bits & 0xFF));
            Bits >>= 8;
            Count -= 8;
        }
    }

    QByteArray Blocks() {
        if (Count > 0) {
            Bytes.append(static_cast<char>(Bits & 0xFF));
        }
        QByteArray blocks;
        for (qsizetype i = 0; i < Bytes.size(); i += 255) {
            const QByteArray block = Bytes.mid(i, 255);
            blocks.append(static_cast<char>(block.size()));
            blocks += block;
        }
        return blocks + '\0';
    }

  private:
    QByteArray Bytes;
    unsigned Bits = 0;
    int Count = 0;
};

void PutShort(QByteArray& out, int value) {
    out.append(static_cast<char>(value & 0xFF));
    out.append(static_cast<char>((value >> 8) & 0xFF));
}

} // namespace

QByteArray EncodeGif(const QImage& picture) {
    QList<QRgb> palette;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (!palette.contains(picture.pixel(x, y))) {
                palette.append(picture.pixel(x, y));
            }
        }
    }
    EXPECT_LE(palette.size(), 4);
    palette.resize(4);

    QByteArray gif("GIF89a");
    PutShort(gif, picture.width());
    PutShort(gif, picture.height());
    gif.append('\x91'); // a global table of 4 colours
    gif.append('\0');   // background colour
    gif.append('\0');   // aspect ratio
    for (const QRgb colour : palette) {
        gif.append(static_cast<char>(qRed(colour)));
        gif.append(static_cast<char>(qGreen(colour)));
        gif.append(static_cast<char>(qBlue(colour)));
    }
    gif.append(',');
    PutShort(gif, 0);
    PutShort(gif, 0);
    PutShort(gif, picture.width());
    PutShort(gif, picture.height());
    gif.append('\0');
    gif.append('\x02'); // LZW minimum code size
    // A clear code before every second pixel keeps the LZW table, and so the code width,
    // from growing: no compression, and no compressor needed.
    constexpr int Clear = 4;
    constexpr int End = 5;
    GifCodeWriter codes;
    int n = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x, ++n) {
            if (n % 2 == 0) {
                codes.Put(Clear);
            }
            codes.Put(static_cast<int>(palette.indexOf(picture.pixel(x, y))));
        }
    }
    codes.Put(End);
    return gif + codes.Blocks() + ';';
}

QByteArray EncodePicture(const QImage& picture, const char* format) {
    if (qstrcmp(format, "GIF") == 0) {
        return EncodeGif(picture);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(picture.save(&buffer, format)) << format;
    return bytes;
}

QByteArray PictureBytes(const char* format, const QColor& colour) {
    QImage picture(24, 16, QImage::Format_RGB32);
    picture.fill(colour);
    return EncodePicture(picture, format);
}

} // namespace harvoline::testing
