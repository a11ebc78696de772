// How long a buzz from the keyboard takes on the real window: from a player's key press to
// that player's panel drawn red, in a round of an opened playlist. Each buzz is answered
// right and a new round begins before the next one. Reports the median and the 99th
// percentile.
#include "app/quiz_session.h"
#include "bench/latency.h"
#include "bench/song_folder.h"
#include "tests/support/fake_platform.h"
#include "ui/seat_view.h"
#include "ui/widgets/colours.h"
#include "ui/widgets/filled_panel.h"

#include <QPushButton>

#include <QApplication>
#include <QTest>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>

using namespace harvoline;
using namespace harvoline::bench;
using namespace harvoline::testing;
using Clock = std::chrono::steady_clock;

namespace {

// Notes when the watched panel has been painted. It paints the panel itself, so the time
// is taken once the red is drawn rather than when painting begins.
class PaintClock : public QObject {
  public:
    Clock::time_point PaintedAt;
    bool Painted = false;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint || Painted) {
            return false;
        }
        watched->event(event);
        PaintedAt = Clock::now();
        Painted = true;
        return true;
    }
};

void KeyToRedPanel(benchmark::State& state) {
    SongFolder folder(14);
    FakePlatform platform;
    platform.ExeFolder = folder.Path();
    platform.WorkFolder = platform.ExeFolder;
    QuizSession session(platform);
    MainWindow& window = session.Window();
    QuizGame& game = session.Game();
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        state.SkipWithError("the window was not shown");
        return;
    }
    platform.DialogAnswers.push_back(folder.WritePlaylist(folder.Songs));
    window.StartButton->click();

    const Qt::Key keys[] = {Qt::Key_unknown, Qt::Key_Q, Qt::Key_Y, Qt::Key_M, Qt::Key_P};
    PaintClock clock;
    std::vector<double> latencies;
    int seat = 1;
    int wrongOutcomes = 0;
    for (auto _ : state) {
        game.NewRound();
        // Repaints of the reset panels are done before the next buzz, as in a game.
        QCoreApplication::processEvents();
        FilledPanel* panel = window.Seats[seat]->Panel;
        panel->installEventFilter(&clock);
        clock.Painted = false;
        const Clock::time_point pressed = Clock::now();
        QTest::keyClick(&window, keys[seat]);
        panel->removeEventFilter(&clock);
        if (!clock.Painted || panel->Color() != Red || game.AnsweringSeat() != seat) {
            ++wrongOutcomes;
            continue;
        }
        const double seconds = std::chrono::duration<double>(clock.PaintedAt - pressed).count();
        state.SetIterationTime(seconds);
        latencies.push_back(seconds);
        const auto right = game.Choices().All().indexOf(game.RightAnswer()) + 1;
        QTest::keyClick(&window, static_cast<Qt::Key>(Qt::Key_0 + right));
        seat = seat % 4 + 1;
    }
    if (wrongOutcomes != 0) {
        state.SkipWithError("a key press did not turn its panel red");
        return;
    }

    ReportLatencies(state, latencies);
}

BENCHMARK(KeyToRedPanel)->UseManualTime()->Iterations(2000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    return RunWindowBenchmarks(argc, argv);
}
