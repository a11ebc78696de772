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
class TJvHidDeviceController : public QObject {
  public:
    using TNotifyEvent = std::function<void(TJvHidDeviceController& sender)>;

    // Posts itself a device-change message, so that the first scan, and with it one
    // OnDeviceChange, comes as soon as the event loop runs.
    explicit TJvHidDeviceController(HidPlatform& platform, QObject* parent = nullptr);
    // Frees every device, claimed ones included, whose unplug handlers hear of it first.
    ~TJvHidDeviceController() override;

    QString Version() const { return QStringLiteral("1.0.34"); }

    // Hands out the first unclaimed device in list order and claims it; false and no
    // device when all are claimed.
    bool ClaimNext(TJvHidDevice*& hidDev);
    // In list order; claimed devices that were unplugged stay until the controller goes.
    const std::vector<TJvHidDevice*>& Devices() const { return List; }

    // Set after the start-up scan, it scans at once, so the new handler hears of the
    // devices present.
    void SetOnDeviceChange(TNotifyEvent handler);
    void SetOnArrival(TJvHidPlugEvent handler) { OnArrival = std::move(handler); }
    void SetOnRemoval(TJvHidPlugEvent handler) { OnRemoval = std::move(handler); }
    // These three and DevThreadSleepTime go on to every device that still holds the
    // controller's previous value.
    void SetOnDeviceData(TJvHidDataEvent handler);
    void SetOnDeviceDataError(TJvHidDataErrorEvent handler);
    void SetOnDeviceUnplug(TJvHidPlugEvent handler);
    int DevThreadSleepTime() const { return SleepTimeForDevices; }
    void SetDevThreadSleepTime(int ms);

  protected:
    bool event(QEvent* event) override;

  private:
    friend class TJvHidDevice;

    // A device-change message; announce makes the scan report a change in any case.
    void DeviceChange(bool announce);
    void Scan(bool announce);
    void PostDeviceChange(bool announce);
    void RaisePlugEvent(const TJvHidPlugEvent& event, TJvHidDevice& device);
    void DeviceDestroyed(TJvHidDevice& device);

    HidPlatform& Platform;
    // Where readers hand reports over; outlives the devices.
    HandoverQueue Handovers;
    std::unique_ptr<HidChangeWatch> Watch;
    std::vector<TJvHidDevice*> List;
    bool StartupScanDone = false;
    bool Scanning = false;
    bool ChangedWhileScanning = false;
    int SleepTimeForDevices = 100;

    TNotifyEvent OnDeviceChange;
    TJvHidPlugEvent OnArrival;
    TJvHidPlugEvent OnRemoval;
    TJvHidDataEvent OnDeviceData;
    TJvHidDataErrorEvent OnDeviceDataError;
    TJvHidPlugEvent OnDeviceUnplug;
};

} // namespace harvoline
