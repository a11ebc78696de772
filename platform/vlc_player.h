#pragma once

#include "model/media/audio_player.h"
#include "platform/mp3_frames.h"
#include "model/config/regular_file.h"

#include <QStringList>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>

struct libvlc_instance_t;
struct libvlc_media_t;
struct libvlc_media_player_t;
struct libvlc_event_t;

namespace harvoline {

// The one libvlc instance of the program. It lives until the process ends: releasing it
// unloads libvlc's plugins and the libraries they pulled in, which strands what those
// libraries allocated when they were loaded.
class VlcEngine {
  public:
    // The first call creates it with the given extra options, such as "--aout=adummy" for
    // a silent output; later calls return the same engine.
    static VlcEngine& Shared(const QStringList& options = {});

    // Null when libvlc could not be started.
    libvlc_instance_t* Instance() const { return Vlc; }

  private:
    explicit VlcEngine(const QStringList& options);

    libvlc_instance_t* Vlc = nullptr;
};

// Plays songs through libvlc, hiding where it differs from a plain media player. It
// refuses a file libvlc would "play" silently to its end, and turns libvlc's error event
// into a failure. An MP3 file is played from the frame where the start position lies,
// found by counting the frames: libvlc can only guess where a time lies in a VBR file
// without a Xing header. Other files start through libvlc's start time, and whether one
// can start there is decided by starting it. The clock follows libvlc's playing position,
// interpolated between its coarse updates, and stays at the end once the song has ended.
class VlcAudioPlayer : public AudioPlayer {
  public:
    explicit VlcAudioPlayer(VlcEngine& engine);
    ~VlcAudioPlayer() override;

    QString FileName() const override { return File; }
    void Open(const QString& path) override;
    void Close() override;
    void SetStartPosition(std::int64_t ms) override { StartPosition = ms; }
    void Play() override;
    void Pause() override;
    void Stop() override;
    bool IsPlaying() override;
    std::int64_t PositionMs() override;

  private:
    using Clock = std::chrono::steady_clock;
    // What libvlc has reported since the song was last started.
    enum class Start { Waiting, Playing, Ended, Failed };
    // Where the song is, as far as the game asked.
    enum class Phase { Ready, Playing, Paused, Over };
    struct Mp3Source;

    static void OnEvent(const libvlc_event_t* event, void* self);
    void Report(Start start);
    void CheckPlayable(const QString& path);
    libvlc_media_t* MediaFrom(std::int64_t ms);
    void StartAt(std::int64_t ms);
    Start WaitForStart();
    [[noreturn]] void CannotStartAt(std::int64_t ms);
    void StartClock(std::int64_t from);
    void FreezeClock();
    std::int64_t EndPosition(std::int64_t interpolated);

    VlcEngine& Engine;
    libvlc_media_player_t* Player = nullptr;
    libvlc_media_t* Media = nullptr;
    QString File;
    std::unique_ptr<RegularFile> Song;
    std::optional<Mp3Frames> Frames;
    std::unique_ptr<Mp3Source> Source;
    // The song's time at libvlc's time 0.
    std::int64_t Base = 0;
    std::int64_t StartPosition = -1;
    Phase State = Phase::Ready;
    std::atomic<bool> Failed{false};

    std::mutex StartLock;
    std::condition_variable StartChanged;
    Start Started = Start::Waiting;

    // The clock: the position at the anchor, and when that was, while playing.
    bool Running = false;
    std::int64_t AnchorPosition = 0;
    Clock::time_point AnchorTime;
};

} // namespace harvoline
