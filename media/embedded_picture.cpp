// The picture stored in a song file, shown as the third clue of a song round.
#include "app/main_window.h"
#include "media/picture_loader.h"

namespace harvoline {

void TfrmMain::ShowEmbeddedPicture(const QString& path, TImage* image) {
    image->SetPicture(QImage());
    image->hide();
    if (!TagLibraryReady()) {
        return;
    }
    Tags->Load(path);
    const EmbeddedPicture& picture = Tags->AlbumPicture();
    if (picture.Kind == PictureKind::None) {
        return;
    }
    // Decoded in memory: a picture file written into the current folder would replace a
    // user's file of the same name.
    try {
        image->SetPicture(DecodePicture(picture.Data, PictureExtension(picture.Kind)));
        image->show();
    } catch (const HarvolineError&) {
        // A picture that cannot be decoded is simply not shown.
    }
}

} // namespace harvoline
