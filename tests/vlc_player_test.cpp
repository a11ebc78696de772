#include "model/errors.h"
#include "platform/vlc_player.h"
#include "tests/support/sound_files.h"

#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>

using namespace harvoline;
using namespace harvoline::testing;
using namespace std::chrono_literals;

namespace {

class VlcPlayer : public ::testing::Test {
  protected:
    bool WaitUntilPlaying() { return WaitWhile(false, 200); }
    // Until the song has ended, for at most four seconds.
    bool WaitUntilEnded() { return !WaitWhile(true, 400); }

    void StartAt(const QString& song, std::int64_t ms) {
        Player.Open(song);
        Player.SetStartPosition(ms);
        Player.Play();
    }

    QTemporaryDir Folder;
    VlcAudioPlayer Player{VlcEngine::Shared({"--aout=adummy"})};

  private:
    // Waits in steps of 10 ms while the player's playing is the given one; tells whether
    // it is playing at the end.
    bool WaitWhile(bool playing, int steps) {
        for (int i = 0; i < steps && Player.IsPlaying() == playing; ++i) {
            std::this_thread::sleep_for(10ms);
        }
        return Player.IsPlaying();
    }
};

} // namespace

TEST_F(VlcPlayer, StartsAtTheSkipPausesResumesAndStops) {
    const QString song = Folder.filePath("song.wav");
    WriteToneWav(song, 6000);
    Player.Open(song);
    EXPECT_EQ(Player.FileName(), song);
    Player.SetStartPosition(2000);
    Player.Play();
    ASSERT_TRUE(WaitUntilPlaying());
    std::this_thread::sleep_for(300ms);
    const std::int64_t playing = Player.PositionMs();
    EXPECT_GE(playing, 2000);
    EXPECT_LT(playing, 3000);

    Player.Pause();
    EXPECT_FALSE(Player.IsPlaying());
    const std::int64_t paused = Player.PositionMs();
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(Player.PositionMs(), paused);

    Player.Play();
    ASSERT_TRUE(WaitUntilPlaying());
    std::this_thread::sleep_for(300ms);
    const std::int64_t resumed = Player.PositionMs();
    EXPECT_GE(resumed, paused + 200);
    EXPECT_LT(resumed, paused + 1500);

    Player.Stop();
    EXPECT_FALSE(Player.IsPlaying());
}

TEST_F(VlcPlayer, TheClockRunsSmoothlyBetweenLibvlcUpdates) {
    const QString song = Folder.filePath("song.wav");
    WriteToneWav(song, 8000);
    Player.Open(song);
    Player.SetStartPosition(1000);
    Player.Play();
    ASSERT_TRUE(WaitUntilPlaying());
    std::int64_t previous = Player.PositionMs();
    auto previousAt = std::chrono::steady_clock::now();
    for (int i = 0; i < 30; ++i) {
        std::this_thread::sleep_for(100ms);
        const std::int64_t now = Player.PositionMs();
        const auto at = std::chrono::steady_clock::now();
        const auto wall =
            std::chrono::duration_cast<std::chrono::milliseconds>(at - previousAt).count();
        EXPECT_GE(now, previous) << "reading " << i;
        // The step follows the wall clock, not libvlc's coarse updates.
        EXPECT_LE(now - previous, wall + 60) << "reading " << i;
        previous = now;
        previousAt = at;
    }
}

