// How long opening a playlist of 100 000 lines takes: QuizGame::OpenPlaylist from no game
// running, with the file dialog answered at once, until the first round has begun and the
// call returns. The lines name a few real songs over and over. Reports the median of 20
// openings.
#include "bench/playlist_opening.h"

using namespace harvoline;
using namespace harvoline::bench;
using namespace harvoline::testing;

namespace {

constexpr int Lines = 100000;

void Open100000Lines(benchmark::State& state) {
    SongFolder folder(14);
    QStringList lines;
    for (int i = 0; i < Lines; ++i) {
        lines << folder.Songs[i % folder.Songs.size()];
    }
    TimePlaylistOpenings(
        state, folder, folder.WritePlaylist(lines),
        // The round took its song from the list.
        [](FakePlatform&, QuizGame& game) { return game.Songs().Size() == Lines - 1; },
        [](FakePlatform&, QuizGame& game) { game.EndPlaylist(); });
}

BENCHMARK(Open100000Lines)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunWindowBenchmarks(argc, argv);
}
