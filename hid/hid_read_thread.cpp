#include "hid/hid_read_thread.h"

#include "hid/handover_queue.h"
#include "hid/hid_device.h"

#include <QScopeGuard>
#include <algorithm>
#include <cerrno>
#include <chrono>

namespace harvoline {

HidReadThread::HidReadThread(HidDevice& device, std::size_t reportLength, HandoverQueue& mainThread)
    : Device(device), MainThread(mainThread), Report(std::max<std::size_t>(reportLength, 1)),
      Thread([this](const std::stop_token& stop) { Execute(stop); }) {}

HidReadThread::~HidReadThread() {
    Channel->Stopped = true;
    Thread.request_stop();
    Thread.join();
}

void HidReadThread::Execute(const std::stop_token& stop) {
    while (!stop.stop_requested()) {
        std::ranges::fill(Report, 0);
        const std::shared_ptr<HidConnection> handle = Device.OpenReaderHandle();
        const HidReadResult result = handle ? handle->ReadReport(Report, Device.ReaderSleepTime())
                                            : HidReadResult{0, ENODEV};
        if (result.Error != 0) {
            ErrorCode = result.Error;
            HandOverError(stop);
            PaceRetry(stop);
            continue;
        }
        NumBytesRead = result.Bytes;
        if (NumBytesRead > 0) {
            HandOverReport(stop);
        }
    }
}

void HidReadThread::HandOverReport(const std::stop_token& stop) {
    // The handler gets a copy, so its bytes outlive a reader it stops.
    Bytes report(Report.begin(), Report.begin() + static_cast<std::ptrdiff_t>(NumBytesRead));
    RunOnMainThread(stop, [device = &Device, report = std::move(report)] {
        if (const HidReportHandler handler = device->ReportHandler()) {
            handler(*device, report[0], report.data() + 1,
                    static_cast<std::uint16_t>(report.size() - 1));
        }
    });
}

void HidReadThread::HandOverError(const std::stop_token& stop) {
    RunOnMainThread(stop, [device = &Device, error = ErrorCode] {
        if (const HidReadErrorHandler handler = device->ReadErrorHandler()) {
            handler(*device, static_cast<std::uint32_t>(error));
        }
    });
}

void HidReadThread::RunOnMainThread(const std::stop_token& stop, std::function<void()> call) {
    if (stop.stop_requested()) {
        return;
    }
    {
        const std::lock_guard lock(Channel->Lock);
        Channel->Ran = false;
    }
    MainThread.Post([channel = Channel, call = std::move(call)] {
        // A stopped reader's device may be gone already.
        if (channel->Stopped) {
            return;
        }
        const auto done = qScopeGuard([&channel] {
            const std::lock_guard lock(channel->Lock);
            channel->Ran = true;
            channel->Changed.notify_all();
        });
        call();
    });
    std::unique_lock lock(Channel->Lock);
    Channel->Changed.wait(lock, stop, [this] { return Channel->Ran; });
}

// After a failed read the device is usually gone; trying again at once would only spin.
void HidReadThread::PaceRetry(const std::stop_token& stop) {
    std::unique_lock lock(Channel->Lock);
    Channel->Changed.wait_for(lock, stop, std::chrono::milliseconds(Device.ReaderSleepTime()),
                              [] { return false; });
}

} // namespace harvoline
