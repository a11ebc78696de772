#include "model/config/language.h"
#include "model/game/highscores.h"
#include "tests/support/playlist_fixture.h"

#include <QTest>

using namespace harvoline;
using namespace harvoline::testing;

namespace {

class SinglePlayer : public PlaylistTest {
  protected:
    // Single-player mode on and the first round of a fresh playlist running.
    TfrmMain& StartSingleGame() {
        TfrmMain& w = StartWindow();
        w.Einzelspieler1Click();
        Platform.DialogAnswers.push_back(WritePlaylist(WriteSongs(14)));
        w.Start->click();
        EXPECT_TRUE(w.Timer2->isActive());
        return w;
    }

    // One tick of the game clock, when it runs.
    static void Tick(TfrmMain& w) {
        if (w.Timer2->isActive()) {
            w.Timer2Timer();
        }
    }

    static void SetPlayerOne(TfrmMain& w, const QString& name, int score, const QString& time) {
        w.Spieler[1]->SetCaption(name);
        w.PlayerPunkte[1]->SetCaption(QString::number(score));
        w.PlayerZeit[1]->SetCaption(time);
    }

    // The last stretch of a game: the clock's next step reaches the limit.
    static void RunOutOfTime(TfrmMain& w) {
        w.SingleGameTime = 74990;
        w.CountSingleGameTime(10);
    }

    static QStringList Highscores(const TfrmMain& w) {
        QStringList lines;
        for (int i = FirstHighscoreLine; i < w.Settings.Count(); ++i) {
            lines << ScrambleLine(w.Settings.Line(i), -1);
        }
        return lines;
    }

    static QStringList Scrambled(const QStringList& lines) {
        QStringList scrambled;
        for (const QString& line : lines) {
            scrambled << ScrambleLine(line, +1);
        }
        return scrambled;
    }

    static QStringList DefaultLines() { return DefaultSettings(DefaultLanguageTable()); }
};

} // namespace

TEST(Highscores, ScramblingMatchesTheGeneratorsFirstDraws) {
    // Seed 6853, s = s * 134775813 + 1, r = (s * 90) >> 32 gives 4, 67, 34, 22, 71, 73, ...
    struct Case {
        const char* Plain;
        const char* Scrambled;
    };
    const Case cases[] = {
        {"AAAA", "E)cW"}, // 65+4, 65+67-91, 65+34, 65+22
        {"zzzz", "#bA5"}, // 122+4-91, ...
        {"Name1: 012; 0:04:37", R"(RI4 x(*McN)= #q_<'O)"},
        {"Bob: 007; 1:00:00", "FW)Pgy:Tm<zW t [2"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ScrambleLine(QString::fromUtf8(c.Plain), +1), QString::fromUtf8(c.Scrambled))
            << c.Plain;
        EXPECT_EQ(ScrambleLine(QString::fromUtf8(c.Scrambled), -1), QString::fromUtf8(c.Plain));
    }
    // The umlaut takes no draw: the r after it is shifted by the second number, 67.
    EXPECT_EQ(ScrambleLine(QStringLiteral("Jörg"), +1), QStringLiteral("NöZ."));
}

TEST(Highscores, LinesAndKeys) {
    EXPECT_EQ(HighscoreLine("Name1", 12, "0:04:37"), "Name1: 012; 0:04:37");
    EXPECT_EQ(HighscoreLine("Ann", 1234, "1:00:00"), "Ann: 1234; 1:00:00");
    EXPECT_EQ(HighscoreKey("Name1: 012; 0:04:37"), "012; 0:04:37");
    EXPECT_EQ(HighscoreKey("X: 9: 001; 1:00:00"), "9: 001; 1:00:00");
}

