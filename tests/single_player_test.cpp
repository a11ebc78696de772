#include "model/config/language.h"
#include "model/config/settings.h"
#include "model/game/highscores.h"
#include "tests/support/game_fixture.h"
#include "tests/support/window_fixture.h"
#include "ui/help_view.h"
#include "ui/widgets/caption_label.h"

#include <QAction>
#include <QPushButton>

using namespace harvoline;
using namespace harvoline::testing;

namespace {

QStringList DefaultLines() {
    return DefaultSettings(DefaultLanguageTable());
}

QStringList Scrambled(const QStringList& lines) {
    QStringList scrambled;
    for (const QString& line : lines) {
        scrambled << ScrambleLine(line, +1);
    }
    return scrambled;
}

QStringList Highscores(const SettingsLines& settings) {
    QStringList lines;
    for (int i = FirstHighscoreLine; i < settings.Count(); ++i) {
        lines << ScrambleLine(settings.Line(i), -1);
    }
    return lines;
}

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

TEST(Highscores, TheLineGoesAboveEveryLineItEqualsOrBeats) {
    struct Case {
        const char* What;
        QStringList Stored;
        QString Line;
        QStringList Expected;
    };
    const std::vector<Case> cases = {
        {"first line", {}, "Name1: 012; 0:04:37", {"Name1: 012; 0:04:37"}},
        {"7 above 5",
         {"Ann: 005; 0:10:00"},
         "Bob: 007; 1:00:00",
         {"Bob: 007; 1:00:00", "Ann: 005; 0:10:00"}},
        {"equal key above",
         {"Ann: 012; 0:04:37"},
         "Bob: 012; 0:04:37",
         {"Bob: 012; 0:04:37", "Ann: 012; 0:04:37"}},
        {"1:00:00 above 0:04:37",
         {"Ann: 012; 0:04:37"},
         "Bob: 012; 1:00:00",
         {"Bob: 012; 1:00:00", "Ann: 012; 0:04:37"}},
        {"below a greater time",
         {"Ann: 020; 0:09:00", "Cid: 012; 1:00:00", "Dan: 003; 0:01:00"},
         "Bob: 012; 0:04:37",
         {"Ann: 020; 0:09:00", "Cid: 012; 1:00:00", "Bob: 012; 0:04:37", "Dan: 003; 0:01:00"}},
        {"last",
         {"Ann: 020; 0:09:00"},
         "Bob: 002; 0:30:00",
         {"Ann: 020; 0:09:00", "Bob: 002; 0:30:00"}},
        {"a name with ': ' ranks by what follows it",
         {"Ann: 100; 0:01:00"},
         "X: 999: 001; 1:00:00",
         {"X: 999: 001; 1:00:00", "Ann: 100; 0:01:00"}},
    };
    for (const Case& c : cases) {
        SettingsLines settings;
        settings.Replace(DefaultLines() + Scrambled(c.Stored));
        InsertHighscore(settings, c.Line, DefaultLines());
        EXPECT_EQ(Highscores(settings), c.Expected) << c.What;
        EXPECT_EQ(settings.All().mid(0, FirstHighscoreLine), DefaultLines()) << c.What;
    }
}

TEST(Highscores, NeverTakeTheLineOfASetting) {
    // A file cut after line 9 gets its line 10 back before the highscore.
    SettingsLines settings;
    settings.Replace(DefaultLines().mid(0, 10));
    InsertHighscore(settings, "Ann: 004; 0:05:00", DefaultLines());
    EXPECT_EQ(settings.All().mid(0, FirstHighscoreLine), DefaultLines());
    EXPECT_EQ(Highscores(settings), QStringList{"Ann: 004; 0:05:00"});
}

namespace {

class SinglePlayer : public GameTest {
  protected:
    // Single-player mode on and the first round of a fresh playlist running.
    QuizGame& StartSingleGame() {
        QuizGame& game = StartUp();
        game.StartSinglePlayer();
        Platform.DialogAnswers.push_back(WritePlaylist(WriteSongs(14)));
        game.Proceed();
        EXPECT_TRUE(game.Timers().RoundClockTimer.isActive());
        return game;
    }

    // One tick of the round's clock, when it runs.
    static void Tick(QuizGame& game) {
        if (game.Timers().RoundClockTimer.isActive()) {
            game.TickRoundClock();
        }
    }

