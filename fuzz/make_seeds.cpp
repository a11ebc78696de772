// Writes the starting corpus of the fuzz targets: small valid files of every kind they
// read, each with the leading byte that selects its format.
#include "tests/support/picture_files.h"
#include "tests/support/tag_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

using namespace harvoline::testing;

namespace {

void WriteSeed(const QString& folder, const QString& name, const QByteArray& bytes) {
    QDir().mkpath(folder);
    WriteBytes(folder + u'/' + name, bytes);
}

QByteArray Prefixed(int selector, const QByteArray& bytes) {
    return QByteArray(1, static_cast<char>(selector)) + bytes;
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

QImage Pattern() {
    QImage picture(16, 16, QImage::Format_RGB32);
    picture.fill(Qt::red);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 16; ++x) {
            picture.setPixelColor(x, y, Qt::blue);
        }
    }
    return picture;
}

void WriteId3v1Seeds(const QString& folder) {
    WriteSeed(folder, QStringLiteral("record"),
              Id3v1Record({.Title = "Title",
                           .Artist = "Artist",
                           .Album = "Album",
                           .Year = "1999",
                           .Comment = "Comment",
                           .Genre = 17}));
    WriteSeed(folder, QStringLiteral("padded"),
              SilentMp3(1) + Id3v1Record({.Title = " \x01Title\t", .Padding = ' '}));
}

// Selectors follow the extension list of fuzz_tags.cpp.
void WriteTagSeeds(const QString& folder) {
    QTemporaryDir work;
    const TagTexts texts = {QStringLiteral("Title"), QStringLiteral("Artist"),
                            QStringLiteral("Album"), QStringLiteral("1999"),
                            QStringLiteral("Comment")};
    const TagPicture cover = {QStringLiteral("image/jpeg"),
                              EncodeJpeg(Pattern(), JpegKind::Baseline)};
    for (const int version : {3, 4}) {
        const QString path = work.filePath(QStringLiteral("song.mp3"));
        WriteBytes(path, SilentMp3(2) + Id3v1Record({.Title = "12345"}));
        WriteId3v2(path, texts, version, TagLib::String::UTF16, {cover});
        WriteSeed(folder, QStringLiteral("id3v2.%1.mp3").arg(version), Prefixed(0, ReadAll(path)));
    }
    struct Format {
        int Selector;
        const char* Extension;
        QByteArray Bare;
    };
    const Format formats[] = {{1, "flac", BareFlac()},
                              {2, "ogg", BareOggVorbis()},
                              {3, "opus", BareOpus()},
                              {4, "m4a", BareM4a()}};
    for (const Format& format : formats) {
        const QString name = QStringLiteral("song.") + QLatin1String(format.Extension);
        const QString path = work.filePath(name);
        WriteBytes(path, format.Bare);
        WriteSeed(folder, QStringLiteral("bare.") + QLatin1String(format.Extension),
                  Prefixed(format.Selector, format.Bare));
        WriteOwnTag(path, texts, {cover});
        WriteSeed(folder, name, Prefixed(format.Selector, ReadAll(path)));
    }
}

// Selectors follow the format list of fuzz_picture.cpp.
void WritePictureSeeds(const QString& folder) {
    const QImage picture = Pattern();
    const std::pair<const char*, JpegKind> jpegs[] = {{"baseline", JpegKind::Baseline},
                                                      {"progressive", JpegKind::Progressive},
                                                      {"greyscale", JpegKind::Greyscale},
                                                      {"cmyk", JpegKind::Cmyk}};
    for (const auto& [name, kind] : jpegs) {
        WriteSeed(folder, QLatin1String(name) + QStringLiteral(".jpg"),
                  Prefixed(0, EncodeJpeg(picture, kind)));
    }
    WriteSeed(folder, QStringLiteral("picture.png"), Prefixed(1, EncodePicture(picture, "PNG")));
    WriteSeed(folder, QStringLiteral("picture.bmp"), Prefixed(2, EncodePicture(picture, "BMP")));
    WriteSeed(folder, QStringLiteral("picture.gif"), Prefixed(3, EncodePicture(picture, "GIF")));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s SEED_FOLDER\n", argv[0]);
        return 2;
    }
    const QString seeds = QString::fromLocal8Bit(argv[1]);
    WriteId3v1Seeds(seeds + QStringLiteral("/id3v1"));
    WriteTagSeeds(seeds + QStringLiteral("/tags"));
    WritePictureSeeds(seeds + QStringLiteral("/picture"));
    return 0;
}
