#include "model/media/song_tag.h"
#include "model/media/tag_library.h"
#include "tests/support/picture_files.h"
#include "tests/support/tag_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace harvoline;
using namespace harvoline::testing;

namespace {

const TagTexts Texts = {QStringLiteral("Ünïcödé Straße"), QStringLiteral("Björk ♪"),
                        QStringLiteral("Début"), QStringLiteral("1993-06-05"),
                        QStringLiteral("Grüße")};

SongTag Expected(const TagTexts& texts) {
    return {QStringLiteral("TAG"),
            texts.Title,
            texts.Artist,
            texts.Album,
            texts.Year.left(4),
            texts.Comment,
            0};
}

class TagLibraryTest : public ::testing::Test {
  protected:
    QString Path(const QString& name) const { return Folder.filePath(name); }

    QString Mp3(const QString& name, const QByteArray& bytes = SilentMp3()) const {
        const QString path = Path(name);
        WriteBytes(path, bytes);
        return path;
    }

    SongTag ReadBack(const QString& path) {
        SongTag record{QStringLiteral("OLD"), "old", "old", "old", "old", "old", 9};
        ReadId3v2(Tags, path, record);
        return record;
    }

    QTemporaryDir Folder;
    TagLibrary Tags;
};

// An ID3v2.3 tag whose text frames are written with encoding byte 0, "ISO-8859-1", the
// bytes as given.
QByteArray Latin1Id3v23(const std::vector<std::pair<QByteArray, QByteArray>>& frames) {
    QByteArray body;
    for (const auto& [id, text] : frames) {
        const QByteArray content = '\0' + text;
        QByteArray size(4, '\0');
        qToBigEndian<quint32>(static_cast<quint32>(content.size()), size.data());
        body += id + size + QByteArray(2, '\0') + content;
    }
    QByteArray tag("ID3\x03\0\0", 6);
    for (int shift = 21; shift >= 0; shift -= 7) { // the tag's size, 7 bits a byte
        tag += static_cast<char>((body.size() >> shift) & 0x7F);
    }
    return tag + body;
}

} // namespace

TEST_F(TagLibraryTest, ReadsId3v2TextsOfEachVersionAndEncoding) {
    const TagTexts latin1 = {"Title", QStringLiteral("Artïst"), "Album", "1993", "Comment"};
    struct Case {
        const char* Name;
        int Version;
        TagLib::String::Type Encoding;
        TagTexts Texts;
    };
    const Case cases[] = {
        {"2.3 in UTF-16", 3, TagLib::String::UTF16, Texts},
        {"2.3 in Latin-1", 3, TagLib::String::Latin1, latin1},
        {"2.4 in UTF-8", 4, TagLib::String::UTF8, Texts},
        {"2.4 in UTF-16", 4, TagLib::String::UTF16, Texts},
        {"2.4 in UTF-16BE", 4, TagLib::String::UTF16BE, Texts},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        const QString path = Mp3(QStringLiteral("song.mp3"));
        WriteId3v2(path, c.Texts, c.Version, c.Encoding);
        // The year frame of ID3v2.3 really is TYER, which TagLib reads as TDRC.
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll().contains("TYER"), c.Version == 3);
        EXPECT_EQ(ReadBack(path), Expected(c.Texts));
    }
}

TEST_F(TagLibraryTest, ReadsLatin1FramesInTheWindowsCodePageAsId3v1RecordsAre) {
    const QString path =
        Mp3(QStringLiteral("song.mp3"),
            Latin1Id3v23({{"TIT2", "Don\x92t Stop \x80uro"}, {"TPE1", "Caf\xE9 \x84Quotes\x93"}}) +
                SilentMp3());
    const SongTag record = ReadBack(path);
    EXPECT_EQ(record.Title, QStringLiteral("Don’t Stop €uro"));
    EXPECT_EQ(record.Artist, QStringLiteral("Café „Quotes“"));
}

TEST_F(TagLibraryTest, TrimsAndCutsTextsToTheRecordsWidths) {
    const QString path = Mp3(QStringLiteral("song.mp3"));
    WriteId3v2(path,
               {QStringLiteral("  A title much longer than thirty characters  "),
                QStringLiteral("\tArtist\n"), QStringLiteral("Album"), QStringLiteral(" 2001 "),
                QString(40, u'c')},
               4, TagLib::String::UTF8);
    const SongTag record = ReadBack(path);
    EXPECT_EQ(record.Title, QStringLiteral("A title much longer than thirt"));
    EXPECT_EQ(record.Artist, QStringLiteral("Artist"));
    EXPECT_EQ(record.Year, QStringLiteral("2001"));
    EXPECT_EQ(record.Comment, QString(30, u'c'));
}

TEST_F(TagLibraryTest, CutsWithoutSplittingACharacterOutsideTheBasicPlane) {
    const QString path = Mp3(QStringLiteral("song.mp3"));
    WriteId3v2(path, {QString(29, u'a') + QStringLiteral("🎵"), QStringLiteral("Artist")}, 4,
               TagLib::String::UTF8);
    EXPECT_EQ(ReadBack(path).Title, QString(29, u'a'));
}

TEST_F(TagLibraryTest, DigitsInTheId3v1RecordGiveWayToTheId3v2Tag) {
    const QString path = Mp3(QStringLiteral("song.mp3"),
                             SilentMp3() + Id3v1Record({.Title = "12345", .Artist = "678"}));
    WriteId3v2(path, {QStringLiteral("Real Title"), QStringLiteral("Real Artist")}, 3,
               TagLib::String::UTF16);
    SongTag record;
    ReadId3v1(path, record);
    EXPECT_EQ(record.Title, QStringLiteral("12345"));
    ReadId3v2(Tags, path, record);
    EXPECT_EQ(record.Title, QStringLiteral("Real Title"));
    EXPECT_EQ(record.Artist, QStringLiteral("Real Artist"));
}

