#pragma once

#include "hid/hid_platform.h"

#include <QObject>
#include <QTimer>

struct udev;
struct udev_monitor;
class QSocketNotifier;

namespace harvoline {

// HID through hidapi's hidraw backend for reading and writing reports, and libudev for
// the list of interfaces, their identity, names and report descriptors.
class RealHidPlatform : public HidPlatform {
  public:
    RealHidPlatform();

    bool Available() override { return Initialized; }
    std::vector<HidInterface> Enumerate() override;
    std::unique_ptr<HidConnection> Open(const std::string& path, HidAccess access) override;
    std::unique_ptr<HidChangeWatch> WatchChanges(std::function<void()> onChange) override;

  private:
    bool Initialized = false;
};

// Hears of hidraw devices coming and going from the udev daemon. Where none runs, the
// monitor stays silent, so the enumeration is compared every PollInterval instead.
class UdevChangeWatch : public QObject, public HidChangeWatch {
  public:
    static constexpr int PollInterval = 2000;

    UdevChangeWatch(HidPlatform& platform, std::function<void()> onChange);
    ~UdevChangeWatch() override;

    bool Monitoring() const { return Monitor != nullptr; }
    bool Polling() const { return PollTimer.isActive(); }

  private:
    void ReadMonitor();
    void Poll();

    HidPlatform& Platform;
    std::function<void()> OnChange;
    udev* Context = nullptr;
    udev_monitor* Monitor = nullptr;
    QSocketNotifier* Notifier = nullptr;
    QTimer PollTimer;
    std::vector<HidInterface> Known;
};

} // namespace harvoline
