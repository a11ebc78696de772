#include "model/media/answer_text.h"
#include "tests/support/playlist_fixture.h"

#include <QDir>
#include <QRegularExpression>
#include <algorithm>
#include <vector>

using namespace harvoline;
using namespace harvoline::testing;

namespace {

class CoverRounds : public PlaylistTest {
  protected:
    TfrmMain& StartGame(int songs = 40) { return PlaylistTest::StartGame(songs); }
    // Presses Start at the turn of the round kind the counter names.
    static void StartAtCounter(TfrmMain& w, int counter) {
        w.RoundCounter = counter;
        w.Start->click();
    }

    static int CoveredTiles(const TfrmMain& w) {
        int covered = 0;
        for (int n = 1; n <= 64; ++n) {
            covered += IsShown(w.Tile[n]) ? 1 : 0;
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
    const QString exe = Folder.path() + "/";
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
        TfrmMain& w = StartWindow();
        EXPECT_EQ(w.CoverList.size(), c.Covers);
        EXPECT_FALSE(w.CoverList.contains("sub.jpg") || w.CoverList.contains(".hidden - one.jpg"));
        for (const QString& note : c.Notes) {
            EXPECT_TRUE(w.Hilfe->Caption().contains(note)) << note.toStdString();
        }
        for (const QString& note : c.Absent) {
            EXPECT_FALSE(w.Hilfe->Caption().contains(note)) << note.toStdString();
        }
        EXPECT_EQ(w.VlcFound, c.VlcInstalled);
        EXPECT_EQ(w.VideosAvailable, c.VideosAvailable);
        EXPECT_EQ(w.VideoList, c.VlcInstalled && c.WithVideos
                                   ? QStringList({"A - a.mp4", "B - b.mp4"})
                                   : QStringList());
        EXPECT_TRUE(w.VideoView == nullptr);
    }
}

TEST_F(CoverRounds, ExactlySixCoversGiveOneCoverRoundAndThenNone) {
    WriteCovers(6);
    TfrmMain& w = StartGame();
    int coverRounds = 0;
    for (int press = 0; press < 30 && w.Start->text() == "Weiter"; ++press) {
        w.Start->click();
        coverRounds += IsShown(w.CoverPanel) ? 1 : 0;
    }
    EXPECT_EQ(coverRounds, 1);
    EXPECT_EQ(w.CoverList.size(), 5);
    EXPECT_TRUE(Platform.Errors.isEmpty());
}

TEST_F(CoverRounds, ACoverRoundCoversEveryTileAndNormalisesOnlyTheRightAnswer) {
    WriteCovers({"Kiss_Me.jpg", "Mystery Song.jpg", "Odd_Name.jpg", "P - Q.jpg", "R - S.jpg",
                 "T - U.jpg", "Z - Z.jpg"});
    TfrmMain& w = StartGame();
    w.VideoRoundActive = true;
    w.ErrorLog.clear();
    for (int n = 1; n <= 64; n += 5) {
        w.Tile[n]->hide();
    }
    Platform.RandomValues = {1, 0, 2, 3};
    w.StartCoverRound();

    QStringList expectedLog;
    const QString right = AnswerFromFileName("Mystery Song", expectedLog);
    EXPECT_EQ(w.CorrectAnswer, right);
    AnswerChoices expected;
    for (const QString& answer :
         {right, QString("Kiss_Me"), QString("Odd_Name"), QString("P - Q")}) {
        expected.Add(answer);
    }
    EXPECT_EQ(w.AnswerList.All(), expected.All());
    EXPECT_EQ(w.ErrorLog, expectedLog);
    EXPECT_EQ(w.ErrorLog.size(), 1);
    EXPECT_FALSE(w.CoverList.contains("Mystery Song.jpg"));
    EXPECT_EQ(w.CoverList.size(), 6);
    EXPECT_EQ(Platform.PicturesLoaded.last(), ExePath("cover/Mystery Song.jpg"));
    EXPECT_FALSE(w.Cover->Picture().isNull());
    EXPECT_TRUE(IsShown(w.CoverPanel));
    EXPECT_EQ(CoveredTiles(w), 64);
    EXPECT_TRUE(w.Timer5->isActive());
    EXPECT_EQ(w.Timer5Tag, 0);
    EXPECT_TRUE(w.Timer2->isActive());
    EXPECT_EQ(w.Timer2->interval(), 10);
    EXPECT_EQ(w.RoundClock, 0);
    EXPECT_EQ(w.RoundCounter, 0);
    EXPECT_FALSE(w.VideoRoundActive);
    EXPECT_TRUE(w.AnswerLabel[1]->Caption().isEmpty());
}

TEST_F(CoverRounds, TilesOpenOneByOneAndTheLastOnlyBySteppingOn) {
    WriteCovers(8);
    TfrmMain& w = StartGame();
    StartAtCounter(w, 10);
    ASSERT_TRUE(w.Timer5->isActive());

    // The draw covers 63 values: the 64th wraps round to tile 1, and tile 63 drawn again
    // steps on to 64.
    Platform.RandomValues = {63, 62, 62};
    w.Timer5Timer();
    EXPECT_FALSE(IsShown(w.Tile[1]));
    EXPECT_TRUE(IsShown(w.Tile[64]));
    w.Timer5Timer();
    EXPECT_FALSE(IsShown(w.Tile[63]));
    w.Timer5Timer();
    EXPECT_FALSE(IsShown(w.Tile[64]));
    EXPECT_EQ(w.Timer5Tag, 3);
    EXPECT_EQ(CoveredTiles(w), 61);

    for (int tick = 3; tick < 64; ++tick) {
        EXPECT_TRUE(w.Timer5->isActive()) << tick;
        w.Timer5Timer();
        EXPECT_EQ(CoveredTiles(w), 63 - tick);
    }
    EXPECT_EQ(w.Timer5Tag, 64);
    EXPECT_FALSE(w.Timer5->isActive());
    EXPECT_TRUE(IsShown(w.CoverPanel));
}

TEST_F(CoverRounds, ABuzzStopsTheTilesAndAWrongAnswerBringsThemBack) {
    WriteCovers(8);
    TfrmMain& w = StartGame();
    StartAtCounter(w, 10);
    w.Timer5Timer();
    w.Timer5Timer();
    const int pausesBefore = Platform.Player.Pauses;

    w.BuzzIn(1);
    EXPECT_FALSE(IsShown(w.CoverPanel));
    EXPECT_FALSE(w.Timer5->isActive());
    // The song under the cover round plays on.
    EXPECT_EQ(Platform.Player.Pauses, pausesBefore);

    w.SubmitAnswer(WrongChoice(w));
    EXPECT_TRUE(IsShown(w.CoverPanel));
    EXPECT_TRUE(w.Timer5->isActive());
    EXPECT_EQ(CoveredTiles(w), 62);

    w.BuzzIn(2);
    w.SubmitAnswer(RightChoice(w));
    EXPECT_TRUE(IsShown(w.CoverPanel));
    EXPECT_EQ(CoveredTiles(w), 0);
    EXPECT_FALSE(w.Timer5->isActive());
}

TEST_F(CoverRounds, ABrokenCoverIsLoggedAndSkippedForAWholeRoundOfAnotherCoverOrASong) {
    struct Case {
        int GoodCovers;
        bool CoverRound;
    };
    const QString broken = "Artist 0 - Broken.jpg";
    for (const Case& c : {Case{7, true}, Case{5, false}}) {
        Window.reset();
        QDir(ExePath("cover")).removeRecursively();
        WriteCovers(c.GoodCovers);
        WriteFile(ExePath("cover/" + broken), "no picture");
        TfrmMain& w = StartGame();
        w.ErrorLog.clear();
        const int songsBefore = static_cast<int>(w.SongList.size());
        Platform.RandomValues = {0};
        StartAtCounter(w, 10);
        EXPECT_TRUE(Platform.Errors.isEmpty()) << c.GoodCovers;
        EXPECT_EQ(w.ErrorLog, QStringList{ExePath("cover/" + broken) + " --> read error"});
        EXPECT_FALSE(w.CoverList.contains(broken));
        EXPECT_EQ(IsShown(w.CoverPanel), c.CoverRound);
        EXPECT_EQ(w.Timer5->isActive(), c.CoverRound);
        EXPECT_EQ(w.IsCoverRound(), c.CoverRound);
        EXPECT_EQ(w.SongList.size(), songsBefore - (c.CoverRound ? 0 : 1));
        EXPECT_FALSE(w.CorrectAnswer.contains("Broken"));

        // The round is judged by its own answer.
        Press(w, Qt::Key_Q);
        Press(w, ChoiceKey(RightChoice(w)));
        EXPECT_EQ(w.Score(1), 3) << c.GoodCovers;
        EXPECT_FALSE(IsShown(w.Gitter[1]));
    }
}

TEST_F(CoverRounds, TheFirstListedOfTwoVideosPlaysFirstAndOnlyOnceWithoutCovers) {
    WriteCovers(5);
    WriteVideos({"Kaleido Kraken - Tentacle Tango.mp4", "Abba Kadabra - Hocus Pop.mp4"});
    Platform.VideoAvailable = true;
    TfrmMain& w = StartGame();
    const int audioStops = Platform.Player.Stops;
    StartAtCounter(w, 5);

    EXPECT_EQ(Platform.Video.Created, 1);
    EXPECT_EQ(Platform.Video.Calls,
              QStringList({"hide",
                           "load " + ExePath("video/Abba Kadabra - Hocus Pop.mp4") +
                               " :no-video-title-show",
                           "show", "play"}));
    EXPECT_EQ(w.CorrectAnswer, "Hocus Pop - Abba Kadabra");
    EXPECT_EQ(w.AnswerList.Count(), 4);
    EXPECT_TRUE(w.AnswerList.All().contains(w.CorrectAnswer));
    EXPECT_EQ(w.AnswerList.All().filter(QRegularExpression("^Title \\d+ - Artist \\d+$")).size(),
              3);
    EXPECT_EQ(w.VideoList, QStringList{"Kaleido Kraken - Tentacle Tango.mp4"});
    EXPECT_TRUE(w.VideoRoundActive);
    EXPECT_EQ(Platform.Player.Stops, audioStops + 1);
    const std::vector<int> videoWaits = {1000, 2000};
    EXPECT_NE(std::search(Platform.Waits.begin(), Platform.Waits.end(), videoWaits.begin(),
                          videoWaits.end()),
              Platform.Waits.end());
    EXPECT_TRUE(w.Timer1->isActive() && w.Timer2->isActive());
    EXPECT_TRUE(Platform.Messages.isEmpty());
    EXPECT_TRUE(w.ErrorLog.isEmpty());

    // Without a cover round the counter passes the video turn once only.
    for (int press = 0; press < 30 && w.Start->text() == "Weiter"; ++press) {
        w.Start->click();
    }
    EXPECT_EQ(Platform.Video.Created, 1);
    EXPECT_EQ(Platform.Video.Alive, 0);
}

TEST_F(CoverRounds, VideoAnswersNameTheTitleFirst) {
    Platform.VideoAvailable = true;
    TfrmMain& w = StartGame();
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
        w.VideoList = {c.File};
        w.ErrorLog.clear();
        EXPECT_TRUE(w.StartVideoRound());
        if (c.Answer.isEmpty()) {
            const QString split = AnswerFromFileName("Lonely_Name", unused);
            const qsizetype at = split.indexOf(" - ");
            EXPECT_EQ(w.CorrectAnswer, split.mid(at + 3) + " - " + split.left(at));
            EXPECT_EQ(w.ErrorLog.size(), 1);
        } else {
            EXPECT_EQ(w.CorrectAnswer, c.Answer);
            EXPECT_TRUE(w.ErrorLog.isEmpty());
        }
        EXPECT_TRUE(w.AnswerList.All().contains(w.CorrectAnswer));
        EXPECT_TRUE(w.VideoList.isEmpty());
        w.FreeVideoView();
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
        TfrmMain& w = StartGame();
        w.ErrorLog.clear();
        const qsizetype played = Platform.Player.Played.size();
        EXPECT_FALSE(w.StartVideoRound());
        EXPECT_EQ(w.ErrorLog.contains("A - B.mp4 --> Video error"), c.VideoErrorLogged);
        // Taken out even after a failed load.
        EXPECT_TRUE(w.VideoList.isEmpty());

        w.VideoList = {"A - B.mp4"};
        StartAtCounter(w, 5);
        EXPECT_FALSE(w.VideoRoundActive);
        EXPECT_EQ(Platform.Video.Alive, 0);
        EXPECT_EQ(Platform.Player.Played.size(), played + 1);
        EXPECT_TRUE(Platform.Messages.isEmpty());
        Window.reset();
    }
}

TEST_F(CoverRounds, AVideoThatNeverReportsPlayingCostsOneMessage) {
    WriteVideos({"A - B.mp4"});
    Platform.VideoAvailable = true;
    Platform.Video.ReportsPlaying = false;
    TfrmMain& w = StartGame();
    const std::int64_t before = Platform.Now;
    StartAtCounter(w, 5);
    // The fixed 1 s and 2 s, then five seconds more for the film to start.
    EXPECT_GE(Platform.Now - before, 1000 + 2000 + 5000);
    EXPECT_EQ(Platform.Messages, QStringList{"Error while loading video"});
    EXPECT_TRUE(w.VideoRoundActive);
    EXPECT_EQ(Platform.Video.Alive, 1);
    EXPECT_TRUE(w.Timer2->isActive());
}

TEST_F(CoverRounds, AVideoSlowToStartIsWaitedFor) {
    WriteVideos({"A - B.mp4"});
    Platform.VideoAvailable = true;
    Platform.Video.StartsAfterMs = 2000 + 2500;
    TfrmMain& w = StartGame();
    StartAtCounter(w, 5);
    EXPECT_TRUE(w.VideoRoundActive);
    EXPECT_TRUE(Platform.Messages.isEmpty());
}

TEST_F(CoverRounds, AVideoPausesOnABuzzAndItsEndStopsTheClock) {
    WriteVideos({"A - B.mp4"});
    Platform.VideoAvailable = true;
    TfrmMain& w = StartGame();
    StartAtCounter(w, 5);
    Platform.Video.Calls.clear();
    const int audioPauses = Platform.Player.Pauses;

    w.BuzzIn(3);
    EXPECT_EQ(Platform.Video.Calls, QStringList{"pause"});
    w.SubmitAnswer(WrongChoice(w));
    EXPECT_EQ(Platform.Video.Calls, QStringList({"pause", "play"}));
    EXPECT_EQ(Platform.Player.Pauses, audioPauses);
    EXPECT_TRUE(w.Timer2->isActive());

    w.Timer2Timer();
    EXPECT_EQ(Platform.Video.Alive, 1);
    Platform.Video.Position = 0.0f;
    w.Timer2Timer();
    EXPECT_FALSE(w.Timer2->isActive());
    EXPECT_EQ(Platform.Video.Alive, 0);
    EXPECT_TRUE(w.VideoView == nullptr);

    // A tick after the view is gone stops the clock and nothing else.
    const QStringList calls = Platform.Video.Calls;
    const bool clues = w.Timer1->isActive();
    w.Timer2->start();
    w.Timer2Timer();
    EXPECT_FALSE(w.Timer2->isActive());
    EXPECT_EQ(Platform.Video.Calls, calls);
    EXPECT_EQ(Platform.Video.Created, 1);
    EXPECT_EQ(w.Timer1->isActive(), clues);
    EXPECT_TRUE(w.VideoRoundActive);
}
