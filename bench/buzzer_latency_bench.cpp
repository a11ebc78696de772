// How long a buzz takes on the real window: from a red button's input report arriving at
// the platform layer to the player's panel red and the controller's lamp report written,
// while the window's thread sits idle in its event loop. Reports the median and the 99th
// percentile.
#include "app/quiz_session.h"
#include "bench/latency.h"
#include "bench/song_folder.h"
#include "hid/hid_device.h"
#include "tests/support/fake_platform.h"
#include "ui/seat_view.h"
#include "ui/widgets/colours.h"
#include "ui/widgets/filled_panel.h"

#include <QPushButton>

#include <QApplication>
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

Bytes RedReport(int slot) {
    const QStringList hex = QString(ControllerTable[slot - 1].RedKey).split(u' ');
    Bytes report = {0x00, 0x7F, 0x7F};
    for (const QString& byte : hex) {
        report.push_back(static_cast<std::uint8_t>(byte.toUInt(nullptr, 16)));
    }
    return report;
}

void RedButtonToLamp(benchmark::State& state) {
    SongFolder folder(14);
    FakePlatform platform;
    platform.ExeFolder = folder.Path();
    platform.WorkFolder = platform.ExeFolder;
    const std::string receiver = platform.HidDevices.Plug();
    QuizSession session(platform);
    MainWindow& window = session.Window();
    QuizGame& game = session.Game();
    window.show();

    QEventLoop idle;
    const auto runUntil = [&](const std::function<bool()>& done) {
        while (!done()) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
        }
    };
    runUntil([&] { return !session.Receivers().ReceiversInUse().empty(); });
    HidDevice& device = *session.Receivers().ReceiversInUse().front();
    const HidReportHandler buzzerData = device.ReportHandler();
    std::atomic<Clock::time_point> arrived;
    std::vector<double> latencies;
    // The window's own part: from the report reaching its thread to the lamp written.
    std::vector<double> windowShares;
    bool handled = false;
    device.SetReportHandler(
        [&](HidDevice& device, std::uint8_t id, const std::uint8_t* data, std::uint16_t size) {
            const Clock::time_point reached = Clock::now();
            buzzerData(device, id, data, size);
            const Clock::time_point end = Clock::now();
            latencies.push_back(std::chrono::duration<double>(end - arrived.load()).count());
            windowShares.push_back(std::chrono::duration<double>(end - reached).count());
            handled = true;
            idle.quit();
        });
    for (int slot = 1; slot <= 4; ++slot) {
        handled = false;
        platform.HidDevices.QueueReport(receiver, RedReport(slot));
        runUntil([&] { return handled; });
    }
    latencies.clear();
    windowShares.clear();
    if (session.Buzzers().SeatToBind() != 5) {
        state.SkipWithError("the controllers were not bound");
        return;
    }
    // A playlist is running and buzzing is open.
    platform.DialogAnswers.push_back(folder.WritePlaylist(folder.Songs));
    window.StartButton->click();

    std::atomic<int> slot = 1;
    ReportFeeder feeder([&] {
        arrived = Clock::now();
        platform.HidDevices.QueueReport(receiver, RedReport(slot));
    });

    int wrongOutcomes = 0;
    for (auto _ : state) {
        // A round open for a buzz, its titles showing already, so that the buzz shows no
        // clue; no clock ticks while the window waits for it.
        game.NewRound();
        game.AdvanceClue();
        game.Timers().ClueTimer.stop();
        game.Timers().RoundClockTimer.stop();
        const std::size_t lampsBefore = platform.HidDevices.Written(receiver).size();
        // Repaints of the reset panels are done before the next buzz, as in a game.
        QCoreApplication::processEvents();
        feeder.Go();
        idle.exec();
        state.SetIterationTime(latencies.back());
        const std::vector<Bytes> lamps = platform.HidDevices.Written(receiver);
        const LampReportBytes& expected = ControllerTable[slot - 1].LampReport;
        if (window.Seats[slot]->Panel->Color() != Red || lamps.size() != lampsBefore + 1 ||
            !std::ranges::equal(lamps.back(), expected)) {
            ++wrongOutcomes;
        }
        slot = slot % 4 + 1;
    }
    if (wrongOutcomes != 0) {
        state.SkipWithError("a buzz did not turn the panel red and light its lamp");
        return;
    }

    ReportLatencies(state, latencies);
    ReportLatencies(state, windowShares, "window_");
}

BENCHMARK(RedButtonToLamp)->UseManualTime()->Iterations(2000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    return RunWindowBenchmarks(argc, argv);
}
