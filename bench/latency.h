#pragma once

// What the benchmarks share: the figures they report and the start of a window benchmark.
#include <QApplication>
#include <algorithm>
#include <atomic>
#include <benchmark/benchmark.h>
#include <chrono>
#include <functional>
#include <semaphore>
#include <string>
#include <thread>
#include <vector>

namespace harvoline::bench {

// The value below which the given fraction of the values lies (0.5 the median, 1.0 the max).
inline double Percentile(std::vector<double> values, double fraction) {
    std::ranges::sort(values);
    const auto index = static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1));
    return values[index];
}

// Median, 99th percentile and maximum of durations in seconds, as counters in milliseconds.
inline void ReportLatencies(benchmark::State& state, const std::vector<double>& seconds,
                            const std::string& prefix = {}) {
    state.counters[prefix + "median_ms"] = Percentile(seconds, 0.5) * 1000.0;
    state.counters[prefix + "p99_ms"] = Percentile(seconds, 0.99) * 1000.0;
    state.counters[prefix + "max_ms"] = Percentile(seconds, 1.0) * 1000.0;
}

// A thread that sends one report per Go(), a little after the window's thread has fallen
// idle in its event loop.
class ReportFeeder {
  public:
    explicit ReportFeeder(std::function<void()> send)
        : Thread([this, send = std::move(send)] {
              for (;;) {
                  GoSignal.acquire();
                  if (Done) {
                      return;
                  }
                  std::this_thread::sleep_for(std::chrono::microseconds(300));
                  send();
              }
          }) {}
    ~ReportFeeder() {
        Done = true;
        GoSignal.release();
        Thread.join();
    }
    void Go() { GoSignal.release(); }

  private:
    std::binary_semaphore GoSignal{0};
    std::atomic<bool> Done = false;
    std::thread Thread; // last: it starts once the members it uses exist
};

// Runs the registered benchmarks inside a QApplication, offscreen unless told otherwise.
inline int RunWindowBenchmarks(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace harvoline::bench
