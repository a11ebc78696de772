#include "app/quiz_session.h"
#include "model/config/language.h"
#include "model/config/settings.h"
#include "model/media/video_view.h"
#include "platform/vlc_player.h"
#include "platform/vlc_video_view.h"
#include "tests/support/fake_platform.h"
#include "tests/support/tag_files.h"

#include <QDir>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace harvoline;
using namespace harvoline::testing;

namespace {

// The fake platform with libvlc's video view and waits that let the window live.
class VideoPlatform : public FakePlatform {
  public:
    VlcEngine& Engine = VlcEngine::Shared({"--aout=adummy"});

    std::unique_ptr<VideoView> CreateVideoView(QWidget* parent, const QRect& geometry) override {
        return std::make_unique<VlcVideoView>(Engine, parent, geometry);
    }
    bool VideoInstalled() override { return VlcVideoAvailable(Engine); }
    void Wait(int ms) override {
        FakePlatform::Wait(ms);
        QTest::qWait(ms);
    }
};

QString MakeVideo(const QString& path) {
    QProcess ffmpeg;
    ffmpeg.start("ffmpeg", {"-v", "error", "-f", "lavfi", "-i",
                            "testsrc=duration=6:size=320x240:rate=15", "-f", "lavfi", "-i",
                            "sine=duration=6", "-shortest", "-pix_fmt", "yuv420p", path});
    if (!ffmpeg.waitForFinished(60000) || ffmpeg.exitCode() != 0) {
        return ffmpeg.readAllStandardError();
    }
    return {};
}

// A folder with a short video, eight songs and their playlist, and settings that give the
// video its turn right after the first song round.
class VideoRound : public ::testing::Test {
  protected:
    VideoRound() {
        platform.ExeFolder = folder.path() + "/";
        platform.WorkFolder = platform.ExeFolder;
        QDir(folder.path()).mkpath("video");
        Problem = MakeVideo(folder.filePath("video/Test Artist - Test Song.mp4"));
        QStringList songs;
        for (int i = 1; i <= 8; ++i) {
            Id3v1Fields fields;
            fields.Title = QByteArray("Title ") + QByteArray::number(i);
            fields.Artist = QByteArray("Artist ") + QByteArray::number(i);
            songs << folder.filePath(QString("s%1.mp3").arg(i));
            WriteBytes(songs.last(), SilentMp3() + Id3v1Record(fields));
        }
        Playlist = folder.filePath("list.m3u");
        WriteBytes(Playlist, songs.join("\r\n").toUtf8() + "\r\n");
        QStringList settings = DefaultSettings(DefaultLanguageTable());
        settings[7] = "Guess a cover every 2 songs";
        WriteBytes(folder.filePath("Harvoline.ini"), settings.join("\r\n").toUtf8());
    }

    // The window shown and the video round started by two presses of Start.
    void StartVideoRound(QuizSession& session) {
        ASSERT_TRUE(Problem.isEmpty()) << Problem.toStdString();
        MainWindow& w = session.Window();
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        ASSERT_TRUE(session.Game().Videos().Available());
        platform.DialogAnswers.push_back(Playlist);
        w.StartButton->click();
        w.StartButton->click();
        ASSERT_TRUE(session.Game().VideoRoundRunning());
        ASSERT_NE(session.Game().Video(), nullptr);
    }

    QTemporaryDir folder;
    VideoPlatform platform;
    QString Problem;
    QString Playlist;
};

} // namespace

// Runs on a real X server: the round plays the video in the window through libvlc.
TEST_F(VideoRound, PlaysPausesOnABuzzResumesAndEndsByItself) {
    QuizSession session(platform);
    QuizGame& game = session.Game();
    ASSERT_NO_FATAL_FAILURE(StartVideoRound(session));
    EXPECT_EQ(game.RightAnswer(), "Test Song - Test Artist");
    EXPECT_TRUE(game.Video()->Playing());
    EXPECT_TRUE(platform.Messages.isEmpty());
    EXPECT_TRUE(game.Config().ErrorLog().isEmpty())
        << game.Config().ErrorLog().join("\n").toStdString();
    EXPECT_TRUE(game.Timers().RoundClockTimer.isActive());

    game.Buzz(1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !game.Video()->Playing(); }, 2000));
    const float pausedAt = game.Video()->Position();
    QTest::qWait(300);
    EXPECT_EQ(game.Video()->Position(), pausedAt);

    const int right = static_cast<int>(game.Choices().All().indexOf(game.RightAnswer())) + 1;
    game.Choose(right == 1 ? 2 : 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return game.Video()->Playing(); }, 2000));
    EXPECT_TRUE(game.Timers().RoundClockTimer.isActive());

    EXPECT_TRUE(QTest::qWaitFor([&] { return game.Video() == nullptr; }, 15000));
    EXPECT_FALSE(game.Timers().RoundClockTimer.isActive());
    EXPECT_TRUE(platform.Errors.isEmpty()) << platform.Errors.join("\n").toStdString();
}

// The video plays in a child of the window; the program ends with both whole.
TEST_F(VideoRound, TheProgramEndsCleanlyWhileAVideoPlays) {
    auto session = std::make_unique<QuizSession>(platform);
    ASSERT_NO_FATAL_FAILURE(StartVideoRound(*session));
    session->Window().close();
    session.reset();
    EXPECT_TRUE(platform.Errors.isEmpty()) << platform.Errors.join("\n").toStdString();
}
