#include "tests/support/fake_screen.h"

#include "model/errors.h"
#include "model/media/tag_library.h"
#include "model/media/video_view.h"
#include "tests/support/fake_platform.h"
#include "ui/pictures/picture_loader.h"

namespace harvoline::testing {

void FakeScreen::ShowCover(const QString& path) {
    Cover = Platform.LoadPicture(path);
}

bool FakeScreen::ShowSongPicture(const EmbeddedPicture& picture) {
    try {
        SongPicture = DecodePicture(picture.Data, PictureExtension(picture.Kind));
        return true;
    } catch (const HarvolineError&) {
        return false;
    }
}

std::unique_ptr<VideoView> FakeScreen::CreateVideoView() {
    return Platform.CreateVideoView(nullptr, {});
}

} // namespace harvoline::testing
