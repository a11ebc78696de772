#include "model/config/text_file.h"
#include "model/errors.h"
#include "model/config/regular_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace harvoline;

TEST(TextFile, DecodesEachLineAsUtf8OrWindows1252AndSplitsAtCrLfLoneCrAndLoneLf) {
    struct Case {
        QByteArray Bytes;
        QStringList Lines;
    };
    const Case cases[] = {
        {"", {}},
        {"plain", {"plain"}},
        {"Bild \xC3\xB6"
         "ffnen",
         {QStringLiteral("Bild öffnen")}},
        {"Bild \xF6"
         "ffnen",
         {QStringLiteral("Bild öffnen")}},
        {"\x80 \x9F \xDF", {QStringLiteral("€ Ÿ ß")}},
        {"\xEF\xBB\xBF#EXTM3U", {QStringLiteral("\uFEFF#EXTM3U")}},
        {QByteArray("before\0after", 12), {"before"}},
        // One line in the Windows code page leaves the UTF-8 lines around it as they are.
        {"K\xC3\xBChl.mp3\r\n# Gr\xFC\xDF"
         "e\r\nJ\xC3\xBCrgen",
         {QStringLiteral("Kühl.mp3"), QStringLiteral("# Grüße"), QStringLiteral("Jürgen")}},
        {"a\r\n", {"a"}},
        {"a\r\nb\rc\nd", {"a", "b", "c", "d"}},
        {"a\n\r\n\rb", {"a", "", "", "b"}},
        {"\r\n\r\n", {"", ""}},
        {"a\n\rb", {"a", "", "b"}},
        // Notepad's "Unicode" and "Unicode big endian".
        {QByteArray("\xFF\xFE"
                    "K\0\xFC\0h\0l\0\r\0\n\0\xAC\x20\0\0x\0",
                    20),
         {QStringLiteral("Kühl"), QStringLiteral("€")}},
        {QByteArray("\xFE\xFF\0K\0\xFC\0h\0l\0\n\0#", 14), {QStringLiteral("Kühl"), "#"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DecodeLines(c.Bytes), c.Lines) << c.Bytes.toHex().toStdString();
    }
}

TEST(TextFile, ReadsOnlyRegularFilesOfSaneSize) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath("fifo.m3u");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString huge = dir.filePath("huge.m3u");
    QFile hugeFile(huge);
    ASSERT_TRUE(hugeFile.open(QIODevice::WriteOnly));
    ASSERT_TRUE(hugeFile.resize(TextFileLimitBytes + 1));
    hugeFile.close();
    struct Case {
        QString Path;
        const char* Reason;
    };
    const Case cases[] = {
        {fifo, "not a regular file"},
        {"/dev/zero", "not a regular file"},
        {dir.path(), "not a regular file"},
        {huge, "larger than 64 MB"},
        {dir.filePath("missing.m3u"), "does not exist"},
    };
    for (const Case& c : cases) {
        try {
            ReadTextLines(c.Path);
            ADD_FAILURE() << c.Path.toStdString() << " was read";
        } catch (const HarvolineError& error) {
            const QString message = QString::fromUtf8(error.what());
            EXPECT_TRUE(message.contains(c.Path) && message.contains(c.Reason))
                << message.toStdString();
        }
    }
}

TEST(TextFile, WritesUtf8WithCrLfAndReadsItBack) {
    QTemporaryDir dir;
    const QString path = dir.filePath("out.txt");
    const QStringList lines = {"Name1: Bild.jpg; Jürgen", "", "last"};
    WriteTextLines(path, lines);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("Name1: Bild.jpg; J\xC3\xBCrgen\r\n\r\nlast\r\n"));
    EXPECT_EQ(ReadTextLines(path), lines);
}

TEST(TextFile, FailedWriteKeepsTheOldFileAndNamesIt) {
    QTemporaryDir dir;
    const QString missingFolder = dir.filePath("gone/out.txt");
    try {
        WriteTextLines(missingFolder, {"x"});
        FAIL() << "writing into a missing folder succeeded";
    } catch (const HarvolineError& error) {
        EXPECT_NE(QString(error.what()).indexOf(missingFolder), -1) << error.what();
    }

    const QString path = dir.filePath("keep.txt");
    WriteTextLines(path, {"old"});
    // A folder in the way of the temporary file's rename makes the write fail.
    ASSERT_TRUE(QDir(dir.path()).mkdir("blocked.txt"));
    EXPECT_THROW(WriteTextLines(dir.filePath("blocked.txt"), {"new"}), HarvolineError);
    EXPECT_EQ(ReadTextLines(path), QStringList{"old"});
}
