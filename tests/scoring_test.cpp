// Buzzing in, the answer window and judging answers, on the game without a window.
#include "model/config/language.h"
#include "model/config/settings.h"
#include "tests/support/game_fixture.h"

#include <QDir>

using namespace harvoline;
using namespace harvoline::testing;

namespace {

class Scoring : public GameTest {
  protected:
    // The clock as it stands at a point of the song.
    void TickClockAt(QuizGame& game, int songMs) {
        Platform.Player.Position = game.Config().SkipMs() + songMs;
        game.TickRoundClock();
    }
};

} // namespace

TEST_F(Scoring, EarlyBuzzShowsTitlesAndARightAnswerEarnsThree) {
    QuizGame& game = StartGame();
    TickClockAt(game, 9500);
    game.Buzz(1);
    EXPECT_EQ(game.Phase(), RoundPhase::Answering);
    EXPECT_EQ(game.AnsweringSeat(), 1);
    EXPECT_EQ(game.Stage(), ClueStage::Titles);
    EXPECT_EQ(game.PointsAtStake(), 3);
    EXPECT_EQ(game.Line(1).Text, game.Choices().At(0).section(" - ", 0, 0));
    EXPECT_TRUE(game.SeatAt(1).Marked);
    EXPECT_FALSE(game.Timers().ClueTimer.isActive() || game.Timers().RoundClockTimer.isActive());
    EXPECT_TRUE(game.Timers().AnswerTimer.isActive());
    EXPECT_EQ(game.AnswerTicks(), 0);
    EXPECT_EQ(Platform.Player.Pauses, 1);

    // A second buzz while seat 1 answers is ignored.
    game.Buzz(2);
    EXPECT_EQ(game.AnsweringSeat(), 1);
    EXPECT_FALSE(game.SeatAt(2).Marked);

    const int right = RightChoice(game);
    game.Choose(right);
    EXPECT_EQ(game.Score(1), 3);
    EXPECT_EQ(game.Phase(), RoundPhase::Closed);
    EXPECT_EQ(game.Line(right).Text, game.RightAnswer());
    EXPECT_EQ(game.Line(right).Shadow, game.RightAnswer());
    EXPECT_EQ(game.Line(right).Mark, LineMark::Right);
    EXPECT_EQ(game.SeatAt(1).BestTimeText, "0:09:50");
    EXPECT_TRUE(game.SeatAt(1).Marked);
    EXPECT_FALSE(game.Timers().AnswerTimer.isActive());
    EXPECT_FALSE(game.Timers().ClueTimer.isActive());
    EXPECT_EQ(Platform.Player.Resumes, 1);
    // The round is closed: nobody buzzes any more.
    game.Buzz(3);
    EXPECT_EQ(game.Phase(), RoundPhase::Closed);
}

TEST_F(Scoring, AWrongAnswerCostsThePointsLocksOutAndKeepsOnlyTheShadow) {
    QuizGame& game = StartGame();
    game.Buzz(1);
    const int wrong = WrongChoice(game);
    const QString chosen = game.Line(wrong).Text;
    game.Choose(wrong);
    EXPECT_EQ(game.Score(1), -3);
    EXPECT_EQ(game.PointsAtStake(), 2);
    EXPECT_TRUE(game.IsLockedOut(1));
    EXPECT_EQ(game.Line(wrong).Text, "");
    EXPECT_EQ(game.Line(wrong).Shadow, chosen);
    EXPECT_FALSE(game.Line(wrong).Open);
    EXPECT_EQ(game.Phase(), RoundPhase::Open);
    EXPECT_FALSE(game.SeatAt(1).Marked);
    EXPECT_TRUE(game.Timers().ClueTimer.isActive() && game.Timers().RoundClockTimer.isActive());

    // The locked-out seat cannot buzz; another can, and the dead choice no longer answers.
    game.Buzz(1);
    EXPECT_EQ(game.Phase(), RoundPhase::Open);
    game.Buzz(2);
    EXPECT_EQ(game.AnsweringSeat(), 2);
    game.Choose(wrong);
    EXPECT_EQ(game.AnsweringSeat(), 2);
    EXPECT_EQ(game.Score(2), 0);
}

TEST_F(Scoring, TheLastOpenSeatsWrongAnswerClosesTheRoundAndRevealsTheAnswer) {
    QuizGame& game = StartGame();
    for (int seat = 2; seat <= 4; ++seat) {
        game.RenameSeat(seat, "");
    }
    // A seat that does not take part cannot buzz.
    game.Buzz(4);
    EXPECT_EQ(game.Phase(), RoundPhase::Open);
    game.AdvanceClue();
    game.AdvanceClue();
    game.Buzz(1);
    game.Choose(WrongChoice(game));
    EXPECT_EQ(game.Phase(), RoundPhase::Closed);
    EXPECT_TRUE(game.SeatAt(1).Marked);
    EXPECT_TRUE(game.IsLockedOut(1));
    EXPECT_EQ(game.Score(1), -1);
    const int right = RightChoice(game);
    EXPECT_EQ(game.Line(right).Mark, LineMark::Revealed);
    EXPECT_EQ(game.Line(right).Text, game.RightAnswer());
    EXPECT_TRUE(game.Timers().ClueTimer.isActive());
}

