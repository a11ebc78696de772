// How long a buzzer press takes from the reader thread to the game: from an input report
// handed to the device's reader thread to its handler running on the window's thread,
// while that thread sits idle in its event loop. Reports the median and the 99th
// percentile.
#include "bench/latency.h"
#include "hid/hid_device_list.h"
#include "tests/support/fake_hid_platform.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <algorithm>
#include <atomic>
#include <benchmark/benchmark.h>
#include <chrono>

using namespace harvoline;
using namespace harvoline::bench;
using namespace harvoline::testing;
using Clock = std::chrono::steady_clock;

namespace {

void ReportToHandler(benchmark::State& state) {
    FakeHidPlatform hid;
    const std::string identity = hid.Plug();
    HidDeviceList deviceList(hid);
    QCoreApplication::sendPostedEvents(&deviceList);
    HidDevice* device = nullptr;
    if (!deviceList.ClaimNext(device)) {
        state.SkipWithError("no device");
        return;
    }

    std::atomic<Clock::time_point> handedOver;
    std::vector<double> latencies;
    QEventLoop idle;
    device->SetReportHandler([&](HidDevice&, std::uint8_t, const std::uint8_t*, std::uint16_t) {
        latencies.push_back(
            std::chrono::duration<double>(Clock::now() - handedOver.load()).count());
        idle.quit();
    });

    ReportFeeder feeder([&] {
        handedOver = Clock::now();
        hid.QueueReport(identity, {0x00, 0x7F, 0x7F, 0x01, 0x00, 0xF0});
    });

    for (auto _ : state) {
        feeder.Go();
        idle.exec();
        state.SetIterationTime(latencies.back());
    }

    ReportLatencies(state, latencies);
}

BENCHMARK(ReportToHandler)->UseManualTime()->Iterations(2000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
