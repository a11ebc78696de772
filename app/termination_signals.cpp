#include "app/termination_signals.h"

#include <QSocketNotifier>
#include <QWidget>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace harvoline {

namespace {

int SignalPipe[2] = {-1, -1};

void OnSignal(int) {
    const char byte = 1;
    // Only async-signal-safe work here; the event loop does the rest.
    [[maybe_unused]] const ssize_t written = ::write(SignalPipe[0], &byte, 1);
}

} // namespace

void CloseOnTerminationSignals(QWidget& window) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, SignalPipe) != 0) {
        return;
    }
    auto* notifier = new QSocketNotifier(SignalPipe[1], QSocketNotifier::Read, &window);
    QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window] {
        char byte = 0;
        [[maybe_unused]] const ssize_t got = ::read(SignalPipe[1], &byte, 1);
        window.close();
    });
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

} // namespace harvoline
