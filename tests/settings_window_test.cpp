#include "model/config/settings.h"
#include "tests/support/window_fixture.h"
#include "ui/seat_view.h"
#include "ui/status_row_view.h"
#include "ui/widgets/caption_label.h"
#include "ui/widgets/picture_box.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTextDocument>
#include <functional>
#include <sys/stat.h>

using namespace harvoline;
using namespace harvoline::testing;

namespace {

const QStringList DefaultLines = {"",
                                  "Name1: Name1.jpg; Name1",
                                  "Name2: Name2.jpg; Name2",
                                  "Name3: Name3.jpg; Name3",
                                  "Name4: Name4.jpg; Name4",
                                  "",
                                  "",
                                  "Guess a cover every 10 songs",
                                  "Skip 2000 milliseconds at song start",
                                  "",
                                  "Highscores:"};

QStringList WithLine(QStringList lines, int index, const QString& text) {
    lines[index] = text;
    return lines;
}

} // namespace

using SettingsFile = WindowTest;

TEST_F(SettingsFile, FirstRunWritesExactlyTheElevenDefaultLines) {
    MainWindow& w = StartWindow();
    EXPECT_EQ(w.Seats[1]->Picture->Picture().size(), QSize(170, 230));
    EXPECT_EQ(Game().Config().CoverInterval(), 10);
    EXPECT_EQ(w.Seats[1]->Name->toolTip(), Qt::convertFromPlainText(Game().Config().Text(22)));
    EXPECT_EQ(w.Seats[1]->Picture->toolTip(), Qt::convertFromPlainText(Game().Config().Text(21)));
    CloseWindow();
    EXPECT_EQ(ReadFile(ExePath("Harvoline.ini")), (DefaultLines.join("\r\n") + "\r\n").toUtf8());
    EXPECT_FALSE(QFile::exists(ExePath("errors.txt")));
    EXPECT_TRUE(Platform.ShellOpened.isEmpty());
}

