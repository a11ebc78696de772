// A new user's first quiz night on the real program, driven from outside as a person would:
// mouse and keyboard through xdotool, eyes through screenshots of the X display. Runs under
// Xvfb with a screen of the window's design size, so the window fills the screen at 0, 0
// and every control stands at its design place.
//
// Each stage leaves a screenshot in HARVOLINE_QUIZ_NIGHT_SHOTS; a failed wait leaves one
// named after what it waited for.
#include "model/game/highscores.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

constexpr int Seconds = 1000;

// Screen places of the design-size window.
const QPoint StartButton(60, 220);
const QPoint ProgramIcon(281, 20);
const QPoint Player1Name(60, 502);
const QPoint QuietSpot(700, 120); // the background, right of the title
const QRect SongCount(560, 4, 230, 22);
const QRect Frame(0, 280, 3, 40); // the left edge of the window's frame
const QRect AnswerLines(50, 38, 580, 156);
const QRect MiniCover(632, 34, 161, 161);
const QRect CoverArea(160, 80, 480, 440);
const QRect VideoArea(147, 243, 505, 321);
const QPoint AnswerBar(366, 206);  // left end of the shrinking bar
const QPoint NameEditor(140, 492); // right end of player 1's name editor

QPoint PanelSpot(int seat) {
    return {5 + 200 * (seat - 1) + 5, 248 + 150};
}
QRect AnswerLine(int choice) {
    return {50, 34 + 40 * (choice - 1) + 4, 86, 34};
}
QString PlayerKey(int seat) {
    return QString("qymp").mid(seat - 1, 1);
}

[[noreturn]] void Fail(const QString& what) {
    throw std::runtime_error(what.toStdString());
}

struct Output {
    int Code = -1;
    QByteArray Text;
};

Output Execute(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(20 * Seconds)) {
        process.kill();
        process.waitForFinished();
        Fail(program + " did not finish: " + arguments.join(' '));
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput()};
}

void Xdo(const QStringList& arguments) {
    if (Execute("xdotool", arguments).Code != 0) {
        Fail("xdotool " + arguments.join(' ') + " failed");
    }
}

bool Near(QRgb pixel, int r, int g, int b, int tolerance = 12) {
    return std::abs(qRed(pixel) - r) <= tolerance && std::abs(qGreen(pixel) - g) <= tolerance &&
           std::abs(qBlue(pixel) - b) <= tolerance;
}

int Count(const QImage& image, const QRect& area, const std::function<bool(QRgb)>& match) {
    int found = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            found += match(image.pixel(x, y)) ? 1 : 0;
        }
    }
    return found;
}

double Share(const QImage& image, const QRect& area, const std::function<bool(QRgb)>& match) {
    return Count(image, area, match) / double(area.width() * area.height());
}

bool IsLime(QRgb p) {
    return qGreen(p) >= 230 && qRed(p) <= 60 && qBlue(p) <= 60;
}
bool IsRed(QRgb p) {
    return qRed(p) >= 230 && qGreen(p) <= 40 && qBlue(p) <= 40;
}
bool IsBlack(QRgb p) {
    return qRed(p) + qGreen(p) + qBlue(p) <= 6;
}
bool IsYellow(QRgb p) {
    return Near(p, 255, 255, 0, 4);
}

enum class Mark { Open, Red, Other };

// A player's panel: money green when open, red while answering or after a right answer,
// anything else when dimmed by the lock-out or hidden.
Mark PanelMark(const QImage& screen, int seat) {
    const QRgb pixel = screen.pixel(PanelSpot(seat));
    if (Near(pixel, 192, 220, 192, 4)) {
        return Mark::Open;
    }
    return Near(pixel, 255, 0, 0, 4) ? Mark::Red : Mark::Other;
}

bool AnswerWindowOpen(const QImage& screen) {
    return Near(screen.pixel(AnswerBar), 192, 220, 192, 4);
}

