// The start of rounds, their clue steps and clock, on the game without a window.
#include "model/config/language.h"
#include "model/config/settings.h"
#include "model/errors.h"
#include "model/game/report_errors.h"
#include "model/game/round_rules.h"
#include "model/media/video_view.h"
#include "tests/support/game_fixture.h"
#include "tests/support/tag_files.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QSet>

using namespace harvoline;
using namespace harvoline::testing;

TEST(RoundRules, PadNumberAndClockText) {
    struct Pad {
        int Value, Width;
        const char* Text;
    };
    for (const Pad& c : {Pad{7, 2, "07"}, Pad{123, 2, "123"}, Pad{-5, 3, "0-5"}, Pad{0, 2, "00"},
                         Pad{5, 0, "5"}}) {
        EXPECT_EQ(PadNumber(c.Value, c.Width), c.Text) << c.Value << " " << c.Width;
    }
    struct Clock {
        int Ms;
        const char* Text;
    };
    for (const Clock& c :
         {Clock{0, "0:00:00"}, Clock{59999, "0:59:99"}, Clock{60000, "1:00:00"},
          Clock{600000, "10:00:00"}, Clock{83456, "1:23:45"}, Clock{-1790, "0:00:00"}}) {
        EXPECT_EQ(ClockText(c.Ms), c.Text) << c.Ms;
    }
}

TEST(RoundRules, ChoosesCoverAndVideoTurns) {
    struct Case {
        int Counter, Interval, Covers, Videos;
        bool VideosOk;
        RoundKind Kind;
    };
    const Case cases[] = {
        {5, 10, 8, 2, true, RoundKind::Video},  {4, 10, 8, 2, true, RoundKind::Song},
        {10, 10, 8, 2, true, RoundKind::Cover}, {12, 10, 8, 2, true, RoundKind::Cover},
        {10, 10, 5, 2, true, RoundKind::Song},  {4, 7, 8, 2, true, RoundKind::Video},
        {5, 10, 8, 0, true, RoundKind::Song},   {5, 10, 8, 2, false, RoundKind::Song},
        {1, 1, 8, 2, true, RoundKind::Cover},   {1, 1, 5, 2, true, RoundKind::Video},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NextRoundKind(c.Counter, c.Interval, c.Covers, c.Videos, c.VideosOk), c.Kind)
            << c.Counter << "/" << c.Interval;
    }
    EXPECT_EQ(FirstHalf("Title - Artist - More"), "Title");
    EXPECT_EQ(FirstHalf("No separator"), "");
}

TEST(ReportErrors, AnErrorOfAnActionGoesToTheGeneralErrorBox) {
    FakePlatform platform;
    ReportErrors(platform, [] { throw HarvolineError("Datei kaputt"); });
    ReportErrors(platform, [] {});
    EXPECT_EQ(platform.Errors, QStringList{"Datei kaputt"});
}

namespace {

class Rounds : public GameTest {
  protected:
    // The game with its cover turn every so many rounds, the first round started.
    QuizGame& StartWithCoverInterval(int interval, int songs = 40) {
        QStringList settings = DefaultSettings(DefaultLanguageTable());
        settings[7] = QString("Guess a cover every %1 songs").arg(interval);
        WriteSettingsFile(settings);
        return StartGame(songs);
    }

    static QStringList Lines(const QuizGame& game) {
        QStringList texts;
        for (int choice = 1; choice <= 4; ++choice) {
            texts << game.Line(choice).Text;
        }
        return texts;
    }

    static QStringList Shadows(const QuizGame& game) {
        QStringList texts;
        for (int choice = 1; choice <= 4; ++choice) {
            texts << game.Line(choice).Shadow;
        }
        return texts;
    }
};

} // namespace

TEST_F(Rounds, CancellingTheFirstDialogResetsTheRoundAndEndsThePlaylist) {
    QuizGame& game = StartUp();
    game.AdvanceClue();
    game.AdvanceClue();
    ASSERT_EQ(game.PointsAtStake(), 1);
    game.Proceed();
    EXPECT_EQ(game.Stage(), ClueStage::Hidden);
    EXPECT_EQ(game.PointsAtStake(), 3);
    // Without a playlist the round stays closed: nobody can buzz.
    EXPECT_EQ(game.Phase(), RoundPhase::Closed);
    EXPECT_EQ(Platform.Informations, QStringList{"Playlist beendet"});
    EXPECT_FALSE(game.Timers().ClueTimer.isActive());
    EXPECT_FALSE(game.Timers().RoundClockTimer.isActive());
}