TEST_F(TagLibraryTest, AFileWithoutId3v2GivesTheMarkerAndEmptyTexts) {
    const QString withId3v1 =
        Mp3(QStringLiteral("id3v1 only.mp3"), SilentMp3() + Id3v1Record({.Title = "Title"}));
    const QString noTag = Mp3(QStringLiteral("plain.mp3"));
    const QString pipe = Path(QStringLiteral("pipe.mp3"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    QDir().mkdir(Path(QStringLiteral("folder.mp3")));
    const QString paths[] = {withId3v1,
                             noTag,
                             Mp3(QStringLiteral("empty.mp3"), {}),
                             Mp3(QStringLiteral("garbage.flac"), "no FLAC at all"),
                             Mp3(QStringLiteral("garbage.ogg"), "OggS and then nothing"),
                             Mp3(QStringLiteral("garbage.m4a"), QByteArray("\0\0\0\x08moov", 8)),
                             Path(QStringLiteral("missing.mp3")),
                             Path(QStringLiteral("folder.mp3")),
                             pipe};
    const SongTag empty{QStringLiteral("TAG"), {}, {}, {}, {}, {}, 0};
    for (const QString& path : paths) {
        SCOPED_TRACE(path.toStdString());
        // Whatever the last file held is gone.
        WriteId3v2(Mp3(QStringLiteral("tagged.mp3")), Texts, 4, TagLib::String::UTF8,
                   {{QStringLiteral("image/png"), PictureBytes("PNG")}});
        ReadBack(Path(QStringLiteral("tagged.mp3")));
        EXPECT_EQ(ReadBack(path), empty);
        EXPECT_EQ(Tags.AlbumPicture().Kind, PictureKind::None);
        EXPECT_TRUE(Tags.AlbumPicture().Data.isEmpty());
    }
}

TEST_F(TagLibraryTest, GivesTheFirstId3v2PictureWithItsKind) {
    struct Case {
        const char* Name;
        std::vector<TagPicture> Pictures;
        PictureKind Kind;
    };
    const QByteArray jpeg = PictureBytes("JPG");
    const QByteArray png = PictureBytes("PNG");
    const Case cases[] = {
        {"JPEG", {{"image/jpeg", jpeg}}, PictureKind::Jpeg},
        {"PNG", {{"image/png", png}}, PictureKind::Png},
        {"BMP", {{"image/bmp", PictureBytes("BMP")}}, PictureKind::Bmp},
        {"GIF", {{"image/gif", PictureBytes("GIF")}}, PictureKind::Gif},
        {"the first of two", {{"image/png", png}, {"image/jpeg", jpeg}}, PictureKind::Png},
        {"told by its bytes, not its MIME type", {{"image/png", jpeg}}, PictureKind::Jpeg},
        {"a format none of the four", {{"image/webp", "RIFF....WEBPVP8 "}}, PictureKind::None},
        {"no picture", {}, PictureKind::None},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        const QString path = Mp3(QStringLiteral("song.mp3"));
        WriteId3v2(path, Texts, 3, TagLib::String::UTF16, c.Pictures);
        Tags.Load(path);
        EXPECT_EQ(Tags.AlbumPicture().Kind, c.Kind);
        EXPECT_EQ(Tags.AlbumPicture().Data,
                  c.Pictures.empty() ? QByteArray() : c.Pictures.front().Data);
    }
}

TEST_F(TagLibraryTest, AnswersFrameIdsOfTheTagAndTheYearUnderBothIds) {
    const QString path = Mp3(QStringLiteral("song.mp3"));
    WriteId3v2(path, Texts, 3, TagLib::String::UTF16);
    Tags.Load(path);
    EXPECT_EQ(Tags.FrameText("TIT2"), Texts.Title);
    EXPECT_EQ(Tags.FrameText("TYER"), QStringLiteral("1993-06-05"));
    EXPECT_EQ(Tags.FrameText("TDRC"), QStringLiteral("1993-06-05"));
    EXPECT_EQ(Tags.FrameText("TCON"), QString());
    EXPECT_EQ(Tags.Comment(), Texts.Comment);
}

TEST_F(TagLibraryTest, ReadsTheOwnTagsOfOtherFormats) {
    struct Case {
        const char* Name;
        QByteArray Bytes;
    };
    const Case cases[] = {
        {"song.flac", BareFlac()},
        {"song.ogg", BareOggVorbis()},
        {"song.opus", BareOpus()},
        {"song.m4a", BareM4a()},
    };
    const TagTexts texts = {Texts.Title, Texts.Artist, Texts.Album, QStringLiteral("1993"),
                            Texts.Comment};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        const QString path = Path(c.Name);
        WriteBytes(path, c.Bytes);
        const QByteArray gif = PictureBytes("GIF");
        WriteOwnTag(path, texts,
                    {{QStringLiteral("image/gif"), gif},
                     {QStringLiteral("image/png"), PictureBytes("PNG")}});
        EXPECT_EQ(ReadBack(path), Expected(texts));
        EXPECT_EQ(Tags.AlbumPicture().Kind, PictureKind::Gif);
        EXPECT_EQ(Tags.AlbumPicture().Data, gif);

        WriteBytes(path, c.Bytes);
        EXPECT_EQ(ReadBack(path), (SongTag{QStringLiteral("TAG"), {}, {}, {}, {}, {}, 0}));
        EXPECT_EQ(Tags.AlbumPicture().Kind, PictureKind::None);
    }
}
