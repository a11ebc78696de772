#include "model/media/cover_deck.h"

#include "model/config/file_places.h"
#include "model/game/game_services.h"
#include "model/media/media_folder.h"

namespace harvoline {

QString CoverDeck::Scan(const FilePlaces& places) {
    CoverFolder = places.DataFolder(QStringLiteral("cover"));
    Covers = FilesIn(CoverFolder);
    if (Covers.size() < MinimumCovers) {
        return QStringLiteral("Not enough covers in ") + CoverFolder + QStringLiteral(". ");
    }
    return {};
}

int CoverDeck::Draw(int e1, int e2, int e3) {
    if (Covers.size() < MinimumCovers) {
        return -1;
    }
    int position = 0;
    do {
        position = Services.Random(Size() - 1);
    } while (position == e1 || position == e2 || position == e3);
    return position;
}

} // namespace harvoline
