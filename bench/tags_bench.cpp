// Title and artist of 1000 tagged MP3 files: through the ID3v1 record the game reads
// itself, and through the tag library over TagLib.
#include "model/media/song_tag.h"
#include "model/media/tag_library.h"
#include "tests/support/picture_files.h"
#include "tests/support/tag_files.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace harvoline;
using namespace harvoline::testing;

namespace {

// Each song: a few MPEG frames, an ID3v2.3 tag with a 300 by 300 JPEG cover, and an
// ID3v1 record, as a tagger leaves them.
class Songs {
  public:
    static const QStringList& Paths() {
        static const Songs songs;
        return songs.Files;
    }

  private:
    Songs() {
        QImage cover(300, 300, QImage::Format_RGB32);
        for (int y = 0; y < cover.height(); ++y) {
            for (int x = 0; x < cover.width(); ++x) {
                cover.setPixel(x, y, qRgb(x % 256, y % 256, (x * y) % 256));
            }
        }
        const TagPicture picture{QStringLiteral("image/jpeg"),
                                 EncodeJpeg(cover, JpegKind::Baseline)};
        for (int i = 0; i < 1000; ++i) {
            const QString title = QStringLiteral("Song %1").arg(i);
            const QString artist = QStringLiteral("Artist %1").arg(i);
            const QString path = Folder.filePath(title + QStringLiteral(".mp3"));
            WriteBytes(path, SilentMp3() + Id3v1Record({.Title = title.toLatin1(),
                                                        .Artist = artist.toLatin1(),
                                                        .Year = "2001"}));
            WriteId3v2(path,
                       {title, artist, QStringLiteral("Album"), QStringLiteral("2001"),
                        QStringLiteral("Comment")},
                       3, TagLib::String::UTF16, {picture});
            Files << path;
        }
    }

    QTemporaryDir Folder;
    QStringList Files;
};

template <typename Read> void ReadTitles(benchmark::State& state, Read read) {
    const QStringList& paths = Songs::Paths();
    SongTag record;
    read(paths.front(), record);
    if (record.Title != u"Song 0" || record.Artist != u"Artist 0") {
        state.SkipWithError("the first song reads wrong");
        return;
    }
    for (auto _ : state) {
        for (const QString& path : paths) {
            read(path, record);
            benchmark::DoNotOptimize(record.Title.size() + record.Artist.size());
        }
    }
}

void TitlesOf1000SongsThroughId3v1(benchmark::State& state) {
    ReadTitles(state, [](const QString& path, SongTag& record) { ReadId3v1(path, record); });
}

void TitlesOf1000SongsThroughTagLib(benchmark::State& state) {
    TagLibrary tags;
    ReadTitles(state,
               [&tags](const QString& path, SongTag& record) { ReadId3v2(tags, path, record); });
}

} // namespace

BENCHMARK(TitlesOf1000SongsThroughId3v1)->Unit(benchmark::kMillisecond);
BENCHMARK(TitlesOf1000SongsThroughTagLib)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
