#include "model/config/language.h"
#include "tests/support/playlist_fixture.h"

#include <QTest>
#include <functional>
#include <set>

using namespace harvoline;
using namespace harvoline::testing;

namespace {

class GameFlow : public PlaylistTest {
  protected:
    // What a player's key could change.
    struct Snapshot {
        std::array<int, 5> Scores{};
        qsizetype Played = 0;
        int Resumes = 0;
        qsizetype Informations = 0;
        qsizetype VideoCalls = 0;
        QString Clock;
        bool operator==(const Snapshot&) const = default;
    };

    Snapshot Take(const TfrmMain& w) const {
        Snapshot snapshot;
        for (int seat = 1; seat <= 4; ++seat) {
            snapshot.Scores[seat] = w.Score(seat);
        }
        snapshot.Played = Platform.Player.Played.size();
        snapshot.Resumes = Platform.Player.Resumes;
        snapshot.Informations = Platform.Informations.size();
        snapshot.VideoCalls = Platform.Video.Calls.size();
        snapshot.Clock = w.Zeit->Caption();
        return snapshot;
    }

    static bool AnyRoundTimerRuns(const TfrmMain& w) {
        return w.Timer1->isActive() || w.Timer2->isActive() || w.Timer3->isActive() ||
               w.Timer5->isActive() || w.Timer6->isActive();
    }

    // Once the game has ended, no player key and no answer key changes a score, a timer or
    // the song.
    void ExpectNothingMoves(TfrmMain& w, const char* when) {
        ASSERT_EQ(w.Start->text(), "Start") << when;
        const Snapshot before = Take(w);
        EXPECT_FALSE(AnyRoundTimerRuns(w)) << when;
        for (int seat = 1; seat <= 4; ++seat) {
            Press(w, BuzzKey(seat));
            for (int choice = 1; choice <= 4; ++choice) {
                Press(w, ChoiceKey(choice));
            }
        }
        EXPECT_TRUE(Take(w) == before) << when;
        EXPECT_FALSE(AnyRoundTimerRuns(w)) << when;
        EXPECT_FALSE(w.PlayerAnswering()) << when;
        EXPECT_FALSE(Platform.Player.Playing) << when;
    }