TEST_F(SinglePlayer, TheHighscoreGoesAboveEveryLineItEqualsOrBeats) {
    struct Case {
        const char* What;
        QStringList Stored;
        QString Name;
        int Score;
        QString Time;
        QStringList Expected;
    };
    const std::vector<Case> cases = {
        {"first line", {}, "Name1", 12, "0:04:37", {"Name1: 012; 0:04:37"}},
        {"7 above 5",
         {"Ann: 005; 0:10:00"},
         "Bob",
         7,
         "1:00:00",
         {"Bob: 007; 1:00:00", "Ann: 005; 0:10:00"}},
        {"equal key above",
         {"Ann: 012; 0:04:37"},
         "Bob",
         12,
         "0:04:37",
         {"Bob: 012; 0:04:37", "Ann: 012; 0:04:37"}},
        {"1:00:00 above 0:04:37",
         {"Ann: 012; 0:04:37"},
         "Bob",
         12,
         "1:00:00",
         {"Bob: 012; 1:00:00", "Ann: 012; 0:04:37"}},
        {"below a greater time",
         {"Ann: 020; 0:09:00", "Cid: 012; 1:00:00", "Dan: 003; 0:01:00"},
         "Bob",
         12,
         "0:04:37",
         {"Ann: 020; 0:09:00", "Cid: 012; 1:00:00", "Bob: 012; 0:04:37", "Dan: 003; 0:01:00"}},
        {"last",
         {"Ann: 020; 0:09:00"},
         "Bob",
         2,
         "0:30:00",
         {"Ann: 020; 0:09:00", "Bob: 002; 0:30:00"}},
        {"a name with ': ' ranks by what follows it",
         {"Ann: 100; 0:01:00"},
         "X: 999",
         1,
         "1:00:00",
         {"X: 999: 001; 1:00:00", "Ann: 100; 0:01:00"}},
        {"score 0 records nothing",
         {"Ann: 005; 0:10:00"},
         "Bob",
         0,
         "1:00:00",
         {"Ann: 005; 0:10:00"}},
        {"below 0 neither", {}, "Bob", -3, "1:00:00", {}},
    };
    for (const Case& c : cases) {
        WriteSettingsFile(DefaultLines() + Scrambled(c.Stored));
        TfrmMain& w = StartWindow();
        w.Einzelspieler1Click();
        SetPlayerOne(w, c.Name, c.Score, c.Time);
        RunOutOfTime(w);
        EXPECT_EQ(Highscores(w), c.Expected) << c.What;
        EXPECT_EQ(w.Settings.All().mid(0, FirstHighscoreLine), DefaultLines()) << c.What;
        Window.reset();
    }
}

TEST_F(SinglePlayer, AHighscoreNeverTakesTheLineOfASetting) {
    // A file cut after line 9 still starts; its line 10 comes back before the highscore.
    WriteSettingsFile(DefaultLines().mid(0, 10));
    TfrmMain& w = StartWindow();
    ASSERT_EQ(w.Settings.Count(), 10);
    w.Einzelspieler1Click();
    SetPlayerOne(w, "Ann", 4, "0:05:00");
    RunOutOfTime(w);
    EXPECT_EQ(w.Settings.All().mid(0, FirstHighscoreLine), DefaultLines());
    EXPECT_EQ(Highscores(w), QStringList{"Ann: 004; 0:05:00"});
}

