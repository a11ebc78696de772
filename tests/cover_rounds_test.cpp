// Cover rounds and video rounds, on the game without a window.
#include "model/config/language.h"
#include "model/config/settings.h"
#include "model/media/answer_text.h"
#include "tests/support/game_fixture.h"

#include <QDir>
#include <QRegularExpression>
#include <algorithm>
#include <vector>

using namespace harvoline;
using namespace harvoline::testing;

namespace {

class CoverRounds : public GameTest {
  protected:
    // A game whose cover turn comes every so many rounds, its first round started.
    QuizGame& StartWithCoverInterval(int interval) {
        QStringList settings = DefaultSettings(DefaultLanguageTable());
        settings[7] = QString("Guess a cover every %1 songs").arg(interval);
        WriteSettingsFile(settings);
        return StartGame(40);
    }
    // The next round is a cover round when there are covers enough.
    QuizGame& StartAtCoverTurn() {
        QuizGame& game = StartWithCoverInterval(1);
        game.Proceed();
        return game;
    }
    // The next round is a video round when videos can be shown and no cover round is due.
    QuizGame& StartAtVideoTurn() {
        QuizGame& game = StartWithCoverInterval(2);
        game.Proceed();
        return game;
    }

    static int CoveredTiles(const QuizGame& game) {
        int covered = 0;
        for (int tile = 1; tile <= QuizGame::TileCount; ++tile) {
            covered += game.TileCovered(tile) ? 1 : 0;
        }
        return covered;
    }
};

} // namespace

TEST_F(CoverRounds, StartUpListsTheFoldersAndNotesWhatIsMissing) {
    struct Case {
        int Covers;
        bool VlcInstalled;
        bool WithVideos;
        QStringList Notes;
        QStringList Absent;
        bool VideosAvailable;
    };
    const QString exe = ExeFolder();
    const Case cases[] = {
        {6, true, true, {"\nVLC found. "}, {"Not enough covers", "No videos"}, true},
        {5,
         true,
         false,
         {"Not enough covers in " + exe + "cover/. ",
          "\nVLC found. No videos in " + exe + "video/. "},
         {},
         false},
        {6, false, true, {"\nVLC not found. "}, {"Not enough covers", "VLC found"}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Covers);
        QDir(exe + "cover").removeRecursively();
        QDir(exe + "video").removeRecursively();
        WriteCovers(c.Covers);
        // Folders and hidden files are no covers.
        QDir(exe).mkpath("cover/sub.jpg");
        WritePicture(exe + "cover/.hidden - one.jpg");
        if (c.WithVideos) {
            WriteVideos({"B - b.mp4", "A - a.mp4"});
        }
        Platform.VideoAvailable = c.VlcInstalled;
        const QuizGame& game = StartUp();
        const QStringList covers = game.Covers().Names();
        EXPECT_EQ(covers.size(), c.Covers);
        EXPECT_FALSE(covers.contains("sub.jpg") || covers.contains(".hidden - one.jpg"));
        for (const QString& note : c.Notes) {
            EXPECT_TRUE(game.Notes().contains(note)) << note.toStdString();
        }
        for (const QString& note : c.Absent) {
            EXPECT_FALSE(game.Notes().contains(note)) << note.toStdString();
        }
        EXPECT_EQ(game.Videos().PlayerFound(), c.VlcInstalled);
        EXPECT_EQ(game.Videos().Available(), c.VideosAvailable);
        EXPECT_EQ(game.Videos().Names(), c.VlcInstalled && c.WithVideos
                                             ? QStringList({"A - a.mp4", "B - b.mp4"})
                                             : QStringList());
        EXPECT_EQ(game.Video(), nullptr);
    }
}

TEST_F(CoverRounds, ExactlySixCoversGiveOneCoverRoundAndThenNone) {
    WriteCovers(6);
    QuizGame& game = StartWithCoverInterval(10);
    int coverRounds = 0;
    for (int press = 0; press < 30 && game.StartMeansNext(); ++press) {
        game.Proceed();
        coverRounds += game.CoverShown() ? 1 : 0;
    }
    EXPECT_EQ(coverRounds, 1);
    EXPECT_EQ(game.Covers().Size(), 5);
    EXPECT_TRUE(Platform.Errors.isEmpty());
}

