// The standings at the end of a playlist and the quiz master's corrections of scores, on the
// game and on the window.
#include "model/game/standings.h"
#include "tests/support/game_fixture.h"
#include "tests/support/window_fixture.h"
#include "ui/help_view.h"
#include "ui/seat_view.h"
#include "ui/standings_view.h"
#include "ui/widgets/caption_label.h"
#include "ui/widgets/filled_panel.h"
#include "ui/widgets/picture_box.h"

#include <QPushButton>

using namespace harvoline;
using namespace harvoline::testing;

namespace {

struct SeatResult {
    int Score;
    const char* BestTime;
    bool TakesPart = true;
};

std::array<Seat, 5> SeatsOf(const std::array<SeatResult, 4>& results) {
    std::array<Seat, 5> seats;
    for (int seat = 1; seat <= 4; ++seat) {
        const SeatResult& result = results[seat - 1];
        seats[seat].Score = result.Score;
        seats[seat].BestTimeText = QString::fromLatin1(result.BestTime);
        seats[seat].TakesPart = result.TakesPart;
    }
    return seats;
}

// "seat:place" for each standing, a "=" after the place when it is shared.
QStringList Described(const std::vector<Standing>& standings) {
    QStringList described;
    for (const Standing& standing : standings) {
        described << QString("%1:%2%3")
                         .arg(standing.SeatNumber)
                         .arg(standing.Place)
                         .arg(standing.SharesPlace ? "=" : "");
    }
    return described;
}

} // namespace