class QuizNight : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(Work.isValid());
        App = Work.filePath("app");
        QDir().mkpath(App);
        QDir(Shots).removeRecursively();
        QDir().mkpath(Shots);
        const QString build = HARVOLINE_BUILD_DIR;
        ASSERT_TRUE(QFile::copy(HARVOLINE_BINARY, App + "/harvoline"));
        for (const char* folder : {"demo", "cover", "video", "languages"}) {
            ASSERT_TRUE(QFile::link(build + "/" + folder, App + "/" + folder)) << folder;
        }
        // The error list is shown with the desktop's viewer; here the viewer notes the file.
        QDir().mkpath(Work.filePath("bin"));
        QFile viewer(Work.filePath("bin/xdg-open"));
        ASSERT_TRUE(viewer.open(QIODevice::WriteOnly));
        viewer.write(("#!/bin/sh\necho \"$@\" >>'" + Work.filePath("opened.txt") + "'\n").toUtf8());
        viewer.close();
        viewer.setPermissions(viewer.permissions() | QFileDevice::ExeOwner);
    }

    void TearDown() override {
        if (Program.state() != QProcess::NotRunning) {
            Program.kill();
            Program.waitForFinished();
        }
        QFile::remove(Shots + "/harvoline.log");
        QFile::copy(Work.filePath("harvoline.log"), Shots + "/harvoline.log");
    }

    QImage Screen() {
        const Output shot = Execute("import", {"-window", "root", "png:-"});
        QImage image = QImage::fromData(shot.Text, "PNG").convertToFormat(QImage::Format_RGB32);
        if (image.isNull() || image.size() != QSize(800, 566)) {
            Fail("no screenshot of the display");
        }
        return image;
    }

    void Shot(const QString& name) { Screen().save(Shots + "/" + name + ".png"); }

    void WaitUntil(const QString& what, const std::function<bool(const QImage&)>& done,
                   int timeout = 15 * Seconds) {
        QElapsedTimer clock;
        clock.start();
        for (;;) {
            const QImage screen = Screen();
            if (done(screen)) {
                return;
            }
            if (clock.elapsed() > timeout) {
                QString name = what;
                screen.save(Shots + "/failed " + name.replace('/', ' ') + ".png");
                Fail("timed out waiting: " + what);
            }
            QThread::msleep(150);
        }
    }

    void Click(QPoint at) {
        Xdo({"mousemove", QString::number(at.x()), QString::number(at.y()), "click", "1"});
    }

    // Keys go to the window under the pointer unless a dialog took the focus.
    void Key(const QString& key) {
        Xdo({"mousemove", QString::number(QuietSpot.x()), QString::number(QuietSpot.y())});
        Xdo({"key", "--delay", "40", key});
    }

    void Type(const QString& text) { Xdo({"type", "--delay", "15", text}); }

    // The program's own top-level windows that X shows now, menus left out.
    QStringList Dialogs() {
        const Output found =
            Execute("xdotool", {"search", "--onlyvisible", "--class", "harvoline"});
        QStringList dialogs;
        for (const QString& id : QString::fromUtf8(found.Text).split('\n', Qt::SkipEmptyParts)) {
            const QString info = QString::fromUtf8(Execute("xwininfo", {"-id", id}).Text);
            const QString tree = QString::fromUtf8(Execute("xwininfo", {"-tree", "-id", id}).Text);
            if (id != MainWindow && info.contains("Override Redirect State: no") &&
                tree.contains(QRegularExpression(R"(Parent window id: \S+ \(the root window\))"))) {
                dialogs << id;
            }
        }
        return dialogs;
    }

    QString WindowName(const QString& id) {
        return QString::fromUtf8(Execute("xdotool", {"getwindowname", id}).Text).trimmed();
    }

    QString WaitForDialog(const QString& title, int timeout = 15 * Seconds) {
        QString dialog;
        WaitUntil(
            "a dialog " + title,
            [&](const QImage&) {
                for (const QString& id : Dialogs()) {
                    if (WindowName(id).startsWith(title)) {
                        dialog = id;
                        return true;
                    }
                }
                return false;
            },
            timeout);
        Xdo({"windowfocus", "--sync", dialog});
        return dialog;
    }

    void WaitForDialogsToClose() {
        WaitUntil("the dialogs to close", [&](const QImage&) { return Dialogs().isEmpty(); });
    }

    // Answers an open file dialog with a path typed into its file name field.
    void ChooseFile(const QString& title, const QString& path) {
        WaitForDialog(title);
        Xdo({"key", "ctrl+a"});
        Type(path);
        Xdo({"key", "Return"});
        WaitForDialogsToClose();
    }

    void ConfirmMessage(const QString& shot = {}) {
        WaitForDialog("Harvoline");
        if (!shot.isEmpty()) {
            Shot(shot);
        }
        Xdo({"key", "Return"});
        WaitForDialogsToClose();
    }

    void ChooseFromMenu(const QString& accelerator) {
        const int before = Execute("xdotool", {"search", "--onlyvisible", "--class", "harvoline"})
                               .Text.count('\n');
        Click(ProgramIcon);
        WaitUntil("the menu", [&](const QImage&) {
            return Execute("xdotool", {"search", "--onlyvisible", "--class", "harvoline"})
                       .Text.count('\n') > before;
        });
        Xdo({"key", accelerator});
    }

    enum class Round { Started, CoverRound, PlaylistEnded };

    // Presses Start for the next round. Every round gives the window's frame a new random
    // colour; a cover round also lays the grid over the window; the end of the playlist
    // shows its message.
    Round NextRound() {
        const QImage before = Screen().copy(Frame);
        Click(StartButton);
        Round result = Round::Started;
        WaitUntil("the next round", [&](const QImage& screen) {
            if (const QStringList dialogs = Dialogs(); !dialogs.isEmpty()) {
                screen.save(Shots + "/last message " + WindowName(dialogs[0]) + ".png");
                result = Round::PlaylistEnded;
                return true;
            }
            if (screen.copy(Frame) == before) {
                return false;
            }
            if (Share(screen, CoverArea, IsYellow) > 0.5) {
                result = Round::CoverRound;
            }
            return true;
        });
        return result;
    }

    void Buzz(int seat) {
        Key(PlayerKey(seat));
        WaitUntil(QString("player %1 to buzz in").arg(seat), AnswerWindowOpen);
    }

    // Every player in turn buzzes in and answers with their own number until one is right:
    // a wrong choice empties its line and locks the player out, a right one turns it red.
    void PlayersAnswerUntilRight() {
        for (int seat = 1; seat <= 4; ++seat) {
            Buzz(seat);
            Key(QString::number(seat));
            WaitUntil("the answer to be judged",
                      [](const QImage& screen) { return !AnswerWindowOpen(screen); });
            const QImage screen = Screen();
            if (Count(screen, AnswerLine(seat), IsRed) > 20) {
                ++RightAnswers;
                return;
            }
            ++WrongAnswers;
        }
        Fail("nobody found the right answer");
    }

    // The clue steps of a song round: titles after 10 s, whole answers after 20 s and, after
    // 30 s, the song's own picture under four masks, when the song has one.
    bool WatchClues(const QString& shot) {
        int titles = 0;
        WaitUntil(
            "the titles",
            [&](const QImage& screen) {
                titles = Count(screen, AnswerLines, IsLime);
                return titles > 400;
            },
            25 * Seconds);
        WaitUntil(
            "the whole answers",
            [&](const QImage& screen) {
                return Count(screen, AnswerLines, IsLime) > titles * 5 / 4;
            },
            25 * Seconds);
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 15 * Seconds) {
            // Each mask hides a quarter and one goes every 1.5 s; a loaded machine takes
            // screenshots slowly, so three masks still in place count as the clue too.
            if (Share(Screen(), MiniCover, IsBlack) > 0.7) {
                QThread::msleep(2200);
                Shot(shot);
                return true;
            }
        }
        Shot("no picture clue");
        return false;
    }

    QTemporaryDir Work;
    QString App;
    const QString Shots = HARVOLINE_QUIZ_NIGHT_SHOTS;
    QProcess Program;
    QString MainWindow;
    int RightAnswers = 0;
    int WrongAnswers = 0;
};

