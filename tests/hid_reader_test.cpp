// Reader threads: reports reach the window's thread in order, errors are paced, and
// stopping never waits for ever.
#include "hid/hid_device_list.h"
#include "tests/support/fake_hid_platform.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QTimer>
#include <filesystem>
#include <gtest/gtest.h>
#include <thread>

using namespace harvoline;
using namespace harvoline::testing;

namespace {

constexpr int Patience = 10000;
constexpr int SleepTime = 20;

struct Received {
    std::uint8_t ReportID;
    Bytes Data;
    bool OnMainThread;
};

class HidReader : public ::testing::Test {
  protected:
    HidReader() { DeviceList = std::make_unique<HidDeviceList>(Hid); }

    // Scans and claims the device plugged in as identity.
    HidDevice* ClaimedDevice(const std::string& identity) {
        Hid.AnnounceChange();
        for (HidDevice* device : DeviceList->Devices()) {
            if (device->Interface().Identity == identity) {
                device->SetReaderSleepTime(SleepTime);
                HidDevice* claimed = nullptr;
                EXPECT_TRUE(DeviceList->ClaimNext(claimed));
                EXPECT_EQ(claimed, device);
                return device;
            }
        }
        ADD_FAILURE() << "not listed: " << identity;
        return nullptr;
    }

    HidReportHandler Recorder() {
        return [this](HidDevice&, std::uint8_t reportId, const std::uint8_t* data,
                      std::uint16_t size) {
            Reports.push_back(
                {reportId, Bytes(data, data + size), QThread::currentThread() == qApp->thread()});
        };
    }

