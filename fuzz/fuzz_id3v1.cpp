// The ID3v1 record parser on any bytes a file can end with.
#include "model/media/song_tag.h"

#include <cstdlib>

namespace {

// A trimmed field neither starts nor ends with a byte of 32 or less.
bool Trimmed(const QString& text) {
    return text.isEmpty() || (text.front().unicode() > 32 && text.back().unicode() > 32);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const harvoline::SongTag tag =
        harvoline::ParseId3v1(QByteArrayView(data, static_cast<qsizetype>(size)));
    const bool hasRecord = size >= 128;
    const bool shapeHolds = hasRecord ? tag.Marker.size() == 3 : tag == harvoline::SongTag{};
    const bool widthsHold = tag.Title.size() <= 30 && tag.Artist.size() <= 30 &&
                            tag.Album.size() <= 30 && tag.Year.size() <= 4 &&
                            tag.Comment.size() <= 30;
    const bool trimmed = Trimmed(tag.Title) && Trimmed(tag.Artist) && Trimmed(tag.Album) &&
                         Trimmed(tag.Year) && Trimmed(tag.Comment);
    if (!shapeHolds || !widthsHold || !trimmed) {
        std::abort();
    }
    return 0;
}
