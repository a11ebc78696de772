#include "ui/pictures/picture_loader.h"

#include "model/config/regular_file.h"
#include "model/errors.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <QtEndian>
#include <csetjmp>
#include <cstdio> // before jpeglib.h, which uses FILE
#include <jerror.h>
#include <jpeglib.h>
#include <limits>

namespace harvoline {

namespace {

// Qt's readers refuse pictures that would need more memory than this; so do we.
qint64 AllocationLimitBytes() {
    return qint64{QImageReader::allocationLimit()} * 1024 * 1024;
}

bool TooLarge(qint64 width, qint64 height) {
    return AllocationLimitBytes() > 0 && width * height * 4 > AllocationLimitBytes();
}

// Each scan of a progressive JPEG passes over the whole picture again. Encoders write about
// ten; a crafted file with thousands keeps the window's thread busy for many seconds.
constexpr int MostJpegScans = 100;

struct JpegErrors {
    jpeg_error_mgr Manager; // first, so libjpeg's pointer to it leads back here
    std::jmp_buf Jump;
    bool TooManyScans = false;
};

// Everything the decoder needs across a longjmp; it lives in the caller's frame.
struct JpegSession {
    jpeg_decompress_struct Info{};
    JpegErrors Errors{};
    jpeg_progress_mgr Progress{};
    char Problem[JMSG_LENGTH_MAX]{};
};

// libjpeg's own handler ends the process.
[[noreturn]] void JumpBack(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JpegErrors*>(info->err)->Jump, 1);
}

void CountScans(j_common_ptr info) {
    if (reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > MostJpegScans) {
        reinterpret_cast<JpegErrors*>(info->err)->TooManyScans = true;
        JumpBack(info);
    }
}

// Warnings stay quiet, but a file that ends early is damaged: libjpeg would fill the
// rest with grey.
void OnMessage(j_common_ptr info, int level) {
    if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF) {
        info->err->error_exit(info);
    }
}

// Adobe applications write CMYK JPEGs with every channel inverted.
void InvertedCmykToRgb(const JSAMPLE* cmyk, uchar* rgb, JDIMENSION width) {
    for (JDIMENSION x = 0; x < width; ++x, cmyk += 4, rgb += 3) {
        const int k = cmyk[3];
        for (int c = 0; c < 3; ++c) {
            rgb[c] = static_cast<uchar>(cmyk[c] * k / 255);
        }
    }
}

