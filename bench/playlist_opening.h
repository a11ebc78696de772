#pragma once

// What the benchmarks that open a playlist on the window share.
#include "app/main_window.h"
#include "bench/latency.h"
#include "bench/song_folder.h"
#include "tests/support/fake_platform.h"

#include <QCoreApplication>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <functional>
#include <vector>

namespace harvoline::bench {

// Times TfrmMain::OpenPlaylist on the window of the fake platform, whose file dialog
// answers with the playlist at once and whose folders are the song folder's. `opened`
// tells whether an opening did what it should; `next` readies the window for the next.
// Reports the median and the longest in milliseconds.
inline void
TimePlaylistOpenings(benchmark::State& state, const testing::SongFolder& folder,
                     const QString& playlist,
                     const std::function<bool(testing::FakePlatform&, TfrmMain&)>& opened,
                     const std::function<void(testing::FakePlatform&, TfrmMain&)>& next) {
    testing::FakePlatform platform;
    platform.ExeFolder = folder.Path();
    platform.WorkFolder = platform.ExeFolder;
    TfrmMain window(platform);
    window.show();

    std::vector<double> openMs;
    for (auto _ : state) {
        platform.DialogAnswers.push_back(playlist);
        const auto start = std::chrono::steady_clock::now();
        window.OpenPlaylist();
        const std::chrono::duration<double, std::milli> elapsed =
            std::chrono::steady_clock::now() - start;
        if (!opened(platform, window)) {
            state.SkipWithError("the playlist did not open as it should");
            return;
        }
        state.SetIterationTime(elapsed.count() / 1000.0);
        openMs.push_back(elapsed.count());
        next(platform, window);
        QCoreApplication::processEvents();
    }
    state.counters["median_ms"] = Percentile(openMs, 0.5);
    state.counters["max_ms"] = *std::ranges::max_element(openMs);
}

} // namespace harvoline::bench
