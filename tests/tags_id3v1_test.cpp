#include "model/media/song_tag.h"
#include "model/errors.h"
#include "tests/support/tag_files.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace harvoline;
using namespace harvoline::testing;

namespace {

SongTag Tag(const QString& marker, const QString& title, const QString& artist = {},
            const QString& album = {}, const QString& year = {}, const QString& comment = {},
            std::uint8_t genre = 0) {
    return {marker, title, artist, album, year, comment, genre};
}

} // namespace

TEST(ReadId3v1, FillsTheRecordFromTheFilesLast128Bytes) {
    QTemporaryDir folder;
    struct Case {
        const char* Name;
        QByteArray Bytes;
        SongTag Expected;
    };
    const Case cases[] = {
        {"texts padded with NUL bytes",
         Id3v1Record({.Title = "Title",
                      .Artist = "Artist",
                      .Album = "Album",
                      .Year = "1999",
                      .Comment = "Comment",
                      .Genre = 17}),
         Tag("TAG", "Title", "Artist", "Album", "1999", "Comment", 17)},
        {"texts padded with blanks",
         Id3v1Record({.Title = "  Title", .Artist = "Artist", .Padding = ' '}),
         Tag("TAG", "Title", "Artist")},
        {"control bytes at both ends go, inside ones stay",
         Id3v1Record({.Title = "\x01\t\x1F"
                               "A\x01 B\r\n",
                      .Artist = "\x7F"
                                "Artist"}),
         Tag("TAG", "A\x01 B",
             "\x7F"
             "Artist")},
        {"an ID3v1.1 track number stays in the comment when above 32",
         Id3v1Record(
             {.Title = "T",
              .Comment = QByteArray("Comment").leftJustified(28, '\0') + QByteArray("\0A", 2)}),
         Tag("TAG", "T", {}, {}, {},
             QString::fromLatin1("Comment").leftJustified(29, u'\0') + u'A')},
        {"an ID3v1.1 track number below 33 is trimmed away",
         Id3v1Record(
             {.Title = "T",
              .Comment = QByteArray("Comment").leftJustified(28, '\0') + QByteArray("\0\x07", 2)}),
         Tag("TAG", "T", {}, {}, {}, "Comment")},
        {"Windows-1252 texts",
         Id3v1Record({.Title = "Beyonc\xE9 \x80 \x93quoted\x94", .Artist = "Mot\xF6rhead"}),
         Tag("TAG", QStringLiteral("Beyoncé € “quoted”"), QStringLiteral("Motörhead"))},
        {"the genre byte is kept", Id3v1Record({.Title = "T", .Genre = 255}),
         Tag("TAG", "T", {}, {}, {}, {}, 255)},
        {"the record at the end of a song", SilentMp3() + Id3v1Record({.Title = "Song"}),
         Tag("TAG", "Song")},
        {"no marker", SilentMp3(), Tag(QString(3, QChar(u'\0')), {})},
        {"a marker in lower case", Id3v1Record({.Marker = "tag", .Title = "Title"}),
         Tag("tag", "Title")},
        {"a marker with blanks is not trimmed", Id3v1Record({.Marker = " TA", .Title = "T"}),
         Tag(" TA", "T")},
        {"127 bytes hold no record", Id3v1Record({.Title = "Title"}).left(127), SongTag{}},
        {"an empty file", QByteArray(), SongTag{}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        const QString path = folder.filePath(QStringLiteral("song.mp3"));
        WriteBytes(path, c.Bytes);
        SongTag record = Tag("OLD", "old title", "old artist");
        ReadId3v1(path, record);
        EXPECT_EQ(record, c.Expected);
    }
}

TEST(ReadId3v1, RaisesTheProjectErrorForWhatCannotBeRead) {
    QTemporaryDir folder;
    const QString pipe = folder.filePath(QStringLiteral("pipe.mp3"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString directory = folder.filePath(QStringLiteral("folder.mp3"));
    QDir().mkdir(directory);
    const QString locked = folder.filePath(QStringLiteral("locked.mp3"));
    WriteBytes(locked, Id3v1Record({.Title = "Title"}));
    ::chmod(QFile::encodeName(locked).constData(), 0);

    struct Case {
        QString Path;
        const char* Reason;
    };
    std::vector<Case> cases = {
        {folder.filePath(QStringLiteral("missing.mp3")), "does not exist"},
        {directory, "not a regular file"},
        {pipe, "not a regular file"}, // and no wait for a writer
    };
    // root opens any file whatever its permissions.
    if (::geteuid() != 0) {
        cases.push_back({locked, "Permission denied"});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Path.toStdString());
        SongTag record;
        try {
            ReadId3v1(c.Path, record);
            ADD_FAILURE() << "read";
        } catch (const HarvolineError& error) {
            const std::string text = error.what();
            EXPECT_NE(text.find(c.Path.toStdString()), std::string::npos) << text;
            EXPECT_NE(text.find(c.Reason), std::string::npos) << text;
        }
    }
}

TEST(ParseId3v1, TakesTheLast128BytesOfWhatItIsGiven) {
    const QByteArray record = Id3v1Record({.Title = "Title", .Artist = "Artist"});
    EXPECT_EQ(ParseId3v1(QByteArray("leading bytes") + record), Tag("TAG", "Title", "Artist"));
    EXPECT_EQ(ParseId3v1(record.left(127)), SongTag{});
}
