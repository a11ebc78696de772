#pragma once

#include "model/game/game_screen.h"

#include <QImage>
#include <QStringList>

namespace harvoline::testing {

class FakePlatform;

// The screen of a game without a window: covers are loaded through the platform and song
// pictures decoded as the window does, so that broken files fail as they would; what was
// shown is kept for the test to see.
class FakeScreen : public GameScreen {
  public:
    explicit FakeScreen(FakePlatform& platform) : Platform(platform) {}

    void ShowCover(const QString& path) override;
    bool ShowSongPicture(const EmbeddedPicture& picture) override;
    void ClearSongPicture() override { SongPicture = QImage(); }
    std::unique_ptr<VideoView> CreateVideoView() override;

    QImage Cover;
    QImage SongPicture;

  private:
    FakePlatform& Platform;
};

} // namespace harvoline::testing
