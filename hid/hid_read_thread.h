#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <stop_token>
#include <thread>
#include <vector>

namespace harvoline {

class HandoverQueue;
class HidDevice;

// Reads input reports of one device, one read at a time, and hands each to the device's
// handlers on the window's thread through mainThread, waiting until they have run there.
class HidReadThread {
  public:
    HidReadThread(HidDevice& device, std::size_t reportLength, HandoverQueue& mainThread);
    // Ends the thread and waits for it. Call on the window's thread; this also works from
    // a handler the thread is waiting for.
    ~HidReadThread();
    HidReadThread(const HidReadThread&) = delete;
    HidReadThread& operator=(const HidReadThread&) = delete;

  private:
    // What the reader and the window's thread share about the calls handed over.
    struct Handover {
        std::mutex Lock;
        std::condition_variable_any Changed;
        bool Ran = false;
        // Only the main thread touches it.
        bool Stopped = false;
    };

    using Bytes = std::vector<std::uint8_t>;

    void Execute(const std::stop_token& stop);
    void HandOverReport(const std::stop_token& stop);
    void HandOverError(const std::stop_token& stop);
    // Runs call on the main thread and waits until it has run or the thread is stopped.
    void RunOnMainThread(const std::stop_token& stop, std::function<void()> call);
    void PaceRetry(const std::stop_token& stop);

    HidDevice& Device;
    HandoverQueue& MainThread;
    Bytes Report;
    std::size_t NumBytesRead = 0;
    int ErrorCode = 0;
    const std::shared_ptr<Handover> Channel = std::make_shared<Handover>();
    std::jthread Thread;
};

} // namespace harvoline