TEST_F(CoverRounds, ACoverRoundCoversEveryTileAndNormalisesOnlyTheRightAnswer) {
    WriteCovers({"Kiss_Me.jpg", "Mystery Song.jpg", "Odd_Name.jpg", "P - Q.jpg", "R - S.jpg",
                 "T - U.jpg", "Z - Z.jpg"});
    QuizGame& game = StartWithCoverInterval(1);
    game.Config().ErrorLog().clear();
    Platform.RandomValues = {1, 0, 2, 3};
    game.Proceed();

    QStringList expectedLog;
    const QString right = AnswerFromFileName("Mystery Song", expectedLog);
    EXPECT_EQ(game.RightAnswer(), right);
    AnswerChoices expected;
    for (const QString& answer :
         {right, QString("Kiss_Me"), QString("Odd_Name"), QString("P - Q")}) {
        expected.Add(answer);
    }
    EXPECT_EQ(game.Choices().All(), expected.All());
    EXPECT_EQ(game.Config().ErrorLog(), expectedLog);
    EXPECT_EQ(game.Config().ErrorLog().size(), 1);
    EXPECT_FALSE(game.Covers().Names().contains("Mystery Song.jpg"));
    EXPECT_EQ(game.Covers().Size(), 6);
    EXPECT_EQ(Platform.PicturesLoaded.last(), ExePath("cover/Mystery Song.jpg"));
    EXPECT_FALSE(Screen.Cover.isNull());
    EXPECT_TRUE(game.CoverShown());
    EXPECT_EQ(CoveredTiles(game), 64);
    EXPECT_TRUE(game.Timers().TileTimer.isActive());
    EXPECT_EQ(game.TilesOpened(), 0);
    EXPECT_TRUE(game.Timers().RoundClockTimer.isActive());
    EXPECT_EQ(game.Timers().RoundClockTimer.interval(), 10);
    EXPECT_EQ(game.RoundClockMs(), 0);
    EXPECT_TRUE(game.IsCoverRound());
    EXPECT_FALSE(game.VideoRoundRunning());
    EXPECT_TRUE(game.Line(1).Text.isEmpty());
}

TEST_F(CoverRounds, TilesOpenOneByOneAndTheLastOnlyBySteppingOn) {
    WriteCovers(8);
    QuizGame& game = StartAtCoverTurn();
    ASSERT_TRUE(game.Timers().TileTimer.isActive());

    // The draw covers 63 values: the 64th wraps round to tile 1, and tile 63 drawn again
    // steps on to 64.
    Platform.RandomValues = {63, 62, 62};
    game.OpenNextTile();
    EXPECT_FALSE(game.TileCovered(1));
    EXPECT_TRUE(game.TileCovered(64));
    game.OpenNextTile();
    EXPECT_FALSE(game.TileCovered(63));
    game.OpenNextTile();
    EXPECT_FALSE(game.TileCovered(64));
    EXPECT_EQ(game.TilesOpened(), 3);
    EXPECT_EQ(CoveredTiles(game), 61);

    for (int tick = 3; tick < 64; ++tick) {
        EXPECT_TRUE(game.Timers().TileTimer.isActive()) << tick;
        game.OpenNextTile();
        EXPECT_EQ(CoveredTiles(game), 63 - tick);
    }
    EXPECT_EQ(game.TilesOpened(), 64);
    EXPECT_FALSE(game.Timers().TileTimer.isActive());
    EXPECT_TRUE(game.CoverShown());
}

TEST_F(CoverRounds, ABuzzStopsTheTilesAndAWrongAnswerBringsThemBack) {
    WriteCovers(8);
    QuizGame& game = StartAtCoverTurn();
    game.OpenNextTile();
    game.OpenNextTile();
    const int pausesBefore = Platform.Player.Pauses;

    game.Buzz(1);
    EXPECT_FALSE(game.CoverShown());
    EXPECT_FALSE(game.Timers().TileTimer.isActive());
    // The song under the cover round plays on.
    EXPECT_EQ(Platform.Player.Pauses, pausesBefore);

    game.Choose(WrongChoice(game));
    EXPECT_TRUE(game.CoverShown());
    EXPECT_TRUE(game.Timers().TileTimer.isActive());
    EXPECT_EQ(CoveredTiles(game), 62);

    game.Buzz(2);
    game.Choose(RightChoice(game));
    EXPECT_TRUE(game.CoverShown());
    EXPECT_EQ(CoveredTiles(game), 0);
    EXPECT_FALSE(game.Timers().TileTimer.isActive());
}

