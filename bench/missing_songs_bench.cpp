// How long a playlist of 100 000 songs that are all missing takes to reach its end:
// TfrmMain::OpenPlaylist from no game running, with the file dialog answered at once,
// through the draws that drop every missing song, until the end-of-playlist message has
// been shown and the call returns. Reports the median of 5 openings.
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

constexpr int Entries = 100000;

void MissingSongsToEndMessage(benchmark::State& state) {
    const SongFolder folder(0);
    QStringList lines;
    for (int i = 0; i < Entries; ++i) {
        lines << QStringLiteral("gone/song %1.mp3").arg(i);
    }
    const QString playlist = folder.WritePlaylist(lines);
    FakePlatform platform;
    platform.ExeFolder = folder.Path();
    platform.WorkFolder = platform.ExeFolder;
    TfrmMain window(platform);
    window.show();

    std::vector<double> endMs;
    for (auto _ : state) {
        platform.DialogAnswers.push_back(playlist);
        platform.Informations.clear();
        window.ErrorLog.clear();
        const Clock::time_point start = Clock::now();
        window.OpenPlaylist();
        const std::chrono::duration<double, std::milli> elapsed = Clock::now() - start;
        // Every song but the five the game never gets to is in the error log, and the
        // count shows those five.
        if (platform.Informations.size() != 1 || window.ErrorLog.size() != Entries - 5 ||
            !window.Anzahl->Caption().startsWith(QStringLiteral("5 "))) {
            state.SkipWithError("the playlist did not end as it should");
            return;
        }
        state.SetIterationTime(elapsed.count() / 1000.0);
        endMs.push_back(elapsed.count());
        QCoreApplication::processEvents();
    }
    state.counters["median_ms"] = Percentile(endMs, 0.5);
    state.counters["max_ms"] = *std::ranges::max_element(endMs);
}

BENCHMARK(MissingSongsToEndMessage)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunWindowBenchmarks(argc, argv);
}
