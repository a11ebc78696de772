#pragma once

#include "hid/hid_handler.h"
#include "hid/hid_platform.h"

#include <QString>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>

namespace harvoline {

class HidDevice;
class HidDeviceList;
class HidReadThread;

struct HidCaps {
    // The report ID byte included.
    std::size_t InputReportByteLength = 0;
};

// ReportID is the first byte of the report, Data the bytes after it, Size their count.
using HidReportHandler = HidHandler<HidDevice&, std::uint8_t /*ReportID*/,
                                    const std::uint8_t* /*Data*/, std::uint16_t /*Size*/>;
// Error is an errno value.
using HidReadErrorHandler = HidHandler<HidDevice&, std::uint32_t /*Error*/>;
using HidPlugHandler = HidHandler<HidDevice&>;

// One present HID interface, owned by the device list that found it. Everything but the
// reader thread runs on the list's thread.
class HidDevice {
  public:
    // Destroying a plugged-in device that its list still holds puts a fresh,
    // unclaimed device for the same interface in its place.
    ~HidDevice();
    HidDevice(const HidDevice&) = delete;
    HidDevice& operator=(const HidDevice&) = delete;

    HidDeviceList* Owner() const { return OwnerList; }
    const HidInterface& Interface() const { return Info; }
    bool IsPluggedIn() const { return PluggedIn; }
    bool IsClaimed() const { return Claimed; }
    // Whether the device could last be opened for reading and writing.
    bool HasReadWriteAccess() const { return ReadWriteAccess; }

    // Read when the device was found; zero when it could not be opened then.
    const HidAttributes& Attributes() const { return DeviceAttributes; }
    std::uint16_t VendorId() const { return DeviceAttributes.VendorId; }
    std::uint16_t ProductId() const { return DeviceAttributes.ProductId; }
    // Empty while unknown.
    QString ProductString();
    HidCaps Caps();

    int InputBufferCount() const { return InputBuffers; }
    void SetInputBufferCount(int count);
    int ReaderBufferCount() const;
    void SetReaderBufferCount(int count);

    int ReaderSleepTime() const { return SleepTime; }
    // Values outside 10..10000 are ignored.
    void SetReaderSleepTime(int ms);

    const HidReportHandler& ReportHandler() const { return OnReport; }
    // A handler starts the reader once the device is claimed; none stops it.
    void SetReportHandler(HidReportHandler handler);
    const HidReadErrorHandler& ReadErrorHandler() const { return OnReadError; }
    void SetReadErrorHandler(HidReadErrorHandler handler) { OnReadError = std::move(handler); }
    const HidPlugHandler& UnplugHandler() const { return OnUnplug; }
    void SetUnplugHandler(HidPlugHandler handler) { OnUnplug = std::move(handler); }

    // One output report, its first byte the report ID.
    bool WriteReport(std::span<const std::uint8_t> report, std::size_t& written);

  private:
    friend class HidDeviceList;
    friend class HidReadThread;

    HidDevice(HidDeviceList& list, HidPlatform& platform, HidInterface info,
              const HidReportHandler& dataHandler, const HidPlugHandler& unplugHandler);

    // A device may be opened only while plugged in and claimed or in a callback.
    bool MayOpen() const { return PluggedIn && (Claimed || InCallback); }
    std::unique_ptr<HidConnection> OpenReadWriteOrQueryOnly();
    bool OpenPlainHandle();
    void ClosePlainHandle() { PlainHandle.reset(); }
    // Called by the reader thread too.
    std::shared_ptr<HidConnection> OpenReaderHandle();
    std::shared_ptr<HidConnection> OpenReaderHandleLocked();

    void Claim();
    void SetInCallback(bool inCallback) { InCallback = inCallback; }
    // The interface is gone: close everything, end the reader and tell the unplug handler
    // once.
    void HandleUnplug();
    void StartReaderWhenReady();
    void StopReader();

    HidDeviceList* OwnerList;
    HidPlatform& Platform;
    const HidInterface Info;

    // Read by the reader thread for the access rule.
    std::atomic<bool> PluggedIn = true;
    std::atomic<bool> Claimed = false;
    std::atomic<bool> InCallback = false;
    bool ReadWriteAccess = false;

    HidAttributes DeviceAttributes;
    QString CachedProductString;
    std::optional<HidCaps> CachedCaps;
    int InputBuffers = 0;
    std::atomic<int> SleepTime = 100;

    std::unique_ptr<HidConnection> PlainHandle;
    // Shared with the reader thread, which keeps its own reference while it reads.
    mutable std::mutex ReaderLock;
    std::shared_ptr<HidConnection> ReaderHandle;
    int ReaderBuffers = 0;

    HidReportHandler OnReport;
    HidPlugHandler OnUnplug;
    HidReadErrorHandler OnReadError;
    std::unique_ptr<HidReadThread> Reader;
};

} // namespace harvoline
