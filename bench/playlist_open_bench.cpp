// How long opening a playlist of 100 000 lines takes: TfrmMain::OpenPlaylist from no game
// running, with the file dialog answered at once, until the first round has begun and the
// call returns. The lines name a few real songs over and over. Reports the median of 20
// openings.
#include "app/main_window.h"
#include "bench/latency.h"
#include "bench/song_folder.h"
#include "tests/support/fake_platform.h"

#include <QApplication>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>

using namespace harvoline;
using namespace harvoline::bench;
using namespace harvoline::testing;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int Lines = 100000;

void Open100000Lines(benchmark::State& state) {
    SongFolder folder(14);
    QStringList lines;
    for (int i = 0; i < Lines; ++i) {
        lines << folder.Songs[i % folder.Songs.size()];
    }
    const QString playlist = folder.WritePlaylist(lines);
    FakePlatform platform;
    platform.ExeFolder = folder.Path();
    platform.WorkFolder = platform.ExeFolder;
    TfrmMain window(platform);
    window.show();

    std::vector<double> openMs;
    for (auto _ : state) {
        platform.DialogAnswers.push_back(playlist);
        const Clock::time_point start = Clock::now();
        window.OpenPlaylist();
        const std::chrono::duration<double, std::milli> elapsed = Clock::now() - start;
        // The round took its song from the list.
        if (window.SongList.size() != Lines - 1) {
            state.SkipWithError("the playlist did not open");
            return;
        }
        state.SetIterationTime(elapsed.count() / 1000.0);
        openMs.push_back(elapsed.count());
        window.EndPlaylist();
        QCoreApplication::processEvents();
    }
    state.counters["median_ms"] = Percentile(openMs, 0.5);
    state.counters["max_ms"] = *std::ranges::max_element(openMs);
}

BENCHMARK(Open100000Lines)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunWindowBenchmarks(argc, argv);
}