    // The last stretch of a game: the clock's next step reaches the limit.
    static void RunOutOfTime(QuizGame& game) {
        game.SingleGame().SingleGameElapsedMs = 74990;
        game.CountSingleGameTime(10);
    }
};

} // namespace

TEST_F(SinglePlayer, OnlyAScoreAboveNaughtGoesIntoTheHighscores) {
    struct Case {
        const char* What;
        std::function<void(QuizGame&)> Play;
        QStringList Expected;
    };
    const Case cases[] = {
        {"no answer", [](QuizGame&) {}, {}},
        {"a right answer",
         [](QuizGame& game) {
             game.Buzz(1);
             game.Choose(RightChoice(game));
         },
         {"Ann: 003; 0:00:00"}},
        {"a wrong answer",
         [](QuizGame& game) {
             game.Buzz(1);
             game.Choose(WrongChoice(game));
         },
         {}},
    };
    for (const Case& c : cases) {
        QuizGame& game = StartSingleGame();
        game.RenameSeat(1, "Ann");
        c.Play(game);
        RunOutOfTime(game);
        EXPECT_EQ(Highscores(game.Config().Settings()), c.Expected) << c.What;
        EXPECT_EQ(game.Config().Settings().All().mid(0, FirstHighscoreLine).mid(2),
                  DefaultLines().mid(2))
            << c.What;
    }
}

TEST_F(SinglePlayer, TheGameEndsAfterItsClockTimeAndNotDuringTheAnswerWindow) {
    QuizGame& game = StartSingleGame();
    EXPECT_TRUE(game.TakesPart(1));
    for (int seat = 2; seat <= 4; ++seat) {
        EXPECT_FALSE(game.TakesPart(seat));
    }
    const QTimer& clock = game.Timers().RoundClockTimer;
    int counted = 0;
    while (counted < 30000) {
        counted += clock.interval();
        Tick(game);
    }
    EXPECT_EQ(game.SingleGame().SingleGameElapsedMs, counted);

    // The answer window and a right answer stop the game's clock until the next round.
    game.Buzz(1);
    ASSERT_EQ(game.AnsweringSeat(), 1);
    for (int tick = 0; tick < 20; ++tick) {
        game.TickAnswerWindow();
        Tick(game);
    }
    game.Choose(RightChoice(game));
    ASSERT_EQ(game.Phase(), RoundPhase::Closed);
    for (int tick = 0; tick < 50; ++tick) {
        Tick(game);
    }
    EXPECT_EQ(game.SingleGame().SingleGameElapsedMs, counted);
    const int score = game.Score(1);
    ASSERT_GT(score, 0);
    const QString bestTime = game.SeatAt(1).BestTimeText;

    game.Proceed();
    while (Platform.Informations.isEmpty()) {
        ASSERT_LT(counted, 75000);
        counted += clock.interval();
        Tick(game);
    }
    EXPECT_GE(counted, 75000);
    EXPECT_LT(counted - clock.interval(), 75000);
    EXPECT_EQ(Platform.Informations, QStringList{"Zeit ist um!"});
    EXPECT_EQ(game.SingleGame().SingleGameElapsedMs, 0);
    EXPECT_TRUE(game.SingleGame().SinglePlayer);
    EXPECT_FALSE(game.StartMeansNext());
    const GameTimers& timers = game.Timers();
    for (const QTimer* timer :
         {&timers.ClueTimer, &timers.RoundClockTimer, &timers.AnswerTimer, &timers.MaskTimer}) {
        EXPECT_FALSE(timer->isActive()) << timer->objectName().toStdString();
    }
    EXPECT_EQ(Highscores(game.Config().Settings()),
              QStringList{HighscoreLine("Name1", score, bestTime)});
    EXPECT_EQ(game.Score(1), score);
}

TEST_F(SinglePlayer, TheMenuItemAsksOnlyWhileAGameIsUnderWay) {
    QuizGame& game = StartSingleGame();
    Platform.Player.Position = game.Config().SkipMs() + 3000;
    game.TickRoundClock();
    game.Buzz(1);
    game.Choose(RightChoice(game));
    game.SingleGame().SingleGameElapsedMs = 30000;
    game.BringBackASeat();
    game.BringBackASeat();
    game.RenameSeat(1, "");
    Platform.YesNoAnswers = {false, true};

    // No: the game goes on with its time and score, on its own seat.
    game.StartSinglePlayer();
    EXPECT_EQ(Platform.Questions, QStringList{"Einzelspielermodus neu starten?"});
    EXPECT_EQ(game.SingleGame().SingleGameElapsedMs, 30000);
    EXPECT_EQ(game.Score(1), 3);
    EXPECT_EQ(game.SeatAt(1).BestTimeText, "0:03:00");
    EXPECT_TRUE(game.TakesPart(1));
    EXPECT_FALSE(game.TakesPart(3));

    game.StartSinglePlayer();
    EXPECT_EQ(Platform.Questions.size(), 2);
    EXPECT_EQ(game.SingleGame().SingleGameElapsedMs, 0);
    EXPECT_EQ(game.Score(1), 0);
    EXPECT_EQ(game.SeatAt(1).BestTimeText, "1:00:00");

    // After a finished game it starts afresh without asking.
    game.NewRound();
    game.Buzz(1);
    game.Choose(RightChoice(game));
    RunOutOfTime(game);
    game.StartSinglePlayer();
    EXPECT_EQ(Platform.Questions.size(), 2);
    EXPECT_EQ(game.Score(1), 0);
    EXPECT_EQ(game.SeatAt(1).BestTimeText, "1:00:00");
}

using SinglePlayerWindow = WindowTest;

TEST_F(SinglePlayerWindow, AHighscoreSurvivesARestartAndTheAboutPageShowsIt) {
    {
        MainWindow& w = StartWindow();
        w.SinglePlayerAction->trigger();
        Platform.DialogAnswers.push_back(WritePlaylist(WriteSongs(14)));
        w.StartButton->click();
        Press(Qt::Key_Q);
        Press(ChoiceKey(RightChoice(Game())));
        Game().SingleGame().SingleGameElapsedMs = 74990;
        Game().CountSingleGameTime(10);
        CloseWindow();
    }
    const QStringList file = SettingsFileLines();
    ASSERT_EQ(file.size(), FirstHighscoreLine + 1);
    EXPECT_EQ(file[FirstHighscoreLine], ScrambleLine("Name1: 003; 0:00:00", +1));

    MainWindow& w = StartWindow();
    w.OpenAbout();
    const QStringList page = w.Help->AboutText->Caption().split('\n');
    ASSERT_EQ(page.size(), 2 + 1 + 2);
    EXPECT_EQ(page[2], "1) Name1: 003; 0:00:00");
}