TEST_F(SettingsFile, ReadsValuesPlayersAndPictures) {
    WritePicture(ExePath("anna.jpg"), Qt::blue);
    WritePicture(ExePath("back.jpg"), Qt::green);
    QStringList lines = DefaultLines;
    lines[2] = "Name2: " + ExePath("anna.jpg") + "; Anna";
    lines[3] = " Bob";
    lines[4] = "Name4: Name4.jpg; " + QString(120, u'x');
    lines[5] = "back.jpg"; // relative to the current folder
    lines[7] = "every 5 songs, 2 more";
    lines[8] = "Skip 1500 ms";
    lines[9] = "255";
    lines << "scrambled highscore";
    WriteSettingsFile(lines);

    MainWindow& w = StartWindow();
    EXPECT_EQ(Game().Config().CoverInterval(), 52);
    EXPECT_EQ(Game().Config().SkipMs(), 1500);
    EXPECT_EQ(w.StatusRow->RoundClockLabel->palette().color(QPalette::WindowText),
              QColor(255, 0, 0));
    EXPECT_EQ(w.StatusRow->PointsLabel->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(w.Background->Picture().size(), QSize(40, 60));
    EXPECT_EQ(w.Seats[2]->Name->Caption(), "Anna");
    EXPECT_EQ(w.Seats[2]->Picture->Picture().size(), QSize(40, 60));
    EXPECT_TRUE(w.Seats[2]->Name->toolTip().isEmpty());
    EXPECT_TRUE(w.Seats[2]->Picture->toolTip().isEmpty());
    EXPECT_EQ(w.Seats[3]->Name->Caption(), "Bob");
    EXPECT_EQ(w.Seats[4]->Name->Caption(), QString(98, u'x'));
    EXPECT_EQ(w.Seats[4]->Picture->Picture().size(), QSize(170, 230));
    EXPECT_FALSE(w.Seats[4]->Picture->toolTip().isEmpty());
    EXPECT_TRUE(w.Seats[4]->Name->toolTip().isEmpty());
    CloseWindow();
    EXPECT_EQ(SettingsFileLines(), lines);
}

TEST_F(SettingsFile, AHandEditedLineInTheWindowsCodePageLeavesTheUtf8LinesAsTheyAre) {
    QByteArray bytes = DefaultLines.join("\r\n").toUtf8() + "\r\n";
    bytes.replace("Name1: Name1.jpg; Name1", "Name1: Name1.jpg; J\xC3\xBCrgen");
    bytes.replace("Name2: Name2.jpg; Name2", "Name2: Name2.jpg; G\xFCnther");
    WriteFile(ExePath("Harvoline.ini"), bytes);
    MainWindow& w = StartWindow();
    EXPECT_EQ(w.Seats[1]->Name->Caption(), QStringLiteral("Jürgen"));
    EXPECT_EQ(w.Seats[2]->Name->Caption(), QStringLiteral("Günther"));
    CloseWindow();
    EXPECT_TRUE(ReadFile(ExePath("Harvoline.ini"))
                    .contains("J\xC3\xBCrgen\r\nName2: Name2.jpg; G\xC3\xBCnther\r\n"));
}

TEST_F(SettingsFile, CoverIntervalBelowOneBecomesTenAndTheLineIsRewritten) {
    for (const QString& line : {QString("0"), QString("no digits"), QString("3000000000")}) {
        WriteSettingsFile(WithLine(DefaultLines, 7, line));
        StartWindow();
        EXPECT_EQ(Game().Config().CoverInterval(), 10) << line.toStdString();
        CloseWindow();
        EXPECT_EQ(SettingsFileLines()[7], "Guess a cover every 10 songs");
    }
}

TEST_F(SettingsFile, ShortFilesFallBackToTheDefaults) {
    // Eight lines: the language of line 6 is taken, then every line is replaced.
    QStringList english = QStringList(33, "x");
    english[0] = "Quiz";
    WriteFile(ExePath("en.ini"), english.join("\r\n").toUtf8());
    WriteSettingsFile({"", "Name1: a; Ann", "b", "c", "d", "", ExePath("en.ini"), "7"});
    MainWindow& w = StartWindow();
    EXPECT_EQ(w.windowTitle(), "Quiz");
    EXPECT_EQ(Game().Config().Settings().All(), DefaultSettings(Game().Config().Language()));
    EXPECT_EQ(Game().Config().Settings().Line(6), "");
    CloseWindow();

    // Fewer than seven lines: the German table.
    WriteSettingsFile({"", "Name1: a; Ann"});
    MainWindow& german = StartWindow();
    EXPECT_EQ(german.windowTitle(), "Harvoline");
    EXPECT_EQ(Game().Config().Settings().All(), DefaultLines);
}

TEST_F(SettingsFile, APictureThatFailsToLoadCostsOnlyItsOwnPlaceAndIsNamedOnce) {
    WritePicture(ExePath("good.jpg"));
    WriteFile(ExePath("broken.jpg"), "not a picture at all");
    WriteFile(ExePath("wall.png"), "not a picture either");
    QStringList lines = DefaultLines;
    lines[0] = "Playlist: /music/party.m3u";
    lines[1] = "Name1: " + ExePath("good.jpg") + "; Ann";
    lines[2] = "Name2: " + ExePath("broken.jpg") + "; Ben";
    lines[3] = "Name3: Name3.jpg; Cid";
    lines[5] = ExePath("wall.png");
    lines[7] = "Guess a cover every 4 songs";
    lines << "highscore line";
    WriteSettingsFile(lines);
    MainWindow& w = StartWindow();
    EXPECT_EQ(w.Seats[1]->Name->Caption(), "Ann");
    EXPECT_EQ(w.Seats[1]->Picture->Picture().size(), QSize(40, 60));
    EXPECT_EQ(w.Seats[2]->Name->Caption(), "Ben");
    EXPECT_EQ(w.Seats[2]->Picture->Picture().size(), QSize(170, 230));
    EXPECT_EQ(w.Seats[3]->Name->Caption(), "Cid");
    EXPECT_EQ(Game().Config().CoverInterval(), 4);
    EXPECT_TRUE(Platform.Errors.isEmpty());
    ASSERT_EQ(Platform.Messages.size(), 1);
    EXPECT_TRUE(Platform.Messages[0].contains(ExePath("broken.jpg")));
    EXPECT_TRUE(Platform.Messages[0].contains(ExePath("wall.png")));
    EXPECT_EQ(Platform.Messages[0].count("broken.jpg"), 1);
    CloseWindow();
    EXPECT_EQ(SettingsFileLines(), lines);
}

TEST_F(SettingsFile, ShortFilesWithoutACoverIntervalGiveOneCoverRoundInTen) {
    for (const int count : {8, 9}) {
        Session.reset();
        QStringList lines = DefaultLines.mid(0, count);
        lines[7] = "no cover interval here";
        WriteSettingsFile(lines);
        StartWindow();
        EXPECT_EQ(Game().Config().CoverInterval(), 10) << count;
        EXPECT_EQ(Game().Config().SkipMs(), 2000) << count;
        EXPECT_EQ(Game().Config().Settings().All(), DefaultLines) << count;
    }
}

TEST_F(SettingsFile, BadFilesStartWithDefaultsOrWhatCouldBeRead) {
    QByteArray garbage(64 * 1024, '\0');
    QRandomGenerator random(7);
    for (char& c : garbage) {
        c = static_cast<char>(random.bounded(1, 256));
    }
    QByteArray large;
    while (large.size() < 10 * 1024 * 1024) {
        large += "Name1: nowhere/picture.jpg; Someone with a long name\r\n";
    }
    QByteArray longLine = DefaultLines.join("\r\n").toUtf8();
    longLine.replace("Name2: Name2.jpg; Name2", "Name2: " + QByteArray(100000, 'p') + "; Zoe");
    longLine += "\r\n" + QByteArray(100000, 'h') + "\r\n";

    const std::vector<std::pair<const char*, QByteArray>> files = {
        {"garbage", garbage}, {"10 MB", large}, {"100 000 characters", longLine}};
    for (const auto& [name, bytes] : files) {
        WriteFile(ExePath("Harvoline.ini"), bytes);
        MainWindow& w = StartWindow();
        EXPECT_GE(Game().Config().Settings().Count(), 10) << name;
        EXPECT_TRUE(Platform.Errors.isEmpty()) << name;
        EXPECT_EQ(Game().Config().Language().size(), 33) << name;
        for (int seat = 1; seat <= 4; ++seat) {
            EXPECT_LE(w.Seats[seat]->Name->Caption().size(), 98) << name;
        }
        CloseWindow();
        EXPECT_EQ(QDir(Folder.path()).entryList(QDir::Files), QStringList{"Harvoline.ini"}) << name;
    }
    EXPECT_EQ(SettingsFileLines()[2], "Name2: " + QString(100000, 'p') + "; Zoe");
}

TEST_F(SettingsFile, ErrorsAreWrittenAndOpenedOnlyWhenTheLogHasLines) {
    WriteFile(ExePath("errors.txt"), "from an earlier run\r\n");
    StartWindow();
    CloseWindow();
    EXPECT_EQ(ReadFile(ExePath("errors.txt")), "from an earlier run\r\n");
    EXPECT_TRUE(Platform.ShellOpened.isEmpty());

    StartWindow();
    Game().Config().ErrorLog() << "C:\\songs\\a.mp3 --> Datei nicht gefunden."
                               << "b.mp3 --> Lied kaputt";
    CloseWindow();
    EXPECT_EQ(ReadFile(ExePath("errors.txt")),
              "C:\\songs\\a.mp3 --> Datei nicht gefunden.\r\nb.mp3 --> Lied kaputt\r\n");
    EXPECT_EQ(Platform.ShellOpened, QStringList{ExePath("errors.txt")});
}

TEST_F(SettingsFile, UnwritableSettingsAreReportedByName) {
    Platform.ExeFolder = Folder.path() + "/missing-folder/";
    StartWindow();
    CloseWindow();
    ASSERT_EQ(Platform.Messages.size(), 1);
    EXPECT_TRUE(Platform.Messages[0].contains(Platform.ExeFolder + "Harvoline.ini"))
        << Platform.Messages[0].toStdString();
}

TEST_F(SettingsFile, AFileThatCannotBeReadIsReportedAndNotOverwritten) {
    const QString path = ExePath("Harvoline.ini");
    const struct {
        const char* Name;
        std::function<void()> Make;
        const char* Reason;
        std::function<bool()> StillThere;
    } cases[] = {
        {"a folder", [&] { QDir().mkdir(path); }, "not a regular file",
         [&] { return QFileInfo(path).isDir(); }},
        // A named pipe would hold the start until some program wrote to it.
        {"a named pipe", [&] { ::mkfifo(QFile::encodeName(path).constData(), 0600); },
         "not a regular file",
         [&] { return !QFileInfo(path).isFile() && QFileInfo::exists(path); }},
        {"a file of 65 MB",
         [&] {
             QFile file(path);
             file.open(QIODevice::WriteOnly);
             file.resize(65 * 1024 * 1024);
         },
         "the file is larger than 64 MB",
         [&] { return QFileInfo(path).size() == 65 * 1024 * 1024; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        c.Make();
        Platform.Messages.clear();
        StartWindow();
        EXPECT_EQ(Game().Config().Settings().All(), DefaultLines);
        ASSERT_EQ(Platform.Messages.size(), 1);
        EXPECT_TRUE(Platform.Messages[0].contains(path + ": " + c.Reason))
            << Platform.Messages[0].toStdString();
        CloseWindow();
        EXPECT_TRUE(c.StillThere());
        QDir().rmdir(path);
        QFile::remove(path);
    }
}

TEST_F(SettingsFile, TheErrorLogIsWrittenEvenWhenTheSettingsCouldNotBeRead) {
    ASSERT_TRUE(QDir(Folder.path()).mkdir("Harvoline.ini"));
    StartWindow();
    Game().Config().ErrorLog() << "/music/gone.mp3 --> read error";
    CloseWindow();
    EXPECT_EQ(ReadFile(ExePath("errors.txt")), "/music/gone.mp3 --> read error\r\n");
    EXPECT_EQ(Platform.ShellOpened, QStringList{ExePath("errors.txt")});
}