TEST_F(QuizNight, ANewUsersFirstNight) {
    const QString demo = App + "/demo/Demo.m3u";
    // The solo game's playlist holds one song nine times, so its only choice is right.
    const QString solo = Work.filePath("Solo.m3u");
    {
        QFile playlist(solo);
        ASSERT_TRUE(playlist.open(QIODevice::WriteOnly));
        for (int i = 0; i < 9; ++i) {
            playlist.write((App + "/demo/orbit-of-sugar.mp3\n").toUtf8());
        }
    }

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("PATH", Work.filePath("bin") + ":" + environment.value("PATH"));
    // A first start speaks the system's language; this night begins in German.
    environment.insert("LANG", "C.UTF-8");
    environment.remove("LC_ALL");
    environment.remove("LC_MESSAGES");
    Program.setProcessEnvironment(environment);
    Program.setWorkingDirectory(App);
    Program.setProcessChannelMode(QProcess::MergedChannels);
    Program.setStandardOutputFile(Work.filePath("harvoline.log"));
    Program.start(App + "/harvoline", {});
    ASSERT_TRUE(Program.waitForStarted());

    // The window appears with its start-up hints.
    WaitUntil("the window",
              [&](const QImage& screen) { return PanelMark(screen, 1) == Mark::Open; });
    MainWindow = QString::fromUtf8(
                     Execute("xdotool", {"search", "--onlyvisible", "--class", "harvoline"}).Text)
                     .trimmed();
    ASSERT_FALSE(MainWindow.contains('\n'));
    ASSERT_FALSE(QFile::exists(App + "/Harvoline.ini"));
    Shot("01 start");

    // Start opens the playlist dialog; the demo playlist starts the first round.
    Click(StartButton);
    WaitForDialog("Playlist öffnen");
    Shot("02 playlist dialog");
    ChooseFile("Playlist öffnen", demo);

    // Round 1 runs through its clues, then the players answer in turn.
    bool maskedCoverSeen = WatchClues("03 song round");
    PlayersAnswerUntilRight();
    Shot("04 right answer");

    // Round 2: player 2 buzzes in and lets the time run out; the turn is open again.
    ASSERT_EQ(NextRound(), Round::Started);
    const auto turnOver = [](const QImage& screen) {
        return !AnswerWindowOpen(screen) && PanelMark(screen, 2) == Mark::Open;
    };
    Buzz(2);
    EXPECT_EQ(PanelMark(Screen(), 2), Mark::Red);
    Shot("05 player 2 answers");
    WaitUntil("the time-up", turnOver);
    Buzz(2);
    WaitUntil("the second time-up", turnOver);

    // Rounds 3 to 5 are skipped, unless the picture clue is still to be seen.
    for (int round = 3; round <= 5; ++round) {
        ASSERT_EQ(NextRound(), Round::Started);
        if (!maskedCoverSeen) {
            maskedCoverSeen = WatchClues("03 song round");
        }
    }
    EXPECT_TRUE(maskedCoverSeen) << "no song's picture clue in four rounds";

    // After five song rounds a music video plays.
    ASSERT_EQ(NextRound(), Round::Started);
    // The film plays above the player panels that it overlaps.
    // libvlc sets up its video output only once the film starts, which takes a while on a
    // busy machine.
    WaitUntil(
        "the video",
        [&](const QImage& screen) {
            return Execute("xwininfo", {"-tree", "-id", MainWindow}).Text.contains("505x321+") &&
                   Share(screen, VideoArea, [](QRgb p) { return !IsBlack(p); }) > 0.6;
        },
        30 * Seconds);
    QThread::msleep(3 * Seconds);
    Shot("06 video round");
    PlayersAnswerUntilRight();

    // Four song rounds later comes the cover round.
    for (int round = 7; round <= 10; ++round) {
        ASSERT_EQ(NextRound(), Round::Started);
    }
    ASSERT_EQ(NextRound(), Round::CoverRound);
    QThread::msleep(6 * Seconds);
    Shot("07 cover round");
    PlayersAnswerUntilRight();
    Shot("08 cover revealed");

    // The playlist plays on until it ends; players answer until one of them went wrong.
    Round round = Round::Started;
    while ((round = NextRound()) == Round::Started) {
        if (WrongAnswers == 0) {
            PlayersAnswerUntilRight();
        }
    }
    ASSERT_EQ(round, Round::PlaylistEnded);
    ConfirmMessage("09 playlist finished");
    WaitUntil("the standings",
              [](const QImage& screen) { return PanelMark(screen, 1) == Mark::Other; });
    Shot("09 standings");
    Key("Return");
    WaitUntil("the players",
              [](const QImage& screen) { return PanelMark(screen, 1) == Mark::Open; });
    EXPECT_GT(WrongAnswers, 0);
    EXPECT_GE(RightAnswers, 3);

    // Player 1 takes a name.
    Xdo({"mousemove", QString::number(Player1Name.x()), QString::number(Player1Name.y()), "click",
         "--repeat", "2", "--delay", "80", "1"});
    WaitUntil("the name editor", [](const QImage& screen) {
        return Near(screen.pixel(NameEditor), 255, 255, 255, 4);
    });
    Xdo({"key", "ctrl+a"});
    Type("Anna");
    Xdo({"key", "Return"});
    WaitUntil("the new name", [](const QImage& screen) {
        return !Near(screen.pixel(NameEditor), 255, 255, 255, 4);
    });

    // The demo playlist once more, from the menu, played straight to its end.
    ChooseFromMenu("p");
    ChooseFile("Playlist öffnen", demo);
    while ((round = NextRound()) != Round::PlaylistEnded) {
    }
    ConfirmMessage();

    // The help page, closed with Esc.
    ChooseFromMenu("k");
    WaitUntil("the help page",
              [](const QImage& screen) { return PanelMark(screen, 1) == Mark::Other; });
    Shot("10 help");
    Key("Escape");
    WaitUntil("the players",
              [](const QImage& screen) { return PanelMark(screen, 1) == Mark::Open; });

    // English from the menu: the song count speaks English now.
    const QImage german = Screen().copy(SongCount);
    ChooseFromMenu("s");
    ChooseFile("Sprache öffnen", App + "/languages/English.ini");
    WaitUntil("English texts",
              [&](const QImage& screen) { return screen.copy(SongCount) != german; });
    Shot("11 english");

    // Single player against the clock, on the solo playlist.
    ChooseFromMenu("s");
    WaitUntil("a single seat", [](const QImage& screen) {
        return PanelMark(screen, 1) == Mark::Open && PanelMark(screen, 4) == Mark::Other;
    });
    Click(StartButton);
    ChooseFile("Open playlist", solo);
    Buzz(1);
    Key("1");
    WaitUntil("the right answer", [](const QImage& screen) { return !AnswerWindowOpen(screen); });
    EXPECT_GT(Count(Screen(), AnswerLine(1), IsRed), 20);
    ASSERT_EQ(NextRound(), Round::Started);
    WaitForDialog("Harvoline", 150 * Seconds);
    ConfirmMessage("12 time is up");

    ChooseFromMenu("h");
    WaitUntil("the highscores",
              [](const QImage& screen) { return PanelMark(screen, 1) == Mark::Other; });
    Shot("13 highscores");
    Key("Escape");

    // Exit from the menu: the settings and the error list are written.
    ChooseFromMenu("x");
    ASSERT_TRUE(Program.waitForFinished(30 * Seconds));
    EXPECT_EQ(Program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(Program.exitCode(), 0);
    QFile log(Work.filePath("harvoline.log"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QByteArray output = log.readAll();
    EXPECT_FALSE(output.contains("Sanitizer")) << output.toStdString();
    EXPECT_FALSE(output.contains("runtime error")) << output.toStdString();

    QFile settingsFile(App + "/Harvoline.ini");
    ASSERT_TRUE(settingsFile.open(QIODevice::ReadOnly));
    const QStringList settings = QString::fromLatin1(settingsFile.readAll()).split("\r\n");
    ASSERT_GE(settings.size(), 12);
    EXPECT_EQ(settings[0], "Playlist: " + solo);
    EXPECT_TRUE(settings[1].endsWith("; Anna")) << settings[1].toStdString();
    EXPECT_EQ(settings[6], App + "/languages/English.ini");
    EXPECT_TRUE(QRegularExpression(R"(^Anna: 003; \d+:\d\d:\d\d$)")
                    .match(harvoline::ScrambleLine(settings[11], -1))
                    .hasMatch())
        << harvoline::ScrambleLine(settings[11], -1).toStdString();

    QFile errors(App + "/errors.txt");
    ASSERT_TRUE(errors.open(QIODevice::ReadOnly));
    EXPECT_TRUE(errors.readAll().contains("lost-and-never-found.mp3 --> Datei nicht gefunden."));
    QFile opened(Work.filePath("opened.txt"));
    WaitUntil("the error list to be shown", [&](const QImage&) { return opened.exists(); });
    ASSERT_TRUE(opened.open(QIODevice::ReadOnly));
    EXPECT_TRUE(opened.readAll().contains("errors.txt"));
}

} // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
