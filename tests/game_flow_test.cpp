// The flow of a game from round to round and to the end of a playlist, on the game without a
// window.
#include "model/config/language.h"
#include "model/config/settings.h"
#include "model/media/audio_player.h"
#include "tests/support/game_fixture.h"

#include <functional>
#include <set>

using namespace harvoline;
using namespace harvoline::testing;

namespace {

class GameFlow : public GameTest {
  protected:
    // What a seat's buzz or answer could change.
    struct Snapshot {
        std::array<int, 5> Scores{};
        qsizetype Played = 0;
        int Resumes = 0;
        qsizetype Informations = 0;
        qsizetype VideoCalls = 0;
        QString Clock;
        bool operator==(const Snapshot&) const = default;
    };

    Snapshot Take(const QuizGame& game) const {
        Snapshot snapshot;
        for (int seat = 1; seat <= 4; ++seat) {
            snapshot.Scores[seat] = game.Score(seat);
        }
        snapshot.Played = Platform.Player.Played.size();
        snapshot.Resumes = Platform.Player.Resumes;
        snapshot.Informations = Platform.Informations.size();
        snapshot.VideoCalls = Platform.Video.Calls.size();
        snapshot.Clock = game.RoundClockText();
        return snapshot;
    }

    static bool AnyRoundTimerRuns(const QuizGame& game) {
        const GameTimers& timers = game.Timers();
        return timers.ClueTimer.isActive() || timers.RoundClockTimer.isActive() ||
               timers.AnswerTimer.isActive() || timers.TileTimer.isActive() ||
               timers.MaskTimer.isActive();
    }

    // Once the game has ended, no seat's buzz and no answer changes a score, a timer or the
    // song.
    void ExpectNothingMoves(QuizGame& game, const char* when) {
        ASSERT_FALSE(game.StartMeansNext()) << when;
        const Snapshot before = Take(game);
        EXPECT_FALSE(AnyRoundTimerRuns(game)) << when;
        for (int seat = 1; seat <= 4; ++seat) {
            game.Buzz(seat);
            for (int choice = 1; choice <= 4; ++choice) {
                game.Choose(choice);
            }
        }
        EXPECT_TRUE(Take(game) == before) << when;
        EXPECT_FALSE(AnyRoundTimerRuns(game)) << when;
        EXPECT_NE(game.Phase(), RoundPhase::Answering) << when;
        EXPECT_FALSE(Platform.Player.Playing) << when;
    }

    static void RunAnswerWindowOut(QuizGame& game) {
        for (int tick = 0; tick < QuizGame::AnswerWindowTicks; ++tick) {
            game.TickAnswerWindow();
        }
    }

    // The playlist cut down to its first songs.
    static void KeepSongs(QuizGame& game, int count) {
        game.Songs().SetEntries(game.Songs().Entries().mid(0, count));
    }
};

} // namespace

TEST_F(GameFlow, AnOutcomeCompletesTheRoundWhenTheSongCannotGoOn) {
    const std::pair<const char*, std::function<void(FakeAudioPlayer&)>> failures[] = {
        {"file gone", [](FakeAudioPlayer& player) { player.FailToPlay << player.FileName(); }},
        {"player closed", [](FakeAudioPlayer& player) { player.Close(); }},
    };
    struct Outcome {
        const char* Name;
        std::function<void(QuizGame&)> Give;
        RoundPhase PhaseAfter;
        int Score;
    };
    const Outcome outcomes[] = {
        {"right", [](QuizGame& game) { game.Choose(RightChoice(game)); }, RoundPhase::Closed, 3},
        {"wrong", [](QuizGame& game) { game.Choose(WrongChoice(game)); }, RoundPhase::Open, -3},
        {"time-up", RunAnswerWindowOut, RoundPhase::Open, -3},
    };
    for (const auto& [failure, breakPlayer] : failures) {
        for (const Outcome& outcome : outcomes) {
            const std::string name = std::string(failure) + ", " + outcome.Name;
            Platform.Errors.clear();
            Platform.Player.FailToPlay.clear();
            QuizGame& game = StartGame();
            game.Buzz(1);
            ASSERT_EQ(game.AnsweringSeat(), 1);
            breakPlayer(Platform.Player);
            outcome.Give(game);
            EXPECT_EQ(Platform.Errors.size(), 1) << name;
            EXPECT_EQ(game.Phase(), outcome.PhaseAfter) << name;
            EXPECT_EQ(game.Score(1), outcome.Score) << name;
            EXPECT_FALSE(game.Timers().AnswerTimer.isActive()) << name;
            for (int choice = 1; choice <= 4; ++choice) {
                game.Choose(choice);
            }
            EXPECT_EQ(game.Score(1), outcome.Score) << name;
        }
    }
}