TEST_F(SinglePlayer, TheGameEndsAfterItsClockTimeAndNotDuringTheAnswerWindow) {
    TfrmMain& w = StartSingleGame();
    EXPECT_TRUE(IsShown(w.PlayerP[1]));
    for (int seat = 2; seat <= 4; ++seat) {
        EXPECT_FALSE(IsShown(w.PlayerP[seat]));
    }
    int counted = 0;
    while (counted < 30000) {
        counted += w.Timer2->interval();
        Tick(w);
    }
    EXPECT_EQ(w.SingleGameTime, counted);

    // The answer window and a right answer stop the game's clock until the next round.
    QTest::keyClick(&w, Qt::Key_Q);
    ASSERT_EQ(w.CurrentPlayer, 1);
    for (int tick = 0; tick < 20; ++tick) {
        w.Timer3Timer();
        Tick(w);
    }
    const int rightChoice = static_cast<int>(w.AnswerList.All().indexOf(w.CorrectAnswer)) + 1;
    w.AnswerButton[rightChoice]->click();
    ASSERT_EQ(w.CurrentPlayer, 99);
    for (int tick = 0; tick < 50; ++tick) {
        Tick(w);
    }
    EXPECT_EQ(w.SingleGameTime, counted);
    const int score = w.Score(1);
    ASSERT_GT(score, 0);
    const QString bestTime = w.PlayerZeit[1]->Caption();

    w.Start->click();
    while (Platform.Informations.isEmpty()) {
        ASSERT_LT(counted, 75000);
        counted += w.Timer2->interval();
        Tick(w);
    }
    EXPECT_GE(counted, 75000);
    EXPECT_LT(counted - w.Timer2->interval(), 75000);
    EXPECT_EQ(Platform.Informations, QStringList{"Zeit ist um!"});
    EXPECT_EQ(w.SingleGameTime, 0);
    EXPECT_TRUE(w.SinglePlayerMode);
    EXPECT_EQ(w.Start->text(), "Start");
    for (const QTimer* timer : {w.Timer1, w.Timer2, w.Timer3, w.Timer6}) {
        EXPECT_FALSE(timer->isActive()) << timer->objectName().toStdString();
    }
    EXPECT_EQ(Highscores(w), QStringList{HighscoreLine("Name1", score, bestTime)});
    EXPECT_EQ(w.Score(1), score);
}

TEST_F(SinglePlayer, TheMenuItemAsksOnlyWhileAGameIsUnderWay) {
    TfrmMain& w = StartWindow();
    w.Einzelspieler1Click();
    SetPlayerOne(w, "Ann", 5, "0:03:00");
    w.SingleGameTime = 30000;
    w.PlayerP[3]->show();
    w.PlayerP[1]->hide();
    Platform.YesNoAnswers = {false, true};

    // No: the game goes on with its time and score, on its own seat.
    w.Einzelspieler1Click();
    EXPECT_EQ(Platform.Questions, QStringList{"Einzelspielermodus neu starten?"});
    EXPECT_EQ(w.SingleGameTime, 30000);
    EXPECT_EQ(w.Score(1), 5);
    EXPECT_EQ(w.PlayerZeit[1]->Caption(), "0:03:00");
    EXPECT_TRUE(IsShown(w.PlayerP[1]));
    EXPECT_FALSE(IsShown(w.PlayerP[3]));

    w.Einzelspieler1Click();
    EXPECT_EQ(Platform.Questions.size(), 2);
    EXPECT_EQ(w.SingleGameTime, 0);
    EXPECT_EQ(w.PlayerPunkte[1]->Caption(), "0");
    EXPECT_EQ(w.PlayerZeit[1]->Caption(), "1:00:00");

    // After a finished game it starts afresh without asking.
    SetPlayerOne(w, "Ann", 8, "0:02:00");
    RunOutOfTime(w);
    w.Einzelspieler1Click();
    EXPECT_EQ(Platform.Questions.size(), 2);
    EXPECT_EQ(w.PlayerPunkte[1]->Caption(), "0");
    EXPECT_EQ(w.PlayerZeit[1]->Caption(), "1:00:00");
}

TEST_F(SinglePlayer, HighscoresSurviveARestartAndTheInfoPageShowsFifteen) {
    {
        TfrmMain& w = StartWindow();
        w.Einzelspieler1Click();
        for (int score = 1; score <= 20; ++score) {
            SetPlayerOne(w, "Ann", score, "0:01:00");
            RunOutOfTime(w);
        }
        CloseWindow();
    }
    const QStringList file = SettingsFileLines();
    ASSERT_EQ(file.size(), FirstHighscoreLine + 20);
    EXPECT_EQ(file[FirstHighscoreLine], ScrambleLine("Ann: 020; 0:01:00", +1));

    TfrmMain& w = StartWindow();
    w.InfoClick();
    const QStringList page = w.InfoText->Caption().split('\n');
    ASSERT_EQ(page.size(), 2 + 15 + 2);
    EXPECT_EQ(page[2], "1) Ann: 020; 0:01:00");
    EXPECT_EQ(page[16], "15) Ann: 006; 0:01:00");
}
