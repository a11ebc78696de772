#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace harvoline {

// One present HID interface as the enumeration sees it.
struct HidInterface {
    // Stays the same while the interface is plugged in and changes when it is plugged in
    // again, unlike the device node's path, which the kernel hands out anew.
    std::string Identity;
    // What Open takes.
    std::string Path;

    bool operator==(const HidInterface&) const = default;
};

struct HidAttributes {
    std::uint16_t VendorId = 0;
    std::uint16_t ProductId = 0;
    std::uint16_t VersionNumber = 0;
};

// The outcome of one read: Error is 0 on success, else an errno value. Bytes counts the
// report ID byte, so a report arrived when it is above 0.
struct HidReadResult {
    std::size_t Bytes = 0;
    int Error = 0;
};

enum class HidAccess {
    ReadWrite,
    // Enough to ask for attributes, product string and report lengths.
    QueryOnly,
};

// An open HID interface. Reports always travel as [report ID, data...], the ID being 0 for
// devices that do not number their reports.
class HidConnection {
  public:
    virtual ~HidConnection() = default;

    virtual HidAttributes Attributes() = 0;
    // Empty when the device has none.
    virtual QString ProductString() = 0;
    // The longest input report in bytes, the report ID byte included; 0 without input
    // reports.
    virtual std::size_t InputReportLength() = 0;

    // The driver's queue of input reports kept for this connection. Setting fails where the
    // driver's queue has a fixed length.
    virtual bool SetInputBufferCount(int count) = 0;
    virtual int InputBufferCount() = 0;

    // Writes one output report; the number of bytes written, or nothing on failure.
    virtual std::optional<std::size_t> WriteReport(std::span<const std::uint8_t> report) = 0;
    // Waits at most timeoutMs for one input report; Bytes is 0 when none came. Only a
    // read-write connection reads.
    virtual HidReadResult ReadReport(std::span<std::uint8_t> report, int timeoutMs) = 0;
};

// Keeps device-change notifications coming until destroyed.
class HidChangeWatch {
  public:
    virtual ~HidChangeWatch() = default;
};

// HID access of the operating system. Enumerate and Open may be called from any thread;
// a connection is used by one thread at a time.
class HidPlatform {
  public:
    virtual ~HidPlatform() = default;

    // False when HID support is missing; then nothing else is asked.
    virtual bool Available() = 0;
    virtual std::vector<HidInterface> Enumerate() = 0;
    // Nothing when the interface cannot be opened with that access.
    virtual std::unique_ptr<HidConnection> Open(const std::string& path, HidAccess access) = 0;
    // Calls onChange on the calling thread, from its event loop, whenever the list of HID
    // interfaces may have changed.
    virtual std::unique_ptr<HidChangeWatch> WatchChanges(std::function<void()> onChange) = 0;
};

} // namespace harvoline