// libjpeg reports fatal errors by a longjmp back into this function, so nothing with a
// destructor lives in its frame: the session and the picture belong to the caller.
bool RunJpegDecoder(const QByteArray& bytes, JpegSession& session, QImage& picture) {
    jpeg_decompress_struct& info = session.Info;
    info.err = jpeg_std_error(&session.Errors.Manager);
    session.Errors.Manager.error_exit = JumpBack;
    session.Errors.Manager.emit_message = OnMessage;
    if (setjmp(session.Errors.Jump) != 0) {
        if (session.Errors.TooManyScans) {
            std::snprintf(session.Problem, sizeof session.Problem,
                          "the picture has more than %d scans", MostJpegScans);
        } else {
            info.err->format_message(reinterpret_cast<j_common_ptr>(&info), session.Problem);
        }
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    session.Progress.progress_monitor = CountScans;
    info.progress = &session.Progress;
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    if (TooLarge(info.image_width, info.image_height)) {
        std::snprintf(session.Problem, sizeof session.Problem, "the picture is too large (%ux%u)",
                      info.image_width, info.image_height);
        jpeg_destroy_decompress(&info);
        return false;
    }
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    const bool grey = info.jpeg_color_space == JCS_GRAYSCALE;
    info.out_color_space = cmyk ? JCS_CMYK : grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_start_decompress(&info);
    picture = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                     grey ? QImage::Format_Grayscale8 : QImage::Format_RGB888);
    if (picture.isNull()) {
        std::snprintf(session.Problem, sizeof session.Problem, "not enough memory");
        jpeg_destroy_decompress(&info);
        return false;
    }
    JSAMPARRAY cmykRow = cmyk ? (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info),
                                                          JPOOL_IMAGE, info.output_width * 4, 1)
                              : nullptr;
    while (info.output_scanline < info.output_height) {
        uchar* line = picture.scanLine(static_cast<int>(info.output_scanline));
        JSAMPROW row = cmyk ? cmykRow[0] : line;
        jpeg_read_scanlines(&info, &row, 1);
        if (cmyk) {
            InvertedCmykToRgb(cmykRow[0], line, info.output_width);
        }
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

QImage DecodeJpeg(const QByteArray& bytes) {
    JpegSession session;
    QImage picture;
    if (!RunJpegDecoder(bytes, session, picture)) {
        throw HarvolineError(QString::fromUtf8(session.Problem));
    }
    return picture;
}

quint32 LittleEndian32(QByteArrayView bytes, qsizetype at) {
    return qFromLittleEndian<quint32>(bytes.data() + at);
}

quint16 LittleEndian16(QByteArrayView bytes, qsizetype at) {
    return qFromLittleEndian<quint16>(bytes.data() + at);
}

// Qt draws the rows missing from a cut BMP file black, so we look for them ourselves.
bool BmpIsWhole(QByteArrayView bmp) {
    if (bmp.size() < 26) {
        return false;
    }
    const qint64 pixelsAt = LittleEndian32(bmp, 10);
    const bool os2Header = LittleEndian32(bmp, 14) < 40;
    if (!os2Header && bmp.size() < 38) {
        return false;
    }
    const qint64 width =
        os2Header ? LittleEndian16(bmp, 18) : static_cast<qint32>(LittleEndian32(bmp, 18));
    const qint64 height =
        os2Header ? LittleEndian16(bmp, 20) : static_cast<qint32>(LittleEndian32(bmp, 22));
    const qint64 bitsPerPixel = LittleEndian16(bmp, os2Header ? 24 : 28);
    const quint32 compression = os2Header ? 0 : LittleEndian32(bmp, 30);
    constexpr quint32 Rgb = 0;
    constexpr quint32 BitFields = 3;
    const qint64 pixelBytes = compression == Rgb || compression == BitFields
                                  ? std::abs(height) * ((width * bitsPerPixel + 31) / 32 * 4)
                                  : LittleEndian32(bmp, 34);
    return pixelsAt + pixelBytes <= bmp.size();
}

// Qt shows what it could decode of a cut GIF file. A file may end after any whole block,
// even without its trailer, but not inside one.
bool GifIsWhole(QByteArrayView gif) {
    qsizetype at = 13;
    if (gif.size() < at) {
        return false;
    }
    const auto skipColourTable = [&at](char flags) {
        if ((flags & 0x80) != 0) {
            at += 3 * (qsizetype{2} << (flags & 7));
        }
    };
    const auto skipSubBlocks = [&at, gif] {
        while (at < gif.size()) {
            const auto length = static_cast<unsigned char>(gif[at++]);
            if (length == 0) {
                return true;
            }
            at += length;
        }
        return false;
    };
    skipColourTable(gif[10]);
    while (at < gif.size()) {
        const char block = gif[at++];
        if (block == ';') {
            return true;
        }
        if (block == '!') { // extension: a label, then sub-blocks
            ++at;
        } else if (block == ',') { // image: descriptor, colour table, LZW code size, data
            if (at + 9 > gif.size()) {
                return false;
            }
            const char flags = gif[at + 8];
            at += 9;
            skipColourTable(flags);
            ++at;
        } else {
            return true; // trailing bytes after the pictures are no concern
        }
        if (!skipSubBlocks()) {
            return false;
        }
    }
    return at == gif.size();
}

[[noreturn]] void Unreadable(const QByteArray& format, const QString& reason) {
    throw HarvolineError(QStringLiteral("not a readable %1 picture (%2)")
                             .arg(QString::fromLatin1(format.toUpper()), reason));
}

QImage DecodeWithQt(const QByteArray& bytes, const QByteArray& format) {
    if (!QImageReader::supportedImageFormats().contains(format)) {
        throw HarvolineError(
            QStringLiteral("unknown picture format \"%1\"").arg(QString::fromLatin1(format)));
    }
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setDecideFormatFromContent(false);
    QImage picture = reader.read();
    if (picture.isNull()) {
        Unreadable(format, reader.errorString());
    }
    if ((format == "bmp" && !BmpIsWhole(bytes)) || (format == "gif" && !GifIsWhole(bytes))) {
        Unreadable(format, QStringLiteral("cut short"));
    }
    return picture;
}

QByteArray ReadPictureBytes(const QString& path) {
    // Qt's limit 0 means none.
    const qint64 limit =
        AllocationLimitBytes() > 0 ? AllocationLimitBytes() : std::numeric_limits<qint64>::max();
    return RegularFile(path).ReadAll(limit);
}

} // namespace

QImage DecodePicture(const QByteArray& bytes, const QString& format) {
    const QByteArray name = format.toLower().toLatin1();
    if (name == "jpg" || name == "jpeg" || name == "jpe" || name == "jfif") {
        return DecodeJpeg(bytes);
    }
    return DecodeWithQt(bytes, name);
}

QImage LoadPictureFile(const QString& path) {
    try {
        return DecodePicture(ReadPictureBytes(path), QFileInfo(path).suffix());
    } catch (const HarvolineError& error) {
        throw HarvolineError(QStringLiteral("Cannot load the picture %1: %2")
                                 .arg(path, QString::fromUtf8(error.what())));
    }
}

} // namespace harvoline