TEST_F(Rounds, StagesShowTitlesThenAnswersThenTheCoverUnderMasks) {
    const QStringList names = WriteSongs(8);
    QImage art(64, 64, QImage::Format_RGB32);
    art.fill(Qt::blue);
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    art.save(&buffer, "JPG");
    for (const QString& name : names) {
        WriteId3v2(SongFolder() + name, {"T", "A"}, 3, TagLib::String::UTF8,
                   {{"image/jpeg", jpeg}});
    }
    QuizGame& game = StartUp();
    Platform.DialogAnswers.push_back(WritePlaylist(names));
    game.Proceed();
    ASSERT_EQ(game.Choices().Count(), 4);
    EXPECT_TRUE(game.StartMeansNext());
    EXPECT_EQ(Lines(game), QStringList(4, ""));

    game.AdvanceClue();
    EXPECT_EQ(game.PointsAtStake(), 2);
    QStringList titles;
    for (const QString& answer : game.Choices().All()) {
        titles << answer.section(" - ", 0, 0);
    }
    EXPECT_EQ(Lines(game), titles);
    EXPECT_EQ(Shadows(game), titles);

    game.AdvanceClue();
    EXPECT_EQ(game.PointsAtStake(), 1);
    EXPECT_EQ(Lines(game), game.Choices().All());
    EXPECT_EQ(Shadows(game), game.Choices().All());

    game.AdvanceClue();
    EXPECT_EQ(game.Stage(), ClueStage::MiniCover);
    EXPECT_EQ(game.PointsAtStake(), 1);
    EXPECT_FALSE(game.Timers().ClueTimer.isActive());
    EXPECT_TRUE(game.MiniCoverShown());
    EXPECT_EQ(Screen.SongPicture.size(), QSize(64, 64));
    EXPECT_TRUE(game.Timers().MaskTimer.isActive());
    const int order[] = {2, 4, 1, 3};
    for (int step = 0; step < 4; ++step) {
        game.OpenNextMask();
        for (int k = 0; k < 4; ++k) {
            EXPECT_EQ(game.MaskOn(order[k]), k > step) << step << " " << k;
        }
    }
    EXPECT_FALSE(game.Timers().MaskTimer.isActive());
}

TEST_F(Rounds, AFailingThirdClueIsTriedAgainAtTheNextTick) {
    QuizGame& game = StartGame(8);
    game.AdvanceClue();
    game.AdvanceClue();
    Platform.Player.FailFileName = true;
    game.AdvanceClue();
    EXPECT_EQ(game.Stage(), ClueStage::Answers);
    EXPECT_TRUE(game.Timers().ClueTimer.isActive());
    EXPECT_EQ(Shadows(game), Lines(game));
    Platform.Player.FailFileName = false;
    game.AdvanceClue();
    EXPECT_EQ(game.Stage(), ClueStage::MiniCover);
    EXPECT_FALSE(game.Timers().ClueTimer.isActive());
}

TEST_F(Rounds, CoverAndVideoRoundsStopTheClueTimerAtTheThirdTick) {
    for (const bool video : {false, true}) {
        SCOPED_TRACE(video ? "video" : "cover");
        if (video) {
            QDir(ExePath("cover")).removeRecursively();
            WriteVideos({"Band - Song.mp4"});
            Platform.VideoAvailable = true;
        } else {
            WriteCovers(8);
        }
        QuizGame& game = StartWithCoverInterval(video ? 2 : 1);
        game.Proceed();
        ASSERT_EQ(video ? game.VideoRoundRunning() : game.IsCoverRound(), true);
        for (int tick = 0; tick < 3; ++tick) {
            game.AdvanceClue();
        }
        EXPECT_EQ(game.Stage(), ClueStage::Answers);
        EXPECT_EQ(game.PointsAtStake(), 1);
        EXPECT_FALSE(game.Timers().ClueTimer.isActive());
        EXPECT_FALSE(game.MiniCoverShown());
    }
}

// A cover named without " - " gives an empty title, and a second cover with the same answer
// ignoring case leaves a choice out.
TEST_F(Rounds, AnswersWithoutSeparatorAndMissingChoicesStayEmpty) {
    WriteCovers({"Alpha - One.jpg", "NoSeparator.jpg", "Zulu - Two.jpg", "alpha - one.jpg",
                 "pad - one.jpg", "pad - two.jpg"});
    QuizGame& game = StartWithCoverInterval(1);
    // The round's cover, then its three others.
    Platform.RandomValues = {0, 3, 1, 2};
    game.Proceed();
    ASSERT_TRUE(game.IsCoverRound());
    EXPECT_EQ(game.Choices().All(), (QStringList{"Alpha - One", "NoSeparator", "Zulu - Two"}));
    game.AdvanceClue();
    EXPECT_EQ(Lines(game), (QStringList{"Alpha", "", "Zulu", ""}));
    EXPECT_TRUE(game.Line(3).Open);
    EXPECT_FALSE(game.Line(4).Open);
    game.AdvanceClue();
    EXPECT_EQ(Lines(game), (QStringList{"Alpha - One", "", "Zulu - Two", ""}));
    EXPECT_EQ(game.Stage(), ClueStage::Answers);
}

TEST_F(Rounds, ApplyingALanguageMidRoundPutsThePointsBackToThree) {
    QuizGame& game = StartGame(8);
    game.AdvanceClue();
    game.AdvanceClue();
    EXPECT_EQ(game.PointsAtStake(), 1);
    Platform.DialogAnswers.push_back(QStringLiteral(HARVOLINE_SOURCE_DIR "/languages/English.ini"));
    game.Config().ChooseLanguage();
    EXPECT_EQ(game.PointsAtStake(), 3);
    EXPECT_FALSE(game.StartMeansNext());
}

