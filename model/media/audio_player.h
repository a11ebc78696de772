#pragma once

#include <QString>
#include <cstdint>

namespace harvoline {

// The song player. Open and Play raise HarvolineError when the file cannot be opened or
// played; Close, Pause and Stop never fail.
class AudioPlayer {
  public:
    virtual ~AudioPlayer() = default;

    // The file assigned by the last Open, empty before the first.
    virtual QString FileName() const = 0;
    virtual void Open(const QString& path) = 0;
    virtual void Close() = 0;
    // Applies to the next Play only.
    virtual void SetStartPosition(std::int64_t ms) = 0;
    // Starts from the start position when one is set, else continues where it paused.
    virtual void Play() = 0;
    virtual void Pause() = 0;
    virtual void Stop() = 0;
    // True once sound has started, until it pauses, stops or ends.
    virtual bool IsPlaying() = 0;
    virtual std::int64_t PositionMs() = 0;
};

} // namespace harvoline