TEST_F(VlcPlayer, RefusesFilesItCannotPlay) {
    const QString empty = Folder.filePath("empty.mp3");
    QFile(empty).open(QIODevice::WriteOnly);
    const QString corrupt = Folder.filePath("corrupt.mp3");
    QFile corruptFile(corrupt);
    ASSERT_TRUE(corruptFile.open(QIODevice::WriteOnly));
    QByteArray noise(20000, '\0');
    for (int i = 0; i < noise.size(); ++i) {
        noise[i] = static_cast<char>((i * 7919 + 13) % 251);
    }
    corruptFile.write(noise);
    corruptFile.close();
    for (const QString& path : {Folder.filePath("missing.mp3"), empty, corrupt, Folder.path(),
                                QString("/dev/zero")}) {
        EXPECT_THROW(Player.Open(path), HarvolineError) << path.toStdString();
        EXPECT_FALSE(Player.IsPlaying());
    }

    const QString shortSong = Folder.filePath("short.wav");
    WriteToneWav(shortSong, 1000);
    Player.Open(shortSong);
    Player.SetStartPosition(2000);
    EXPECT_THROW(Player.Play(), HarvolineError);
    EXPECT_FALSE(Player.IsPlaying());
}

TEST_F(VlcPlayer, AVbrSongWithoutXingHeaderStartsAtTheSkipAndTheClockRunsToItsEnd) {
    // libvlc guesses about a second for it, less than the skip.
    const QString song = Folder.filePath("vbr.mp3");
    ASSERT_TRUE(WriteVbrMp3WithoutXing(song, 5000));
    StartAt(song, 2000);
    ASSERT_TRUE(WaitUntilPlaying());
    const auto started = std::chrono::steady_clock::now();
    EXPECT_GE(Player.PositionMs(), 2000);
    EXPECT_LT(Player.PositionMs(), 2100);
    std::this_thread::sleep_for(1500ms);
    const auto played = std::chrono::duration_cast<std::chrono::milliseconds>(
                            std::chrono::steady_clock::now() - started)
                            .count();
    EXPECT_NEAR(Player.PositionMs(), 2000 + played, 300);

    // Ended, the clock stays at the song's true end.
    EXPECT_TRUE(WaitUntilEnded());
    EXPECT_NEAR(Player.PositionMs(), 5000, 100);
}

TEST_F(VlcPlayer, ASongShorterThanTheSkipIsRefusedWhateverLibvlcGuesses) {
    const QString vbr = Folder.filePath("short vbr.mp3");
    ASSERT_TRUE(WriteVbrMp3WithoutXing(vbr, 1500));
    const QString wav = Folder.filePath("short.wav");
    WriteToneWav(wav, 1500);
    for (const QString& song : {vbr, wav}) {
        SCOPED_TRACE(song.toStdString());
        EXPECT_THROW(StartAt(song, 2000), HarvolineError);
        EXPECT_FALSE(Player.IsPlaying());
        // Before its end, it starts.
        EXPECT_NO_THROW(StartAt(song, 1000));
        EXPECT_TRUE(WaitUntilPlaying());
    }
}

TEST_F(VlcPlayer, AnEndedOrStoppedSongStaysSoWhenAskedToGoOn) {
    const QString song = Folder.filePath("song.mp3");
    ASSERT_TRUE(WriteVbrMp3WithoutXing(song, 1200));
    StartAt(song, 0);
    ASSERT_TRUE(WaitUntilPlaying());
    ASSERT_TRUE(WaitUntilEnded());
    const std::int64_t end = Player.PositionMs();
    EXPECT_NEAR(end, 1200, 100);
    // An answer given after the song ended: the pause of the buzz, then going on.
    Player.Pause();
    Player.Play();
    std::this_thread::sleep_for(300ms);
    EXPECT_FALSE(Player.IsPlaying());
    EXPECT_EQ(Player.PositionMs(), end);

    // Stopped at the end of a playlist.
    const QString longer = Folder.filePath("longer.wav");
    WriteToneWav(longer, 4000);
    StartAt(longer, 1000);
    ASSERT_TRUE(WaitUntilPlaying());
    std::this_thread::sleep_for(300ms);
    Player.Stop();
    const std::int64_t stopped = Player.PositionMs();
    Player.Play();
    std::this_thread::sleep_for(300ms);
    EXPECT_FALSE(Player.IsPlaying());
    EXPECT_EQ(Player.PositionMs(), stopped);
    EXPECT_GE(stopped, 1000);
}