TEST_F(Rounds, TheClockShowsTheSongPositionAndSlowsDownAfterTwoSeconds) {
    QuizGame& game = StartGame(8);
    const QTimer& clock = game.Timers().RoundClockTimer;
    EXPECT_EQ(clock.interval(), 10);
    Platform.Player.Position = 2000 + 1500;
    game.TickRoundClock();
    EXPECT_EQ(game.RoundClockText(), "0:01:50");
    EXPECT_EQ(clock.interval(), 10);
    Platform.Player.Position = 2000 + 1990;
    game.TickRoundClock();
    EXPECT_EQ(clock.interval(), 100);
}

TEST_F(Rounds, CoverRoundsCountTheClocksOwnTicksAndVideoRoundsEndWithTheirVideo) {
    WriteCovers(8);
    QuizGame& game = StartWithCoverInterval(1);
    game.Proceed();
    ASSERT_TRUE(game.CoverShown());
    const QTimer& clock = game.Timers().RoundClockTimer;
    for (int tick = 0; tick < 200; ++tick) {
        game.TickRoundClock();
    }
    EXPECT_EQ(game.RoundClockText(), "0:01:99");
    EXPECT_EQ(clock.interval(), 100);
    game.TickRoundClock();
    EXPECT_EQ(game.RoundClockText(), "0:02:00");
    EXPECT_EQ(game.RoundClockMs(), 2100);

    QDir(ExePath("cover")).removeRecursively();
    WriteVideos({"Band - Song.mp4"});
    Platform.VideoAvailable = true;
    QuizGame& video = StartWithCoverInterval(2);
    video.Proceed();
    ASSERT_TRUE(video.VideoRoundRunning());
    video.TickRoundClock();
    EXPECT_EQ(video.RoundClockText(), "0:00:00");
    Platform.Video.Position = 0.0f;
    video.TickRoundClock();
    EXPECT_FALSE(video.Timers().RoundClockTimer.isActive());
    EXPECT_EQ(video.Video(), nullptr);
    EXPECT_EQ(video.RoundClockText(), "0:00:01");
}

TEST_F(Rounds, AWholeGamePlaysEverySongOnceUntilTheEnd) {
    QuizGame& game = StartGame(12);
    int rounds = 1;
    EXPECT_TRUE(game.StartMeansNext());
    while (game.StartMeansNext() && rounds < 20) {
        game.Proceed();
        ++rounds;
    }
    const QStringList played = Platform.Player.Played;
    EXPECT_EQ(played.size(), 12 - 5);
    EXPECT_EQ(QSet<QString>(played.begin(), played.end()).size(), played.size());
    EXPECT_EQ(game.Songs().Size(), 5);
    EXPECT_FALSE(game.StartMeansNext());
    EXPECT_EQ(Platform.Informations, QStringList{"Playlist beendet"});
    EXPECT_FALSE(game.Timers().ClueTimer.isActive());
    // n songs give n - 6 rounds to play; the last one started is ended at once.
    EXPECT_EQ(rounds, 12 - 5);
}

TEST_F(Rounds, AllSongsMissingShowsTheEndOnlyOnce) {
    QuizGame& game = StartUp();
    QStringList missing;
    for (int i = 0; i < 8; ++i) {
        missing << QString("gone%1.mp3").arg(i);
    }
    Platform.DialogAnswers.push_back(WritePlaylist(missing));
    game.Proceed();
    EXPECT_EQ(Platform.Informations,
              QStringList{"Lieder in der Playlist: Datei nicht gefunden.. Playlist beendet"});
}

// The round's own draws come first: its song and wrong answers, then the seven colours.
TEST_F(Rounds, ANewRoundDrawsItsColoursLastAndResetsTheMarks) {
    QuizGame& game = StartGame(14);
    game.Buzz(3);
    game.Choose(WrongChoice(game));
    game.Buzz(2);
    game.Choose(RightChoice(game));
    ASSERT_TRUE(game.SeatAt(2).Marked && game.IsLockedOut(3));

    const QStringList entries = game.Songs().Entries();
    Platform.RandomValues = {0, 1, 2, 3, 0x123456, 1, 2, 3, 4, 5, 6};
    game.Proceed();
    EXPECT_EQ(QFileInfo(Platform.Player.Played.last()).fileName(), entries[0]);
    EXPECT_EQ(game.FrameColour(), 0x123456u);
    EXPECT_EQ(game.LetterColour(0), 1u);
    EXPECT_EQ(game.LetterColour(5), 6u);
    EXPECT_TRUE(Platform.RandomValues.empty());
    EXPECT_EQ(game.Phase(), RoundPhase::Open);
    for (int seat = 1; seat <= 4; ++seat) {
        EXPECT_FALSE(game.SeatAt(seat).Marked) << seat;
        EXPECT_FALSE(game.IsLockedOut(seat)) << seat;
    }
    for (int choice = 1; choice <= 4; ++choice) {
        EXPECT_TRUE(game.Line(choice).Open) << choice;
        EXPECT_EQ(game.Line(choice).Mark, LineMark::Choice) << choice;
    }
}