    // Runs the event loop until the condition holds, looking after every event.
    static bool RunUntil(const std::function<bool()>& condition) {
        QTimer wakeUp;
        wakeUp.start(20);
        QElapsedTimer clock;
        clock.start();
        while (!condition()) {
            if (clock.elapsed() > Patience) {
                return false;
            }
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        return true;
    }

    // Waits without running the window's thread's event loop.
    static bool Eventually(const std::function<bool()>& condition) {
        QElapsedTimer clock;
        clock.start();
        while (!condition()) {
            if (clock.elapsed() > Patience) {
                return false;
            }
            std::this_thread::yield();
        }
        return true;
    }

    FakeHidPlatform Hid;
    std::unique_ptr<HidDeviceList> DeviceList;
    std::vector<Received> Reports;
};

Bytes Report(std::uint8_t number) {
    return {0x00, 0x7F, 0x7F, number, 0x00, 0xF0};
}

int ThreadCount() {
    const std::filesystem::directory_iterator tasks("/proc/self/task");
    return static_cast<int>(std::distance(begin(tasks), end(tasks)));
}

} // namespace

TEST_F(HidReader, ReportsReachTheWindowsThreadInOrderAndNoneOf128IsLost) {
    const std::string identity = Hid.Plug();
    HidDevice* device = ClaimedDevice(identity);
    for (int i = 0; i < 128; ++i) {
        Hid.QueueReport(identity, Report(static_cast<std::uint8_t>(i)));
        if (i == 64) {
            Hid.QueueReport(identity, {}); // a read without bytes is no report
        }
    }
    device->SetReportHandler(Recorder());

    ASSERT_TRUE(RunUntil([&] { return Reports.size() >= 128; }));
    ASSERT_EQ(Reports.size(), 128u);
    for (int i = 0; i < 128; ++i) {
        const Bytes sent = Report(static_cast<std::uint8_t>(i));
        EXPECT_EQ(Reports[i].ReportID, 0) << i;
        EXPECT_EQ(Reports[i].Data, Bytes(sent.begin() + 1, sent.end())) << i;
        EXPECT_TRUE(Reports[i].OnMainThread) << i;
    }
}

TEST_F(HidReader, StoppingAReaderThatWaitsForTheWindowsThreadReturns) {
    const std::string identity = Hid.Plug();
    HidDevice* device = ClaimedDevice(identity);
    Hid.QueueReport(identity, Report(1));
    Hid.QueueReport(identity, Report(2));
    int handled = 0;
    // The reader waits for this very handler while it stops the reader.
    device->SetReportHandler(
        [&](HidDevice& self, std::uint8_t, const std::uint8_t* data, std::uint16_t) {
            ++handled;
            self.SetReportHandler(nullptr);
            EXPECT_EQ(data[2], 1) << "the bytes outlive the reader";
        });
    ASSERT_TRUE(RunUntil([&] { return handled == 1; }));
    QCoreApplication::processEvents();
    EXPECT_EQ(handled, 1);
    EXPECT_EQ(Hid.QueuedReports(identity), 1u);

    // The report is taken and handed over, but the window's thread has not run it yet.
    device->SetReportHandler(Recorder());
    ASSERT_TRUE(Eventually([&] { return Hid.QueuedReports(identity) == 0; }));
    device->SetReportHandler(nullptr);
    QCoreApplication::processEvents();
    EXPECT_TRUE(Reports.empty());
}

TEST_F(HidReader, DestroyingTheListWithRunningReadersIsClean) {
    std::vector<std::string> identities = {Hid.Plug(), Hid.Plug(), Hid.Plug()};
    DeviceList->SetReportHandler(Recorder());
    for (const std::string& identity : identities) {
        ClaimedDevice(identity);
        for (std::uint8_t i = 0; i < 20; ++i) {
            Hid.QueueReport(identity, Report(i));
        }
    }
    // Readers go on reading and handing over meanwhile.
    ASSERT_TRUE(RunUntil([&] { return Reports.size() >= 3; }));
    DeviceList.reset();
    const std::size_t handled = Reports.size();
    QCoreApplication::processEvents();
    EXPECT_EQ(Reports.size(), handled);
}

TEST_F(HidReader, FailedReadsGoToTheErrorHandlerAtAPace) {
    const std::string identity = Hid.Plug();
    HidDevice* device = ClaimedDevice(identity);
    std::vector<std::uint32_t> errors;
    bool onMainThread = true;
    DeviceList->SetReadErrorHandler([&](HidDevice&, std::uint32_t error) {
        errors.push_back(error);
        onMainThread = onMainThread && QThread::currentThread() == qApp->thread();
    });
    device->SetReportHandler(Recorder());
    Hid.Script(identity, {.ReadsFail = true});

    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(RunUntil([&] { return errors.size() >= 4; }));
    // Three pauses of ReaderSleepTime at least lie between four errors.
    EXPECT_GE(clock.elapsed(), 3 * SleepTime - 5);
    EXPECT_EQ(errors.front(), static_cast<std::uint32_t>(EIO));
    EXPECT_TRUE(onMainThread);
    EXPECT_TRUE(Reports.empty());
}

// A reader left running after an unplug would wake the window's thread at every failed
// read until the game ends, more of them after every unplug.
TEST_F(HidReader, AnUnpluggedDevicesReaderEnds) {
    int errors = 0;
    DeviceList->SetReadErrorHandler([&](HidDevice&, std::uint32_t) { ++errors; });
    const int threadsBefore = ThreadCount();
    for (std::uint8_t cycle = 1; cycle <= 3; ++cycle) {
        SCOPED_TRACE(cycle);
        const std::string identity = Hid.Plug();
        ClaimedDevice(identity)->SetReportHandler(Recorder());
        Hid.QueueReport(identity, Report(cycle));
        ASSERT_TRUE(RunUntil([&] { return Reports.size() == cycle; }));
        EXPECT_EQ(ThreadCount(), threadsBefore + 1);

        Hid.Unplug(identity);
        Hid.AnnounceChange();
        EXPECT_TRUE(Eventually([&] { return ThreadCount() == threadsBefore; }));
    }

    const int errorsAfterUnplugs = errors;
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(RunUntil([&] { return clock.elapsed() >= 10 * SleepTime; }));
    EXPECT_EQ(errors, errorsAfterUnplugs) << "nothing more is handed over";
}
