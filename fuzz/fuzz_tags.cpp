// The tag layer over TagLib on any bytes saved as a song file, and the embedded picture
// it finds through the picture decoder, as the game shows it.
#include "model/errors.h"
#include "model/media/song_tag.h"
#include "model/media/tag_library.h"
#include "ui/pictures/picture_loader.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

namespace {

// The first byte chooses the format TagLib takes the rest for.
const char* const Extensions[] = {".mp3", ".flac", ".ogg", ".opus", ".m4a"};

QTemporaryDir& Folder() {
    static QTemporaryDir folder;
    return folder;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const QString path = Folder().filePath(
        QStringLiteral("song") + QLatin1String(Extensions[data[0] % std::size(Extensions)]));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) {
            std::abort();
        }
        file.write(reinterpret_cast<const char*>(data + 1), static_cast<qint64>(size - 1));
    }
    static harvoline::TagLibrary tags;
    harvoline::SongTag record;
    harvoline::ReadId3v2(tags, path, record);
    if (record.Marker != QStringLiteral("TAG") || record.Title.size() > 30 ||
        record.Artist.size() > 30 || record.Year.size() > 4) {
        std::abort();
    }
    const harvoline::EmbeddedPicture& picture = tags.AlbumPicture();
    if (picture.Kind != harvoline::PictureKind::None) {
        try {
            harvoline::DecodePicture(picture.Data, harvoline::PictureExtension(picture.Kind));
        } catch (const harvoline::HarvolineError&) {
        }
    }
    return 0;
}