TEST_F(Scoring, AfterATimeUpTheSameSeatBuzzesAgain) {
    QuizGame& game = StartGame();
    game.Buzz(3);
    for (int tick = 1; tick < QuizGame::AnswerWindowTicks; ++tick) {
        game.TickAnswerWindow();
    }
    EXPECT_EQ(game.AnswerTicks(), 119);
    EXPECT_EQ(game.Phase(), RoundPhase::Answering);
    game.TickAnswerWindow();
    EXPECT_FALSE(game.Timers().AnswerTimer.isActive());
    EXPECT_EQ(game.Score(3), -3);
    EXPECT_FALSE(game.IsLockedOut(3));
    EXPECT_FALSE(game.SeatAt(3).Marked);
    EXPECT_EQ(game.Phase(), RoundPhase::Open);
    EXPECT_EQ(game.PointsAtStake(), 2);
    game.Buzz(3);
    EXPECT_EQ(game.AnsweringSeat(), 3);
}

// While only the titles show, a choice is right when its title is the right one.
TEST_F(Scoring, ASameTitleChoiceIsRightWhileOnlyTitlesShow) {
    WriteSong("same1.mp3", "Same", "First Artist");
    WriteSong("same2.mp3", "Same", "Second Artist");
    WriteSong("other.mp3", "Other", "X");
    WriteSong("z.mp3", "Z", "Y");
    QuizGame& game = StartUp();
    Platform.DialogAnswers.push_back(
        WritePlaylist(QStringList{"same1.mp3", "same2.mp3", "other.mp3", "z.mp3"} + WriteSongs(3)));
    Platform.RandomValues = {0, 1, 2, 3};
    game.Proceed();
    ASSERT_EQ(game.RightAnswer(), "Same - First Artist");
    game.Buzz(1);
    // "Same - Second Artist" sorts third.
    game.Choose(3);
    EXPECT_EQ(game.Phase(), RoundPhase::Closed);
    EXPECT_EQ(game.Score(1), 3);
    EXPECT_EQ(game.Line(3).Text, "Same - First Artist");
}

// A best time is kept as the clock showed it and compared as text, so 10 minutes beat the
// first best time of "1:00:00".
TEST_F(Scoring, BestTimesAreComparedAsTexts) {
    const std::pair<std::vector<int>, const char*> cases[] = {
        {{9500}, "0:09:50"},
        {{600000}, "10:00:00"},
        {{5000, 7000}, "0:05:00"},
    };
    for (const auto& [answers, kept] : cases) {
        QuizGame& game = StartGame();
        for (const int songMs : answers) {
            game.NewRound();
            TickClockAt(game, songMs);
            game.Buzz(2);
            game.Choose(RightChoice(game));
        }
        EXPECT_EQ(game.SeatAt(2).BestTimeText, kept) << kept;
    }
}

TEST_F(Scoring, CoverAndVideoRoundsKeepTheBestTime) {
    QStringList settings = DefaultSettings(DefaultLanguageTable());
    for (const bool cover : {true, false}) {
        SCOPED_TRACE(cover ? "cover" : "video");
        if (cover) {
            WriteCovers(8);
        } else {
            QDir(ExePath("cover")).removeRecursively();
            WriteVideos({"Band - Song.mp4"});
            Platform.VideoAvailable = true;
        }
        settings[7] = cover ? "Guess a cover every 1 songs" : "Guess a cover every 2 songs";
        WriteSettingsFile(settings);
        QuizGame& game = StartGame(40);
        game.Proceed();
        ASSERT_TRUE(cover ? game.IsCoverRound() : game.VideoRoundRunning());
        game.TickRoundClock();
        game.Buzz(2);
        game.Choose(RightChoice(game));
        ASSERT_EQ(game.Score(2), 3);
        EXPECT_EQ(game.SeatAt(2).BestTimeText, "1:00:00");
    }
}

TEST_F(Scoring, AWholeGameWithFourSeats) {
    QuizGame& game = StartGame(16);
    // Round by round: who buzzes and how it ends.
    const std::vector<std::vector<std::pair<int, char>>> rounds = {
        {{1, 'r'}},           {{2, 'w'}, {3, 'r'}},
        {{4, 't'}, {4, 'r'}}, {{1, 'w'}, {2, 'w'}, {4, 't'}, {3, 'w'}},
        {{2, 'r'}},           {{3, 't'}, {1, 'w'}, {3, 'r'}},
        {{4, 'r'}},           {{1, 'r'}},
    };
    int scores[5] = {};
    for (const auto& round : rounds) {
        ASSERT_TRUE(game.StartMeansNext());
        for (const auto& [seat, outcome] : round) {
            game.Buzz(seat);
            ASSERT_EQ(game.AnsweringSeat(), seat);
            EXPECT_TRUE(game.SeatAt(seat).Marked);
            const int points = game.PointsAtStake();
            if (outcome == 'r') {
                game.Choose(RightChoice(game));
                scores[seat] += points;
                EXPECT_EQ(game.Phase(), RoundPhase::Closed);
                EXPECT_LT(game.SeatAt(seat).BestTimeText, "1:00:00");
            } else if (outcome == 'w') {
                game.Choose(WrongChoice(game));
                scores[seat] -= points;
                EXPECT_TRUE(game.IsLockedOut(seat));
            } else {
                for (int tick = 0; tick < QuizGame::AnswerWindowTicks; ++tick) {
                    game.TickAnswerWindow();
                }
                scores[seat] -= points;
                EXPECT_FALSE(game.IsLockedOut(seat));
            }
            for (int s = 1; s <= 4; ++s) {
                EXPECT_EQ(game.Score(s), scores[s]) << s;
            }
        }
        game.Proceed();
        for (int s = 1; s <= 4; ++s) {
            EXPECT_FALSE(game.IsLockedOut(s));
            EXPECT_FALSE(game.SeatAt(s).Marked);
        }
    }
    EXPECT_TRUE(game.StartMeansNext());
    EXPECT_EQ(std::vector<int>(scores + 1, scores + 5), (std::vector<int>{1, -2, -1, 0}));
}
