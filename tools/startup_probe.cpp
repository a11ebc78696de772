// Starts Harvoline exactly as its main() does and prints, once the main window's first
// frame has been drawn and handed to the window system, the time since the process
// started: "first paint after N ms". It then ends the process at once, so nothing (no
// settings file) is written.
//
// Usage: harvoline_startup_probe [launch time, CLOCK_REALTIME nanoseconds]
// Without the launch time, the process start from /proc/self/stat is used, which has
// only clock-tick (usually 10 ms) resolution.

#include "app/application.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

double Seconds(const timespec& t) {
    return static_cast<double>(t.tv_sec) + t.tv_nsec / 1e9;
}

// Seconds from the process start to now.
double ElapsedSinceProcessStart() {
    std::ifstream statFile("/proc/self/stat");
    std::string stat((std::istreambuf_iterator<char>(statFile)), std::istreambuf_iterator<char>());
    // The command name (field 2) is in parentheses and may hold spaces; count from after it.
    std::istringstream fields(stat.substr(stat.rfind(')') + 2));
    std::string field;
    for (int i = 3; i <= 22; ++i) {
        fields >> field;
    }
    const double startTicks = std::stod(field);
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return Seconds(now) - startTicks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

double ElapsedSinceLaunch(long long launchNanoseconds) {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return Seconds(now) - static_cast<double>(launchNanoseconds) / 1e9;
}

// Watches every widget of the main window. The first paint event starts the repaint of the
// whole window; a zero timer fires once control is back in the event loop, that is after
// all widgets have painted and the backing store has been flushed to the window.
class FirstFrameProbe : public QObject {
  public:
    FirstFrameProbe(QWidget& window, long long launchNanoseconds)
        : Window(window), LaunchNanoseconds(launchNanoseconds) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!Seen && event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->window() == &Window) {
            Seen = true;
            QTimer::singleShot(0, this, [this] { Report(); });
        }
        return false;
    }

  private:
    void Report() {
        // Waits until the X server has carried out every request, the drawn frame included.
        QGuiApplication::sync();
        const double seconds = LaunchNanoseconds > 0 ? ElapsedSinceLaunch(LaunchNanoseconds)
                                                     : ElapsedSinceProcessStart();
        std::printf("first paint after %.0f ms\n", seconds * 1000.0);
        std::fflush(stdout);
        std::_Exit(0);
    }

    QWidget& Window;
    long long LaunchNanoseconds;
    bool Seen = false;
};

} // namespace

int main(int argc, char* argv[]) {
    const long long launchNanoseconds = argc > 1 ? std::atoll(argv[1]) : 0;
    // The program itself sees no arguments.
    char* programArgv[] = {argv[0], nullptr};
    int programArgc = 1;

    harvoline::RunHarvoline(programArgc, programArgv, [&](harvoline::MainWindow& window) {
        auto* probe = new FirstFrameProbe(window, launchNanoseconds);
        probe->setParent(&window);
        qApp->installEventFilter(probe);
    });
    std::fprintf(stderr, "the window closed before its first frame was drawn\n");
    return 1;
}