TEST_F(GameFlow, NobodyBuzzesOrTicksAfterThePlaylistEnded) {
    struct Case {
        const char* Name;
        int Songs;
        std::function<void(QuizGame&)> End;
    };
    const Case cases[] = {
        {"Start", 7, [](QuizGame& game) { game.Proceed(); }},
        {"right answer", 14,
         [](QuizGame& game) {
             game.Buzz(1);
             KeepSongs(game, 5);
             game.Choose(RightChoice(game));
         }},
        {"last open seat's wrong answer", 14,
         [](QuizGame& game) {
             for (int seat = 2; seat <= 4; ++seat) {
                 game.RenameSeat(seat, "");
             }
             game.Buzz(1);
             KeepSongs(game, 5);
             game.Choose(WrongChoice(game));
             for (int seat = 2; seat <= 4; ++seat) {
                 game.BringBackASeat();
             }
         }},
    };
    for (const Case& c : cases) {
        Platform.Informations.clear();
        QuizGame& game = StartGame(c.Songs);
        c.End(game);
        EXPECT_EQ(Platform.Informations, QStringList{"Playlist beendet"}) << c.Name;
        ExpectNothingMoves(game, c.Name);
    }
}

TEST_F(GameFlow, ARoundDroppedAtTheEndOfThePlaylistLetsNobodyBuzz) {
    struct Case {
        const char* Name;
        std::function<void(QuizGame&)> LeaveSongs;
    };
    const Case cases[] = {
        {"the wrong answers ran out",
         [](QuizGame& game) {
             const QStringList songs = game.Songs().Entries();
             game.Songs().SetEntries(
                 {songs[0], "gone1.mp3", "gone2.mp3", "gone3.mp3", "gone4.mp3", songs[1]});
         }},
        {"no song opens",
         [this](QuizGame& game) {
             KeepSongs(game, 6);
             for (const QString& song : game.Songs().Entries()) {
                 Platform.Player.FailToOpen << SongFolder() + song;
             }
         }},
    };
    for (const Case& c : cases) {
        Platform.Informations.clear();
        QuizGame& game = StartGame();
        c.LeaveSongs(game);
        Platform.RandomValues = {0};
        game.Proceed();
        EXPECT_EQ(Platform.Informations, QStringList{"Playlist beendet"}) << c.Name;
        EXPECT_LT(game.Songs().Size(), 6) << c.Name;
        ExpectNothingMoves(game, c.Name);
    }
}

TEST_F(GameFlow, AVideoRoundThatRunsThePlaylistOutEndsLikeASongRound) {
    WriteVideos({"Band - Song.mp4"});
    Platform.VideoAvailable = true;
    QStringList settings = DefaultSettings(DefaultLanguageTable());
    settings[7] = "Guess a cover every 2 songs";
    WriteSettingsFile(settings);
    QuizGame& game = StartGame();
    game.Songs().SetEntries(
        {"gone1.mp3", "gone2.mp3", "gone3.mp3", "gone4.mp3", "gone5.mp3", "gone6.mp3"});
    game.Proceed();
    EXPECT_EQ(Platform.Video.Created, 1);
    EXPECT_EQ(Platform.Informations, QStringList{"Playlist beendet"});
    EXPECT_EQ(Platform.Video.Alive, 0);
    EXPECT_TRUE(game.Choices().All().isEmpty());
    ExpectNothingMoves(game, "video round");
}

TEST_F(GameFlow, LoadingAPlaylistDuringAnAnswerEndsTheAnswerWithoutCharging) {
    for (const bool chosen : {false, true}) {
        QuizGame& game = StartGame();
        game.Buzz(1);
        ASSERT_EQ(game.AnsweringSeat(), 1);
        const qsizetype songsPlayed = Platform.Player.Played.size();
        bool answerWindowInDialog = true;
        Platform.WhileDialogOpen = [&] {
            answerWindowInDialog = game.Timers().AnswerTimer.isActive();
        };
        if (chosen) {
            Platform.DialogAnswers.push_back(WritePlaylist(WriteSongs(10)));
        }
        game.LoadPlaylist();
        Platform.WhileDialogOpen = nullptr;
        EXPECT_FALSE(answerWindowInDialog) << chosen;
        EXPECT_EQ(game.Score(1), 0) << chosen;
        EXPECT_EQ(game.Phase(), RoundPhase::Open) << chosen;
        EXPECT_FALSE(game.SeatAt(1).Marked) << chosen;
        EXPECT_TRUE(Platform.Player.Playing) << chosen;
        EXPECT_TRUE(game.Timers().ClueTimer.isActive() && game.Timers().RoundClockTimer.isActive())
            << chosen;
        EXPECT_EQ(Platform.Player.Played.size(), songsPlayed + (chosen ? 1 : 0));
        EXPECT_TRUE(game.StartMeansNext());
        game.Buzz(1);
        EXPECT_EQ(game.AnsweringSeat(), 1) << chosen;
    }
}

