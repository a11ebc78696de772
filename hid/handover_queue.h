#pragma once

#include <QObject>
#include <deque>
#include <functional>
#include <mutex>

class QSocketNotifier;

namespace harvoline {

// Runs calls that reader threads hand over on the thread that made the queue, from its
// event loop. Unlike a queued Qt call, a call handed over here is always destroyed on that
// thread, and the hand-over goes through a lock of our own that ThreadSanitizer can see.
class HandoverQueue : public QObject {
  public:
    HandoverQueue();
    ~HandoverQueue() override;
    HandoverQueue(const HandoverQueue&) = delete;
    HandoverQueue& operator=(const HandoverQueue&) = delete;

    // From any thread.
    void Post(std::function<void()> call);

  private:
    void RunPosted();

    int Doorbell;
    QSocketNotifier* Notifier = nullptr;
    std::mutex Lock;
    std::deque<std::function<void()>> Calls;
};

} // namespace harvoline
