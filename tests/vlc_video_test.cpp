#include "platform/vlc_player.h"
#include "platform/vlc_video_view.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

using namespace harvoline;

// Runs on a real X server (CTest starts it under Xvfb): libvlc draws into a native window.
TEST(VlcVideo, PlaysInTheViewAndReadsZeroAfterItsEnd) {
    QTemporaryDir folder;
    const QString video = folder.filePath("clip.mp4");
    QProcess ffmpeg;
    ffmpeg.start("ffmpeg", {"-v", "error", "-f", "lavfi", "-i",
                            "testsrc=duration=2:size=160x120:rate=10", "-f", "lavfi", "-i",
                            "sine=duration=2", "-shortest", "-pix_fmt", "yuv420p", video});
    ASSERT_TRUE(ffmpeg.waitForFinished(60000));
    ASSERT_EQ(ffmpeg.exitCode(), 0) << ffmpeg.readAllStandardError().toStdString();

    VlcEngine& engine = VlcEngine::Shared({"--aout=adummy"});
    ASSERT_TRUE(VlcVideoAvailable(engine));
    QWidget window;
    window.resize(600, 400);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    VlcVideoView view(engine, &window, QRect(10, 10, 505, 321));
    view.AddTarget(video, ":no-video-title-show");
    view.SetVisible(true);
    view.Play();
    EXPECT_TRUE(QTest::qWaitFor([&] { return view.Playing(); }, 5000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return view.Position() > 0.1f; }, 5000));
    view.Pause();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !view.Playing(); }, 2000));
    view.Play();
    EXPECT_TRUE(QTest::qWaitFor([&] { return view.Position() == 0.0f; }, 8000));
    view.Stop();
    view.PlaylistClear();
    EXPECT_EQ(view.Position(), 0.0f);
}
