// How long a playlist of 100 000 songs that are all missing takes to reach its end:
// QuizGame::OpenPlaylist from no game running, with the file dialog answered at once,
// through the draws that drop every missing song, until the end-of-playlist message has
// been shown and the call returns. Reports the median of 5 openings.
#include "bench/playlist_opening.h"

using namespace harvoline;
using namespace harvoline::bench;
using namespace harvoline::testing;

namespace {

constexpr int Entries = 100000;

void MissingSongsToEndMessage(benchmark::State& state) {
    const SongFolder folder(0);
    QStringList lines;
    for (int i = 0; i < Entries; ++i) {
        lines << QStringLiteral("gone/song %1.mp3").arg(i);
    }
    TimePlaylistOpenings(
        state, folder, folder.WritePlaylist(lines),
        // Every song but the five the game never gets to is in the error log, and those
        // five are left.
        [](FakePlatform& platform, QuizGame& game) {
            return platform.Informations.size() == 1 &&
                   game.Config().ErrorLog().size() == Entries - 5 && game.Songs().Size() == 5;
        },
        [](FakePlatform& platform, QuizGame& game) {
            platform.Informations.clear();
            game.Config().ErrorLog().clear();
        });
}

BENCHMARK(MissingSongsToEndMessage)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunWindowBenchmarks(argc, argv);
}