TEST(Standings, SeatsRankByScoreThenByTheBetterBestTime) {
    struct Case {
        const char* What;
        std::array<SeatResult, 4> Seats;
        QStringList Expected;
    };
    const std::vector<Case> cases = {
        {"scores alone",
         {{{5, "0:09:00"}, {9, "0:09:00"}, {-2, "1:00:00"}, {7, "0:03:00"}}},
         {"2:1", "4:2", "1:3", "3:4"}},
        {"equal scores, the lower time first",
         {{{5, "0:07:00"}, {5, "0:04:37"}, {3, "0:01:00"}, {5, "1:00:00"}}},
         {"2:1", "1:2", "4:3", "3:4"}},
        {"equal score and time share the place and the win",
         {{{5, "0:04:00"}, {5, "0:04:00"}, {8, "1:00:00"}, {8, "1:00:00"}}},
         {"3:1=", "4:1=", "1:3=", "2:3="}},
        {"a tie below the winner",
         {{{9, "0:02:00"}, {4, "1:00:00"}, {4, "1:00:00"}, {1, "0:05:00"}}},
         {"1:1", "2:2=", "3:2=", "4:4"}},
        {"seats out of the game are left out, however high their score",
         {{{3, "0:05:00"}, {12, "0:01:00", false}, {4, "0:06:00"}, {0, "1:00:00", false}}},
         {"3:1", "1:2"}},
        {"nobody seated",
         {{{1, "1:00:00", false},
           {2, "1:00:00", false},
           {3, "1:00:00", false},
           {4, "1:00:00", false}}},
         {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Described(RankSeats(SeatsOf(c.Seats))), c.Expected) << c.What;
    }
}

namespace {

class Corrections : public GameTest {};

} // namespace

TEST_F(Corrections, ChangeOnlyTheScoreAndTakeBackTheLastChangeOfTheirSeat) {
    QuizGame& game = StartGame();
    game.Buzz(2);
    game.Choose(WrongChoice(game));
    ASSERT_EQ(game.Score(2), -3);
    const RoundPhase phase = game.Phase();
    const int points = game.PointsAtStake();

    game.CorrectScore(2, +1);
    game.CorrectScore(2, +1);
    game.CorrectScore(3, -1);
    EXPECT_EQ(game.Score(2), -1);
    EXPECT_EQ(game.Score(3), -1);
    EXPECT_EQ(game.LastScoreChange(2), 1);
    // The round stands as it was: the seat stays locked out, the points and phase stay.
    EXPECT_TRUE(game.IsLockedOut(2));
    EXPECT_EQ(game.Phase(), phase);
    EXPECT_EQ(game.PointsAtStake(), points);
    // The standings count the corrections.
    EXPECT_EQ(Described(game.Standings()), QStringList({"1:1=", "4:1=", "2:3=", "3:3="}));

    // Undo walks back the seat's own changes, the game's wrong answer last.
    EXPECT_TRUE(game.UndoScoreChange(2));
    EXPECT_EQ(game.Score(2), -2);
    EXPECT_TRUE(game.UndoScoreChange(2));
    EXPECT_EQ(game.LastScoreChange(2), -3);
    EXPECT_TRUE(game.UndoScoreChange(2));
    EXPECT_EQ(game.Score(2), 0);
    EXPECT_FALSE(game.UndoScoreChange(2));
    EXPECT_EQ(game.LastScoreChange(2), std::nullopt);
    EXPECT_EQ(game.Score(2), 0);
    EXPECT_EQ(game.Score(3), -1);
    EXPECT_TRUE(game.IsLockedOut(2));
}

TEST_F(Corrections, ANewPlaylistForgetsTheChangesWithTheScores) {
    QuizGame& game = StartGame();
    game.CorrectScore(1, +1);
    game.EndPlaylist();
    Platform.DialogAnswers.push_back(WritePlaylist(WriteSongs(14)));
    game.Proceed();
    EXPECT_EQ(game.Score(1), 0);
    EXPECT_FALSE(game.UndoScoreChange(1));
    EXPECT_EQ(game.Score(1), 0);
}

namespace {

class StandingsPage : public WindowTest {
  protected:
    // Plays the playlist's rounds with Enter until its end opens the standings.
    void PlayToTheEnd() {
        for (int round = 0; round < 20 && !Window().StandingsOpen(); ++round) {
            Press(Qt::Key_Return);
        }
    }
};

} // namespace

TEST_F(StandingsPage, OpensWhenThePlaylistEndsAndClosesWithEnter) {
    MainWindow& w = StartGame(8);
    Game().RenameSeat(4, QString());
    Press(BuzzKey(2));
    Press(ChoiceKey(RightChoice(Game())));
    ASSERT_EQ(Game().Score(2), 3);
    EXPECT_FALSE(w.StandingsOpen());

    PlayToTheEnd();
    ASSERT_TRUE(w.StandingsOpen());
    const StandingsView& page = *w.Standings;
    EXPECT_EQ(page.Title->Caption(), "Endstand");
    struct Row {
        QString Name;
        QString Score;
        QString Mark;
    };
    const Row rows[] = {{"1. Name2", "3", "Sieg!"}, {"2. Name1", "0", ""}, {"2. Name3", "0", ""}};
    for (int row = 1; row <= 3; ++row) {
        EXPECT_EQ(page.RowNames[row]->Caption(), rows[row - 1].Name) << row;
        EXPECT_EQ(page.RowScores[row]->Caption(), rows[row - 1].Score) << row;
        EXPECT_EQ(page.RowMarks[row]->Caption(), rows[row - 1].Mark) << row;
        EXPECT_TRUE(IsShown(page.RowPictures[row])) << row;
        EXPECT_FALSE(page.RowPictures[row]->Picture().isNull()) << row;
    }
    EXPECT_EQ(page.RowTimes[1]->Caption(), Game().SeatAt(2).BestTimeText);
    EXPECT_FALSE(IsShown(page.RowNames[4]));
    for (int seat = 1; seat <= 4; ++seat) {
        EXPECT_FALSE(IsShown(w.Seats[seat]->Panel)) << seat;
    }
    EXPECT_TRUE(IsShown(w.Help->CloseHelpButton));
    EXPECT_FALSE(IsEnabledFlag(w.StartButton));

    Press(Qt::Key_Return);
    EXPECT_FALSE(w.StandingsOpen());
    EXPECT_TRUE(IsShown(w.Seats[1]->Panel));
    EXPECT_FALSE(IsShown(w.Seats[4]->Panel));
    EXPECT_TRUE(IsEnabledFlag(w.StartButton));
}

TEST_F(StandingsPage, EqualSeatsShareTheWinAndEscClosesThePage) {
    MainWindow& w = StartGame(8);
    PlayToTheEnd();
    ASSERT_TRUE(w.StandingsOpen());
    for (int row = 1; row <= 4; ++row) {
        EXPECT_EQ(w.Standings->RowNames[row]->Caption(), QString("1. Name%1").arg(row));
        EXPECT_EQ(w.Standings->RowMarks[row]->Caption(), "Geteilter Sieg!");
    }
    Press(Qt::Key_Escape);
    EXPECT_FALSE(w.StandingsOpen());
    EXPECT_FALSE(w.TextPageOpen());
}

TEST_F(StandingsPage, ASinglePlayerGameEndsWithTheResultAndItsPlaceAmongTheHighscores) {
    MainWindow& w = StartWindow();
    Game().StartSinglePlayer();
    Platform.DialogAnswers.push_back(WritePlaylist(WriteSongs(14)));
    Press(Qt::Key_Return);
    Press(BuzzKey(1));
    Press(ChoiceKey(RightChoice(Game())));
    Game().CountSingleGameTime(SinglePlayerClock::LimitMs);
    ASSERT_TRUE(w.StandingsOpen());
    const StandingsView& page = *w.Standings;
    EXPECT_EQ(page.RowNames[1]->Caption(), "Name1");
    EXPECT_EQ(page.RowScores[1]->Caption(), "3");
    EXPECT_FALSE(IsShown(page.RowNames[2]));
    EXPECT_EQ(page.Note->Caption(), "3 Punkte, beste Zeit " + Game().SeatAt(1).BestTimeText +
                                        "\nPlatz 1 von 1 in den Highscores");
}
