#include "model/media/video_deck.h"

#include "model/config/file_places.h"
#include "model/game/game_services.h"
#include "model/media/media_folder.h"

namespace harvoline {

QString VideoDeck::Detect(const FilePlaces& places) {
    VlcFound = Services.VideoInstalled();
    VideosAvailable = false;
    QString note = QStringLiteral("\n");
    if (VlcFound) {
        note += QStringLiteral("VLC found. ");
        VideoFolder = places.DataFolder(QStringLiteral("video"));
        Videos = FilesIn(VideoFolder);
        if (Videos.isEmpty()) {
            note += QStringLiteral("No videos in ") + VideoFolder + QStringLiteral(". ");
        } else {
            VideosAvailable = true;
        }
    } else {
        note += QStringLiteral("VLC not found. ");
    }
    return note;
}

int VideoDeck::Draw() {
    if (Videos.isEmpty()) {
        return -1;
    }
    return Services.Random(Size() - 1);
}

} // namespace harvoline