TEST_F(CoverRounds, ABrokenCoverIsLoggedAndSkippedForAWholeRoundOfAnotherCoverOrASong) {
    struct Case {
        int GoodCovers;
        bool CoverRound;
    };
    const QString broken = "Artist 0 - Broken.jpg";
    for (const Case& c : {Case{7, true}, Case{5, false}}) {
        QDir(ExePath("cover")).removeRecursively();
        WriteCovers(c.GoodCovers);
        WriteFile(ExePath("cover/" + broken), "no picture");
        QuizGame& game = StartWithCoverInterval(1);
        game.Config().ErrorLog().clear();
        const int songsBefore = game.Songs().Size();
        Platform.RandomValues = {0};
        game.Proceed();
        EXPECT_TRUE(Platform.Errors.isEmpty()) << c.GoodCovers;
        EXPECT_EQ(game.Config().ErrorLog(),
                  QStringList{ExePath("cover/" + broken) + " --> read error"});
        EXPECT_FALSE(game.Covers().Names().contains(broken));
        EXPECT_EQ(game.CoverShown(), c.CoverRound);
        EXPECT_EQ(game.Timers().TileTimer.isActive(), c.CoverRound);
        EXPECT_EQ(game.IsCoverRound(), c.CoverRound);
        EXPECT_EQ(game.Songs().Size(), songsBefore - (c.CoverRound ? 0 : 1));
        EXPECT_FALSE(game.RightAnswer().contains("Broken"));

        // The round is judged by its own answer.
        game.Buzz(1);
        game.Choose(RightChoice(game));
        EXPECT_EQ(game.Score(1), 3) << c.GoodCovers;
        EXPECT_FALSE(game.IsLockedOut(1));
    }
}

TEST_F(CoverRounds, TheFirstListedOfTwoVideosPlaysFirstAndOnlyOnceWithoutCovers) {
    WriteCovers(5);
    WriteVideos({"Kaleido Kraken - Tentacle Tango.mp4", "Abba Kadabra - Hocus Pop.mp4"});
    Platform.VideoAvailable = true;
    QuizGame& game = StartWithCoverInterval(10);
    for (int round = 1; round < 5; ++round) {
        game.Proceed();
    }
    const int audioStops = Platform.Player.Stops;
    Platform.Waits.clear();
    game.Proceed();

    EXPECT_EQ(Platform.Video.Created, 1);
    EXPECT_EQ(Platform.Video.Calls,
              QStringList({"hide",
                           "load " + ExePath("video/Abba Kadabra - Hocus Pop.mp4") +
                               " :no-video-title-show",
                           "show", "play"}));
    EXPECT_EQ(game.RightAnswer(), "Hocus Pop - Abba Kadabra");
    EXPECT_EQ(game.Choices().Count(), 4);
    EXPECT_TRUE(game.Choices().All().contains(game.RightAnswer()));
    EXPECT_EQ(game.Choices().All().filter(QRegularExpression("^Title \\d+ - Artist \\d+$")).size(),
              3);
    EXPECT_EQ(game.Videos().Names(), QStringList{"Kaleido Kraken - Tentacle Tango.mp4"});
    EXPECT_TRUE(game.VideoRoundRunning());
    EXPECT_EQ(Platform.Player.Stops, audioStops + 1);
    const std::vector<int> videoWaits = {1000, 2000};
    EXPECT_NE(std::search(Platform.Waits.begin(), Platform.Waits.end(), videoWaits.begin(),
                          videoWaits.end()),
              Platform.Waits.end());
    EXPECT_TRUE(game.Timers().ClueTimer.isActive() && game.Timers().RoundClockTimer.isActive());
    EXPECT_TRUE(Platform.Messages.isEmpty());
    EXPECT_TRUE(game.Config().ErrorLog().isEmpty());

    // Without a cover round the count passes the video turn once only.
    for (int press = 0; press < 30 && game.StartMeansNext(); ++press) {
        game.Proceed();
    }
    EXPECT_EQ(Platform.Video.Created, 1);
    EXPECT_EQ(Platform.Video.Alive, 0);
}

TEST_F(CoverRounds, VideoAnswersNameTheTitleFirst) {
    Platform.VideoAvailable = true;
    QuizGame& game = StartGame();
    QStringList unused;
    const struct {
        QString File, Answer;
    } cases[] = {
        {"Artist - Title.mp4", "Title - Artist"},
        {"One - Two - Three.mp4", "Two - Three - One"},
        {"Dotted.Name - Song.avi", "Song - Dotted.Name"},
        {"Lonely_Name.mp4", QString()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.File.toStdString());
        game.Videos().SetNames({c.File});
        game.Config().ErrorLog().clear();
        EXPECT_TRUE(game.StartVideoRound());
        if (c.Answer.isEmpty()) {
            const QString split = AnswerFromFileName("Lonely_Name", unused);
            const qsizetype at = split.indexOf(" - ");
            EXPECT_EQ(game.RightAnswer(), split.mid(at + 3) + " - " + split.left(at));
            EXPECT_EQ(game.Config().ErrorLog().size(), 1);
        } else {
            EXPECT_EQ(game.RightAnswer(), c.Answer);
            EXPECT_TRUE(game.Config().ErrorLog().isEmpty());
        }
        EXPECT_TRUE(game.Choices().All().contains(game.RightAnswer()));
        EXPECT_TRUE(game.Videos().Names().isEmpty());
        game.FreeVideoView();
    }
}

