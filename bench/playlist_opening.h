#pragma once

// What the benchmarks that open a playlist on the window share.
#include "app/quiz_session.h"
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

// Times QuizGame::OpenPlaylist with the window on the fake platform, whose file dialog
// answers with the playlist at once and whose folders are the song folder's. `opened`
// tells whether an opening did what it should; `next` readies the game for the next.
// Reports the median and the longest in milliseconds.
inline void
TimePlaylistOpenings(benchmark::State& state, const testing::SongFolder& folder,
                     const QString& playlist,
                     const std::function<bool(testing::FakePlatform&, QuizGame&)>& opened,
                     const std::function<void(testing::FakePlatform&, QuizGame&)>& next) {
    testing::FakePlatform platform;
    platform.ExeFolder = folder.Path();
    platform.WorkFolder = platform.ExeFolder;
    QuizSession session(platform);
    session.Window().show();
    QuizGame& game = session.Game();

    std::vector<double> openMs;
    for (auto _ : state) {
        platform.DialogAnswers.push_back(playlist);
        const auto start = std::chrono::steady_clock::now();
        game.OpenPlaylist();
        const std::chrono::duration<double, std::milli> elapsed =
            std::chrono::steady_clock::now() - start;
        if (!opened(platform, game)) {
            state.SkipWithError("the playlist did not open as it should");
            return;
        }
        state.SetIterationTime(elapsed.count() / 1000.0);
        openMs.push_back(elapsed.count());
        next(platform, game);
        QCoreApplication::processEvents();
    }
    state.counters["median_ms"] = Percentile(openMs, 0.5);
    state.counters["max_ms"] = *std::ranges::max_element(openMs);
}

} // namespace harvoline::bench
