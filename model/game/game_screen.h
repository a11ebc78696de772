#pragma once

#include <QString>
#include <memory>

namespace harvoline {

struct EmbeddedPicture;
class VideoView;

// The pictures and the video the game puts on the screen and must know the fate of. The
// window provides it; tests hand the game a fake.
class GameScreen {
  public:
    virtual ~GameScreen() = default;

    // Puts a cover round's picture under its tiles; raises HarvolineError when the file
    // cannot be read or decoded.
    virtual void ShowCover(const QString& path) = 0;
    // Shows a song's own picture as the small cover; false when it cannot be decoded.
    virtual bool ShowSongPicture(const EmbeddedPicture& picture) = 0;
    virtual void ClearSongPicture() = 0;
    // A video view over the window, hidden; raises HarvolineError when none can be made.
    virtual std::unique_ptr<VideoView> CreateVideoView() = 0;
};

} // namespace harvoline