TEST_F(CoverRounds, AFailedVideoGivesWayToASongRound) {
    struct Case {
        const char* What;
        bool FailToCreate, FailToLoad, FailToPlay;
        bool VideoErrorLogged;
    };
    const Case cases[] = {
        {"no view", true, false, false, true},
        {"not loaded", false, true, false, false},
        {"not played", false, false, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        Platform.Video = FakeVideoScript{};
        Platform.Video.FailToCreate = c.FailToCreate;
        Platform.Video.FailToLoad = c.FailToLoad;
        Platform.Video.FailToPlay = c.FailToPlay;
        Platform.VideoAvailable = true;
        WriteVideos({"A - B.mp4"});
        // The video's turn comes once the failed start has counted as a round.
        QuizGame& game = StartWithCoverInterval(4);
        game.Config().ErrorLog().clear();
        const qsizetype played = Platform.Player.Played.size();
        EXPECT_FALSE(game.StartVideoRound());
        EXPECT_EQ(game.Config().ErrorLog().contains("A - B.mp4 --> Video error"),
                  c.VideoErrorLogged);
        // Taken out even after a failed load.
        EXPECT_TRUE(game.Videos().Names().isEmpty());

        game.Videos().SetNames({"A - B.mp4"});
        game.Proceed();
        EXPECT_FALSE(game.VideoRoundRunning());
        EXPECT_EQ(Platform.Video.Alive, 0);
        EXPECT_EQ(Platform.Player.Played.size(), played + 1);
        EXPECT_TRUE(Platform.Messages.isEmpty());
    }
}

TEST_F(CoverRounds, AVideoThatNeverReportsPlayingCostsOneMessage) {
    WriteVideos({"A - B.mp4"});
    Platform.VideoAvailable = true;
    Platform.Video.ReportsPlaying = false;
    QuizGame& game = StartWithCoverInterval(2);
    const std::int64_t before = Platform.Now;
    game.Proceed();
    // The fixed 1 s and 2 s, then five seconds more for the film to start.
    EXPECT_GE(Platform.Now - before, 1000 + 2000 + 5000);
    EXPECT_EQ(Platform.Messages, QStringList{"Error while loading video"});
    EXPECT_TRUE(game.VideoRoundRunning());
    EXPECT_EQ(Platform.Video.Alive, 1);
    EXPECT_TRUE(game.Timers().RoundClockTimer.isActive());
}

TEST_F(CoverRounds, AVideoSlowToStartIsWaitedFor) {
    WriteVideos({"A - B.mp4"});
    Platform.VideoAvailable = true;
    Platform.Video.StartsAfterMs = 2000 + 2500;
    QuizGame& game = StartAtVideoTurn();
    EXPECT_TRUE(game.VideoRoundRunning());
    EXPECT_TRUE(Platform.Messages.isEmpty());
}

TEST_F(CoverRounds, AVideoPausesOnABuzzAndItsEndStopsTheClock) {
    WriteVideos({"A - B.mp4"});
    Platform.VideoAvailable = true;
    QuizGame& game = StartAtVideoTurn();
    Platform.Video.Calls.clear();
    const int audioPauses = Platform.Player.Pauses;

    game.Buzz(3);
    EXPECT_EQ(Platform.Video.Calls, QStringList{"pause"});
    game.Choose(WrongChoice(game));
    EXPECT_EQ(Platform.Video.Calls, QStringList({"pause", "play"}));
    EXPECT_EQ(Platform.Player.Pauses, audioPauses);
    EXPECT_TRUE(game.Timers().RoundClockTimer.isActive());

    game.TickRoundClock();
    EXPECT_EQ(Platform.Video.Alive, 1);
    Platform.Video.Position = 0.0f;
    game.TickRoundClock();
    EXPECT_FALSE(game.Timers().RoundClockTimer.isActive());
    EXPECT_EQ(Platform.Video.Alive, 0);
    EXPECT_EQ(game.Video(), nullptr);

    // A wrong answer after the video's end starts the clock again; its next tick stops it
    // and does nothing else.
    game.Buzz(1);
    const QStringList calls = Platform.Video.Calls;
    game.Choose(WrongChoice(game));
    ASSERT_TRUE(game.Timers().RoundClockTimer.isActive());
    const bool clues = game.Timers().ClueTimer.isActive();
    game.TickRoundClock();
    EXPECT_FALSE(game.Timers().RoundClockTimer.isActive());
    EXPECT_EQ(Platform.Video.Calls, calls);
    EXPECT_EQ(Platform.Video.Created, 1);
    EXPECT_EQ(game.Timers().ClueTimer.isActive(), clues);
    EXPECT_TRUE(game.VideoRoundRunning());
}
