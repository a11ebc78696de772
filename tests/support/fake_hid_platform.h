#pragma once

#include "hid/hid_platform.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <vector>

namespace harvoline::testing {

using Bytes = std::vector<std::uint8_t>;

// How a scripted HID interface looks and behaves.
struct FakeHidDevice {
    HidAttributes Attributes{0x054C, 0x1000, 0x0101};
    QString ProductString = QStringLiteral("Buzz Controller");
    std::size_t InputReportLength = 6;
    bool Opens = true;
    bool OpensReadWrite = true;
    bool ReadsFail = false;
    bool WritesFail = false;
    // A write raises an error instead of failing.
    bool WritesThrow = false;
};

// HID interfaces that tests plug, unplug and feed with reports. Thread-safe, as readers
// run on threads of their own. Must outlive every controller that uses it.
class FakeHidPlatform : public HidPlatform {
  public:
    bool Supported = true;
    // Called as a connection closes, on the thread that closes it. Set it before any
    // connection is open.
    std::function<void(const std::string& identity)> Closing;

    // Returns the new interface's identity; it shows in the enumeration from now on.
    std::string Plug(const FakeHidDevice& device = {});
    // Gone from the enumeration; its connections fail from now on.
    void Unplug(const std::string& identity);
    // What the udev monitor does on a change: every watch is told at once.
    void AnnounceChange();
    void Script(const std::string& identity, const FakeHidDevice& device);

    // A report as the controller sees it: [report ID, data...].
    void QueueReport(const std::string& identity, Bytes report);
    std::size_t QueuedReports(const std::string& identity) const;
    std::vector<Bytes> Written(const std::string& identity) const;
    int Opens(const std::string& identity) const;
    int Enumerations() const;
    int Watches() const;

    bool Available() override { return Supported; }
    std::vector<HidInterface> Enumerate() override;
    std::unique_ptr<HidConnection> Open(const std::string& path, HidAccess access) override;
    std::unique_ptr<HidChangeWatch> WatchChanges(std::function<void()> onChange) override;

  private:
    class Connection;
    class Watch;

    struct Interface {
        HidInterface Where;
        FakeHidDevice Script;
        bool PluggedIn = true;
        int Opens = 0;
        std::deque<Bytes> Reports;
        std::vector<Bytes> Written;
    };

    mutable std::mutex Lock;
    std::condition_variable ReportsChanged;
    int NextNumber = 0;
    int EnumerationCount = 0;
    // By identity; unplugged interfaces stay for their connections and records.
    std::map<std::string, Interface> Interfaces;
    std::vector<std::string> PlugOrder;
    std::vector<Watch*> LiveWatches;
};

} // namespace harvoline::testing
