#pragma once

// What the benchmarks share: the figures they report and the start of a window benchmark.
#include <QApplication>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <string>
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
