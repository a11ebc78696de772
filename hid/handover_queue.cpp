#include "hid/handover_queue.h"

#include <QSocketNotifier>
#include <cstdint>
#include <sys/eventfd.h>
#include <unistd.h>

namespace harvoline {

HandoverQueue::HandoverQueue() : Doorbell(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {
    if (Doorbell >= 0) {
        Notifier = new QSocketNotifier(Doorbell, QSocketNotifier::Read, this);
        connect(Notifier, &QSocketNotifier::activated, this, [this] { RunPosted(); });
    }
}

HandoverQueue::~HandoverQueue() {
    delete Notifier;
    if (Doorbell >= 0) {
        close(Doorbell);
    }
}

void HandoverQueue::Post(std::function<void()> call) {
    {
        const std::lock_guard lock(Lock);
        Calls.push_back(std::move(call));
    }
    if (Doorbell >= 0) {
        const std::uint64_t ring = 1;
        [[maybe_unused]] const ssize_t written = write(Doorbell, &ring, sizeof ring);
    } else {
        QMetaObject::invokeMethod(this, &HandoverQueue::RunPosted, Qt::QueuedConnection);
    }
}

void HandoverQueue::RunPosted() {
    if (Doorbell >= 0) {
        std::uint64_t rings = 0;
        [[maybe_unused]] const ssize_t read = ::read(Doorbell, &rings, sizeof rings);
    }
    for (;;) {
        std::function<void()> call;
        {
            const std::lock_guard lock(Lock);
            if (Calls.empty()) {
                return;
            }
            call = std::move(Calls.front());
            Calls.pop_front();
        }
        call();
    }
}

} // namespace harvoline
