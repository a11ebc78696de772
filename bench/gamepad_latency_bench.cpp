// How long a buzz from a gamepad takes on the real window: from a virtual pad's button going
// down on SDL's thread to the player's panel red, while the window's thread sits idle in its
// event loop; and what SDL's thread costs while nobody presses anything.
#include "app/quiz_session.h"
#include "bench/latency.h"
#include "bench/song_folder.h"
#include "model/input/press_clock.h"
#include "tests/support/fake_platform.h"
#include "tests/support/virtual_pads.h"
#include "ui/seat_view.h"
#include "ui/widgets/colours.h"
#include "ui/widgets/filled_panel.h"

#include <QEventLoop>
#include <QPushButton>
#include <sys/resource.h>

using namespace harvoline;
using namespace harvoline::bench;
using namespace harvoline::testing;

namespace {

void RunUntil(const std::function<bool()>& done) {
    while (!done()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    }
}

void PadPressToRedPanel(benchmark::State& state) {
    SongFolder folder(14);
    FakePlatform platform;
    platform.ExeFolder = folder.Path();
    platform.WorkFolder = platform.ExeFolder;
    SdlGamepads sdl;
    platform.GamepadsInUse = &sdl;
    auto session = std::make_unique<QuizSession>(platform);
    MainWindow& window = session->Window();
    QuizGame& game = session->Game();
    window.show();
    VirtualPads pads(sdl);
    const int pad = pads.Attach(1);
    RunUntil([&] { return session->Gamepads().SetupOpen(); });
    pads.Hold(pad, PadButton::South);
    pads.Release(pad, PadButton::South);
    RunUntil([&] { return session->Gamepads().SeatOfPad(pad) == 1; });
    platform.DialogAnswers.push_back(folder.WritePlaylist(folder.Songs));
    window.StartButton->click();

    QEventLoop idle;
    std::vector<double> latencies;
    // SDL's part: from the button going down to the press stamped on SDL's thread.
    std::vector<double> sdlShares;
    QObject::connect(&session->Gamepads(), &SeatInput::CommandGiven, &idle,
                     [&](const SeatCommand& command) {
                         sdlShares.push_back(
                             static_cast<double>(command.PressedAtUs - pads.LastPressUs()) / 1e6);
                     });
    QObject::connect(&game, &QuizGame::PhaseChanged, &idle, [&] {
        if (game.AnsweringSeat() == 1) {
            latencies.push_back(static_cast<double>(PressClockUs() - pads.LastPressUs()) / 1e6);
            idle.quit();
        }
    });
    ReportFeeder feeder([&] { pads.Hold(pad, PadButton::South); });
    int wrongOutcomes = 0;
    for (auto _ : state) {
        // A round open for a buzz, its titles showing already, so that the buzz shows no
        // clue; no clock ticks while the window waits for it.
        game.NewRound();
        game.AdvanceClue();
        game.Timers().ClueTimer.stop();
        game.Timers().RoundClockTimer.stop();
        QCoreApplication::processEvents();
        feeder.Go();
        idle.exec();
        pads.Release(pad, PadButton::South);
        state.SetIterationTime(latencies.back());
        if (window.Seats[1]->Panel->Color() != Red) {
            ++wrongOutcomes;
        }
    }
    session.reset();
    if (wrongOutcomes != 0) {
        state.SkipWithError("a press did not turn the panel red");
        return;
    }
    ReportLatencies(state, latencies);
    ReportLatencies(state, sdlShares, "sdl_");
}

BENCHMARK(PadPressToRedPanel)->UseManualTime()->Iterations(1000)->Unit(benchmark::kMicrosecond);

double ProcessCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// A listener that takes everything and does nothing: the window's thread sleeps throughout.
class Idle : public PadListener {
    void OnPadArrived(const PadArrival&) override {}
    void OnPadRemoved(int) override {}
    void OnPadPressed(int, PadButton, std::int64_t) override {}
};

// SDL's thread alone in the process, with the given number of pads plugged in and nobody
// pressing: its share of one core.
void IdleThreadCpu(benchmark::State& state) {
    SdlGamepads sdl;
    Idle listener;
    sdl.Start(listener);
    VirtualPads pads(sdl);
    for (int pad = 0; pad < state.range(0); ++pad) {
        pads.Attach(static_cast<std::uint16_t>(pad + 1));
    }
    double share = 0;
    for (auto _ : state) {
        const double before = ProcessCpuSeconds();
        std::this_thread::sleep_for(std::chrono::seconds(5));
        share = (ProcessCpuSeconds() - before) / 5.0;
    }
    sdl.Stop();
    state.counters["core_percent"] = share * 100.0;
}

BENCHMARK(IdleThreadCpu)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunWindowBenchmarks(argc, argv);
}