TEST_F(GameFlow, TheClockStartsEveryRoundAtNaughtAndABestTimeComesFromItsOwnRound) {
    QuizGame& game = StartGame();
    EXPECT_EQ(game.RoundClockText(), "0:00:00");
    game.Buzz(1);
    game.Choose(RightChoice(game));
    EXPECT_EQ(game.SeatAt(1).BestTimeText, "0:00:00");

    game.Proceed();
    Platform.Player.Position = game.Config().SkipMs() + 7000;
    game.TickRoundClock();
    ASSERT_EQ(game.RoundClockText(), "0:07:00");
    game.Proceed();
    // A buzz handled before the new round's first tick.
    EXPECT_EQ(game.RoundClockText(), "0:00:00");
    game.Buzz(2);
    game.Choose(RightChoice(game));
    EXPECT_EQ(game.SeatAt(2).BestTimeText, "0:00:00");
}

TEST_F(GameFlow, AfterTheSinglePlayerTimeIsUpNothingCountsUntilANewGame) {
    QuizGame& game = StartUp();
    game.StartSinglePlayer();
    const QString playlist = WritePlaylist(WriteSongs(14));
    Platform.DialogAnswers.push_back(playlist);
    game.Proceed();
    game.Buzz(1);
    game.Choose(RightChoice(game));
    ASSERT_EQ(game.Score(1), 3);
    game.Proceed();
    game.SingleGame().SingleGameElapsedMs = 74990;
    game.TickRoundClock();
    ASSERT_EQ(Platform.Informations, QStringList{"Zeit ist um!"});
    ASSERT_EQ(game.Config().Settings().Count(), 12);
    ExpectNothingMoves(game, "single player");
    EXPECT_EQ(game.Config().Settings().Count(), 12);
    EXPECT_EQ(game.SingleGame().SingleGameElapsedMs, 0);

    // The menu item and a new playlist begin the next game.
    game.StartSinglePlayer();
    Platform.DialogAnswers.push_back(playlist);
    game.Proceed();
    game.Buzz(1);
    EXPECT_EQ(game.AnsweringSeat(), 1);
    EXPECT_EQ(game.Score(1), 0);
}

// A party's playlist to its end: song, video and cover rounds, each with a time-up and wrong
// answers, closed by a right answer or by the last lock-out. Four choices hold only three
// wrong ones, so the lock-out closes the rounds in which seat 4 sits out.
TEST_F(GameFlow, AWholeGameOfSongVideoAndCoverRoundsEndsWithNothingMoving) {
    WriteCovers(7);
    WriteVideos({"Band A - Song A.mp4", "Band B - Song B.mp4"});
    Platform.VideoAvailable = true;
    QStringList settings = DefaultSettings(DefaultLanguageTable());
    settings[7] = "Guess a cover every 2 songs";
    WriteSettingsFile(settings);
    QuizGame& game = StartGame(12);

    std::array<int, 5> expected{};
    std::set<std::pair<QString, QString>> played;
    for (int round = 0; game.StartMeansNext(); ++round) {
        ASSERT_LT(round, 40);
        const QString kind = game.IsCoverRound()        ? "cover"
                             : game.VideoRoundRunning() ? "video"
                                                        : "song";
        const bool fourSeated = round % 2 == 0;
        if (fourSeated) {
            game.BringBackASeat();
        } else {
            game.RenameSeat(4, "");
        }

        game.Buzz(4 - round % 4);
        ASSERT_EQ(game.Phase(), RoundPhase::Answering) << round;
        expected[game.AnsweringSeat()] -= game.PointsAtStake();
        RunAnswerWindowOut(game);
        played.insert({kind, "time-up"});
        if (round % 3 == 1) {
            game.AdvanceClue();
        }
        for (int seat = 1; seat <= 3; ++seat) {
            game.Buzz(seat);
            ASSERT_EQ(game.AnsweringSeat(), seat) << round;
            expected[seat] -= game.PointsAtStake();
            game.Choose(WrongChoice(game));
        }
        played.insert({kind, "wrong"});
        if (fourSeated) {
            game.Buzz(4);
            ASSERT_EQ(game.AnsweringSeat(), 4) << round;
            expected[4] += game.PointsAtStake();
            game.Choose(RightChoice(game));
        }
        played.insert({kind, fourSeated ? "right" : "all locked out"});
        EXPECT_EQ(game.Phase(), RoundPhase::Closed) << round;
        for (int seat = 1; seat <= 4; ++seat) {
            ASSERT_EQ(game.Score(seat), expected[seat]) << round << " " << seat;
        }
        game.Proceed();
    }
    game.BringBackASeat();
    EXPECT_EQ(Platform.Informations, QStringList{"Playlist beendet"});
    EXPECT_TRUE(Platform.Errors.isEmpty());
    for (const char* kind : {"song", "video", "cover"}) {
        for (const char* outcome : {"time-up", "wrong", "right", "all locked out"}) {
            EXPECT_TRUE(played.contains({kind, outcome})) << kind << " " << outcome;
        }
    }
    ExpectNothingMoves(game, "the end of the playlist");
}
