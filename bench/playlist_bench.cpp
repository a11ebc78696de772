// From a press of Start with no game running to the song playing: the game's own path,
// QuizGame::OpenPlaylist on the demo playlist, until the song player reports playing. The
// player is the real one on a silent output, the waits are the real ones, and no dialog
// opens. Reports the median of 20 presses and, of that, the time spent waiting.
#include "app/quiz_session.h"
#include "bench/latency.h"
#include "model/media/audio_player.h"
#include "platform/real_platform.h"
#include "platform/vlc_player.h"

#include <QApplication>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <vector>

using namespace harvoline;
using namespace harvoline::bench;
using Clock = std::chrono::steady_clock;

namespace {

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The real platform, except that the file dialog picks the demo playlist and messages
// are answered at once. It keeps the real waits and adds up how long they took.
class DialogFreePlatform : public RealPlatform {
  public:
    std::optional<QString> OpenFileDialog(const FileDialogRequest&) override {
        return QStringLiteral(HARVOLINE_DEMO_PLAYLIST);
    }
    void ShowInformation(const QString&) override {}
    void ShowMessage(const QString&) override {}
    void ShowError(const QString&) override {}
    bool AskYesNo(const QString&) override { return true; }
    void Wait(int ms) override {
        const Clock::time_point start = Clock::now();
        RealPlatform::Wait(ms);
        WaitedMs += MillisecondsSince(start);
    }

    double WaitedMs = 0;
};

void StartPressToPlaying(benchmark::State& state) {
    DialogFreePlatform platform;
    QuizSession session(platform);
    session.StartUp();
    QuizGame& game = session.Game();

    std::vector<double> pressMs;
    std::vector<double> waitedMs;
    for (auto _ : state) {
        platform.WaitedMs = 0;
        const Clock::time_point start = Clock::now();
        game.OpenPlaylist();
        const double elapsed = MillisecondsSince(start);
        if (!platform.Audio().IsPlaying()) {
            state.SkipWithError("the song did not start");
            return;
        }
        state.SetIterationTime(elapsed / 1000.0);
        pressMs.push_back(elapsed);
        waitedMs.push_back(platform.WaitedMs);
        // Back to no game running, as after a playlist's end.
        game.EndPlaylist();
    }
    state.counters["median_ms"] = Percentile(pressMs, 0.5);
    state.counters["max_ms"] = *std::ranges::max_element(pressMs);
    state.counters["waited_median_ms"] = Percentile(waitedMs, 0.5);
}

BENCHMARK(StartPressToPlaying)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Created before the window asks for it, so the player is silent.
    VlcEngine::Shared({QStringLiteral("--aout=adummy")});
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