    static void RunAnswerWindowOut(TfrmMain& w) {
        w.Guarded([&w] {
            for (int tick = 0; tick < 120; ++tick) {
                w.Timer3Timer();
            }
        });
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
        std::function<void(TfrmMain&)> Give;
        int PlayerAfter;
        int Score;
    };
    const Outcome outcomes[] = {
        {"right", [](TfrmMain& w) { Press(w, ChoiceKey(RightChoice(w))); }, TfrmMain::RoundClosed,
         3},
        {"wrong", [](TfrmMain& w) { Press(w, ChoiceKey(WrongChoice(w))); }, 0, -3},
        {"time-up", RunAnswerWindowOut, 0, -3},
    };
    for (const auto& [failure, breakPlayer] : failures) {
        for (const Outcome& outcome : outcomes) {
            const std::string name = std::string(failure) + ", " + outcome.Name;
            Window.reset();
            Platform.Errors.clear();
            Platform.Player.FailToPlay.clear();
            TfrmMain& w = StartGame();
            Press(w, Qt::Key_Q);
            ASSERT_EQ(w.CurrentPlayer, 1);
            breakPlayer(Platform.Player);
            outcome.Give(w);
            EXPECT_EQ(Platform.Errors.size(), 1) << name;
            EXPECT_EQ(w.CurrentPlayer, outcome.PlayerAfter) << name;
            EXPECT_EQ(w.Score(1), outcome.Score) << name;
            EXPECT_TRUE(IsEnabledFlag(w.Start)) << name;
            EXPECT_FALSE(w.Timer3->isActive()) << name;
            EXPECT_FALSE(IsShown(w.TimesUp)) << name;
            for (int choice = 1; choice <= 4; ++choice) {
                EXPECT_FALSE(IsShown(w.AnswerButton[choice])) << name;
                Press(w, ChoiceKey(choice));
            }
            EXPECT_EQ(w.Score(1), outcome.Score) << name;
        }
    }
}

TEST_F(GameFlow, NobodyBuzzesOrTicksAfterThePlaylistEnded) {
    const auto lastSongs = [](TfrmMain& w) { w.SongList = w.SongList.mid(0, 5); };
    struct Case {
        const char* Name;
        int Songs;
        std::function<void(TfrmMain&)> End;
    };
    const Case cases[] = {
        {"Start", 7, [](TfrmMain& w) { w.Start->click(); }},
        {"right answer", 14,
         [&](TfrmMain& w) {
             Press(w, Qt::Key_Q);
             lastSongs(w);
             Press(w, ChoiceKey(RightChoice(w)));
         }},
        {"last open player's wrong answer", 14,
         [&](TfrmMain& w) {
             for (int seat = 2; seat <= 4; ++seat) {
                 w.PlayerP[seat]->hide();
             }
             Press(w, Qt::Key_Q);
             lastSongs(w);
             Press(w, ChoiceKey(WrongChoice(w)));
             for (int seat = 2; seat <= 4; ++seat) {
                 w.PlayerP[seat]->show();
             }
         }},
    };
    for (const Case& c : cases) {
        Window.reset();
        Platform.Informations.clear();
        TfrmMain& w = StartGame(c.Songs);
        c.End(w);
        EXPECT_EQ(Platform.Informations, QStringList{"Playlist beendet"}) << c.Name;
        ExpectNothingMoves(w, c.Name);
    }
}

TEST_F(GameFlow, ARoundDroppedAtTheEndOfThePlaylistLetsNobodyBuzz) {
    struct Case {
        const char* Name;
        std::function<void(TfrmMain&)> LeaveSongs;
    };
    const Case cases[] = {
        {"the wrong answers ran out",
         [](TfrmMain& w) {
             w.SongList = {w.SongList[0], "gone1.mp3", "gone2.mp3",
                           "gone3.mp3",   "gone4.mp3", w.SongList[1]};
         }},
        {"no song opens",
         [this](TfrmMain& w) {
             w.SongList = w.SongList.mid(0, 6);
             for (const QString& song : w.SongList) {
                 Platform.Player.FailToOpen << SongFolder() + song;
             }
         }},
    };
    for (const Case& c : cases) {
        Window.reset();
        Platform.Informations.clear();
        TfrmMain& w = StartGame();
        c.LeaveSongs(w);
        Platform.RandomValues = {0};
        w.Start->click();
        EXPECT_EQ(Platform.Informations, QStringList{"Playlist beendet"}) << c.Name;
        EXPECT_LT(w.SongList.size(), 6) << c.Name;
        ExpectNothingMoves(w, c.Name);
    }
}

TEST_F(GameFlow, AVideoRoundThatRunsThePlaylistOutEndsLikeASongRound) {
    WriteVideos({"Band - Song.mp4"});
    Platform.VideoAvailable = true;
    TfrmMain& w = StartGame();
    w.SongList = {"gone1.mp3", "gone2.mp3", "gone3.mp3", "gone4.mp3", "gone5.mp3", "gone6.mp3"};
    w.RoundCounter = 5;
    w.Start->click();
    EXPECT_EQ(Platform.Informations, QStringList{"Playlist beendet"});
    EXPECT_EQ(Platform.Video.Alive, 0);
    EXPECT_TRUE(w.AnswerList.All().isEmpty());
    ExpectNothingMoves(w, "video round");
}

TEST_F(GameFlow, ATextPageOpenedDuringAnAnswerChangesNotWhoMayAnswer) {
    TfrmMain& w = StartGame();
    Press(w, Qt::Key_Q);
    w.Hilfe1Click();
    Press(w, ChoiceKey(WrongChoice(w)));
    EXPECT_EQ(w.CurrentPlayer, 0);
    EXPECT_TRUE(IsShown(w.Gitter[1]));
    for (int seat = 2; seat <= 4; ++seat) {
        EXPECT_FALSE(IsShown(w.Gitter[seat])) << seat;
    }
    EXPECT_FALSE(IsEnabledFlag(w.Start));
    w.EndHelp->click();
    EXPECT_TRUE(IsEnabledFlag(w.Start));
    Press(w, Qt::Key_Y);
    EXPECT_EQ(w.CurrentPlayer, 2);

    // A page closed while a player answers leaves Start to the end of the answer.
    w.InfoClick();
    w.EndHelp->click();
    EXPECT_FALSE(IsEnabledFlag(w.Start));
    Press(w, ChoiceKey(RightChoice(w)));
    EXPECT_TRUE(IsEnabledFlag(w.Start));
}

TEST_F(GameFlow, LoadingAPlaylistDuringAnAnswerEndsTheAnswerWithoutCharging) {
    for (const bool chosen : {false, true}) {
        Window.reset();
        TfrmMain& w = StartGame();
        Press(w, Qt::Key_Q);
        ASSERT_EQ(w.CurrentPlayer, 1);
        const qsizetype songsPlayed = Platform.Player.Played.size();
        bool answerWindowInDialog = true;
        Platform.WhileDialogOpen = [&] { answerWindowInDialog = w.Timer3->isActive(); };
        if (chosen) {
            Platform.DialogAnswers.push_back(WritePlaylist(WriteSongs(10)));
        }
        w.LoadPlaylist->trigger();
        Platform.WhileDialogOpen = nullptr;
        EXPECT_FALSE(answerWindowInDialog) << chosen;
        EXPECT_EQ(w.Score(1), 0) << chosen;
        EXPECT_EQ(w.CurrentPlayer, 0) << chosen;
        EXPECT_EQ(w.PlayerP[1]->Color(), MoneyGreen) << chosen;
        EXPECT_TRUE(IsEnabledFlag(w.Start)) << chosen;
        EXPECT_FALSE(IsShown(w.TimesUp)) << chosen;
        EXPECT_FALSE(IsShown(w.AnswerButton[1])) << chosen;
        EXPECT_TRUE(Platform.Player.Playing) << chosen;
        EXPECT_TRUE(w.Timer1->isActive() && w.Timer2->isActive()) << chosen;
        EXPECT_EQ(Platform.Player.Played.size(), songsPlayed + (chosen ? 1 : 0));
        EXPECT_EQ(w.Start->text(), "Weiter");
        Press(w, Qt::Key_Q);
        EXPECT_EQ(w.CurrentPlayer, 1) << chosen;
    }
}

TEST_F(GameFlow, TheClockStartsEveryRoundAtNaughtAndABestTimeComesFromItsOwnRound) {
    TfrmMain& w = StartGame();
    EXPECT_EQ(w.Zeit->Caption(), "0:00:00");
    Press(w, Qt::Key_Q);
    Press(w, ChoiceKey(RightChoice(w)));
    EXPECT_EQ(w.PlayerZeit[1]->Caption(), "0:00:00");

    w.Start->click();
    Platform.Player.Position = w.SkipMs + 7000;
    w.Timer2Timer();
    ASSERT_EQ(w.Zeit->Caption(), "0:07:00");
    w.Start->click();
    // A buzz handled before the new round's first tick.
    EXPECT_EQ(w.Zeit->Caption(), "0:00:00");
    Press(w, Qt::Key_Y);
    Press(w, ChoiceKey(RightChoice(w)));
    EXPECT_EQ(w.PlayerZeit[2]->Caption(), "0:00:00");
}

TEST_F(GameFlow, AfterTheSinglePlayerTimeIsUpNothingCountsUntilANewGame) {
    TfrmMain& w = StartWindow();
    w.Einzelspieler1Click();
    const QString playlist = WritePlaylist(WriteSongs(14));
    Platform.DialogAnswers.push_back(playlist);
    w.Start->click();
    Press(w, Qt::Key_Q);
    Press(w, ChoiceKey(RightChoice(w)));
    ASSERT_EQ(w.Score(1), 3);
    w.Start->click();
    w.SingleGameTime = 74990;
    w.Timer2Timer();
    ASSERT_EQ(Platform.Informations, QStringList{"Zeit ist um!"});
    ASSERT_EQ(w.Settings.Count(), 12);
    ExpectNothingMoves(w, "single player");
    EXPECT_EQ(w.Settings.Count(), 12);
    EXPECT_EQ(w.SingleGameTime, 0);

    // The menu item and a new playlist begin the next game.
    w.Einzelspieler1Click();
    Platform.DialogAnswers.push_back(playlist);
    w.Start->click();
    Press(w, Qt::Key_Q);
    EXPECT_EQ(w.CurrentPlayer, 1);
    EXPECT_EQ(w.Score(1), 0);
}

// A party's playlist to its end: song, video and cover rounds, each with a time-up and wrong
// answers, closed by a right answer or by the last lock-out. Four choices hold only three
// wrong ones, so the lock-out closes the rounds in which player 4 sits out.
TEST_F(GameFlow, AWholeGameOfSongVideoAndCoverRoundsEndsWithNothingMoving) {
    WriteCovers(7);
    WriteVideos({"Band A - Song A.mp4", "Band B - Song B.mp4"});
    Platform.VideoAvailable = true;
    QStringList settings = DefaultSettings(DefaultLanguageTable());
    settings[7] = "Guess a cover every 2 songs";
    WriteSettingsFile(settings);
    TfrmMain& w = StartGame(12);

    std::array<int, 5> expected{};
    std::set<std::pair<QString, QString>> played;
    for (int round = 0; w.Start->text() == "Weiter"; ++round) {
        ASSERT_LT(round, 40);
        const QString kind = w.IsCoverRound() ? "cover" : w.VideoRoundActive ? "video" : "song";
        const bool fourSeated = round % 2 == 0;
        w.PlayerP[4]->setVisible(fourSeated);

        Press(w, BuzzKey(4 - round % 4));
        ASSERT_TRUE(w.PlayerAnswering()) << round;
        expected[w.CurrentPlayer] -= w.PointsValue;
        RunAnswerWindowOut(w);
        played.insert({kind, "time-up"});
        if (round % 3 == 1) {
            w.Timer1Timer();
        }
        for (int seat = 1; seat <= 3; ++seat) {
            Press(w, BuzzKey(seat));
            ASSERT_EQ(w.CurrentPlayer, seat) << round;
            expected[seat] -= w.PointsValue;
            Press(w, ChoiceKey(WrongChoice(w)));
        }
        played.insert({kind, "wrong"});
        if (fourSeated) {
            Press(w, BuzzKey(4));
            ASSERT_EQ(w.CurrentPlayer, 4) << round;
            expected[4] += w.PointsValue;
            Press(w, ChoiceKey(RightChoice(w)));
        }
        played.insert({kind, fourSeated ? "right" : "all locked out"});
        EXPECT_EQ(w.CurrentPlayer, TfrmMain::RoundClosed) << round;
        for (int seat = 1; seat <= 4; ++seat) {
            ASSERT_EQ(w.Score(seat), expected[seat]) << round << " " << seat;
        }
        w.Start->click();
    }
    w.PlayerP[4]->show();
    EXPECT_EQ(Platform.Informations, QStringList{"Playlist beendet"});
    EXPECT_TRUE(Platform.Errors.isEmpty());
    for (const char* kind : {"song", "video", "cover"}) {
        for (const char* outcome : {"time-up", "wrong", "right", "all locked out"}) {
            EXPECT_TRUE(played.contains({kind, outcome})) << kind << " " << outcome;
        }
    }
    ExpectNothingMoves(w, "the end of the playlist");
}
