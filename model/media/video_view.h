#pragma once

#include <QString>

namespace harvoline {

// The video view of a video round. Methods that can fail raise HarvolineError.
class VideoView {
  public:
    virtual ~VideoView() = default;

    virtual void SetVisible(bool visible) = 0;
    // Loads the file with the options text (such as ":no-video-title-show").
    virtual void AddTarget(const QString& path, const QString& options) = 0;
    virtual void Play() = 0;
    virtual void Pause() = 0;
    virtual void Stop() = 0;
    virtual void PlaylistClear() = 0;
    virtual bool Playing() = 0;
    // 0.0 to 1.0; 0.0 again once the video has ended or stopped.
    virtual float Position() = 0;
};

} // namespace harvoline
