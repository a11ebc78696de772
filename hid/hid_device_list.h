#pragma once

#include "hid/handover_queue.h"
#include "hid/hid_device.h"
#include "hid/hid_platform.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace harvoline {

// Keeps the list of present HID interfaces, tells when it changes, gives devices out to be
// claimed and reads their reports. Lives on the window's thread; every handler runs there.
class HidDeviceList : public QObject {
  public:
    using ChangeHandler = std::function<void(HidDeviceList& sender)>;

    // Posts itself a device-change message, so that the first scan, and with it one
    // OnChange, comes as soon as the event loop runs.
    explicit HidDeviceList(HidPlatform& platform, QObject* parent = nullptr);
    // Frees every device, claimed ones included, whose unplug handlers hear of it first.
    ~HidDeviceList() override;

    // Hands out the first unclaimed device in list order and claims it; false and no
    // device when all are claimed.
    bool ClaimNext(HidDevice*& device);
    // In list order; claimed devices that were unplugged stay until the list goes.
    const std::vector<HidDevice*>& Devices() const { return List; }

    // Set after the start-up scan, it scans at once, so the new handler hears of the
    // devices present.
    void SetChangeHandler(ChangeHandler handler);
    void SetArrivalHandler(HidPlugHandler handler) { OnArrival = std::move(handler); }
    void SetRemovalHandler(HidPlugHandler handler) { OnRemoval = std::move(handler); }
    // These three and ReaderSleepTime go on to every device that still holds the
    // list's previous value.
    void SetReportHandler(HidReportHandler handler);
    void SetReadErrorHandler(HidReadErrorHandler handler);
    void SetUnplugHandler(HidPlugHandler handler);
    int ReaderSleepTime() const { return SleepTimeForDevices; }
    void SetReaderSleepTime(int ms);

  protected:
    bool event(QEvent* event) override;

  private:
    friend class HidDevice;

    // Gives the value to every device that still holds the list's previous one.
    template <typename Value, typename Get, typename Set>
    void PassOn(Value& held, Value value, Get get, Set set);

    // A device-change message; announce makes the scan report a change in any case.
    void DeviceChange(bool announce);
    void Scan(bool announce);
    void PostDeviceChange(bool announce);
    void RaisePlugEvent(const HidPlugHandler& event, HidDevice& device);
    void DeviceDestroyed(HidDevice& device);

    HidPlatform& Platform;
    // Where readers hand reports over; outlives the devices.
    HandoverQueue Handovers;
    std::unique_ptr<HidChangeWatch> Watch;
    std::vector<HidDevice*> List;
    bool StartupScanDone = false;
    bool Scanning = false;
    bool ChangedWhileScanning = false;
    int SleepTimeForDevices = 100;

    ChangeHandler OnChange;
    HidPlugHandler OnArrival;
    HidPlugHandler OnRemoval;
    HidReportHandler OnReportForDevices;
    HidReadErrorHandler OnReadErrorForDevices;
    HidPlugHandler OnUnplugForDevices;
};

} // namespace harvoline
