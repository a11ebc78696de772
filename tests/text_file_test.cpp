#include "app/text_file.h"
#include "platform/errors.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace harvoline;

TEST(TextFile, DecodesUtf8AndFallsBackToWindows1252) {
    struct Case {
        QByteArray Bytes;
        QString Text;
    };
    const Case cases[] = {
        {"plain", QStringLiteral("plain")},
        {"Bild \xC3\xB6" "ffnen", QStringLiteral("Bild öffnen")},
        {"Bild \xF6" "ffnen", QStringLiteral("Bild öffnen")},
        {"\x80 \x9F \xDF", QStringLiteral("€ Ÿ ß")},
        {"\xEF\xBB\xBF#EXTM3U", QStringLiteral("\uFEFF#EXTM3U")},
        {QByteArray("before\0after", 12), QStringLiteral("before")},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DecodeText(c.Bytes), c.Text) << c.Bytes.toHex().toStdString();
    }
}

TEST(TextFile, SplitsAtCrLfLoneCrAndLoneLf) {
    struct Case {
        QString Text;
        QStringList Lines;
    };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r\nb\rc\nd", {"a", "b", "c", "d"}},
        {"a\n\r\n\rb", {"a", "", "", "b"}},
        {"\r\n\r\n", {"", ""}},
        {"a\n\rb", {"a", "", "b"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SplitLines(c.Text), c.Lines) << c.Text.toStdString();
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
    EXPECT_THROW(ReadTextLines(dir.filePath("missing.txt")), HarvolineError);

    const QString path = dir.filePath("keep.txt");
    WriteTextLines(path, {"old"});
    // A folder in the way of the temporary file's rename makes the write fail.
    ASSERT_TRUE(QDir(dir.path()).mkdir("blocked.txt"));
    EXPECT_THROW(WriteTextLines(dir.filePath("blocked.txt"), {"new"}), HarvolineError);
    EXPECT_EQ(ReadTextLines(path), QStringList{"old"});
}
