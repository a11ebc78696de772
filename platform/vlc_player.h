#pragma once

#include "platform/audio_player.h"

#include <QStringList>
#include <atomic>
#include <chrono>

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

// Plays songs through libvlc, hiding where it differs from a plain media player: it parses
// a file before accepting it (a broken file would otherwise "play" silently to its end),
// refuses a start past the end, turns the error event into a failure, and interpolates
// its coarse position updates into a clock that runs smoothly.
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
    static void OnError(const libvlc_event_t* event, void* self);
    void StartClock(std::int64_t from);
    void FreezeClock();

    VlcEngine& Engine;
    libvlc_media_player_t* Player = nullptr;
    libvlc_media_t* Media = nullptr;
    QString File;
    std::int64_t Duration = 0;
    std::int64_t StartPosition = -1;
    std::atomic<bool> Failed{false};

    // The clock: the position at the anchor, and when that was, while playing.
    bool Running = false;
    std::int64_t AnchorPosition = 0;
    Clock::time_point AnchorTime;
};

} // namespace harvoline
