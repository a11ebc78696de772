#include "hid/hid_device_list.h"

#include <QCoreApplication>
#include <QEvent>
#include <QScopeGuard>
#include <algorithm>
#include <functional>

namespace harvoline {

namespace {

class DeviceChangeMessage : public QEvent {
  public:
    explicit DeviceChangeMessage(bool announce) : QEvent(Type()), Announce(announce) {}

    static QEvent::Type Type() {
        static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
        return type;
    }

    const bool Announce;
};

} // namespace

HidDeviceList::HidDeviceList(HidPlatform& platform, QObject* parent)
    : QObject(parent), Platform(platform) {
    setObjectName(QStringLiteral("HidDeviceList"));
    if (Platform.Available()) {
        Watch = Platform.WatchChanges([this] { DeviceChange(false); });
        PostDeviceChange(true);
    }
}

HidDeviceList::~HidDeviceList() {
    OnChange = nullptr;
    SetUnplugHandler(nullptr);
    Watch.reset();
    for (HidDevice* device : std::exchange(List, {})) {
        device->OwnerList = nullptr;
        // Whoever claimed it hears that it goes.
        if (device->IsClaimed()) {
            device->HandleUnplug();
        }
        delete device;
    }
}

bool HidDeviceList::ClaimNext(HidDevice*& device) {
    const auto unclaimed = std::ranges::find_if(
        List, [](const HidDevice* candidate) { return !candidate->IsClaimed(); });
    if (unclaimed == List.end()) {
        device = nullptr;
        return false;
    }
    device = *unclaimed;
    device->Claim();
    return true;
}

void HidDeviceList::SetChangeHandler(ChangeHandler handler) {
    OnChange = std::move(handler);
    if (StartupScanDone) {
        DeviceChange(true);
    }
}

template <typename Value, typename Get, typename Set>
void HidDeviceList::PassOn(Value& held, Value value, Get get, Set set) {
    for (HidDevice* device : List) {
        if (std::invoke(get, *device) == held) {
            std::invoke(set, *device, value);
        }
    }
    held = std::move(value);
}

void HidDeviceList::SetReportHandler(HidReportHandler handler) {
    PassOn(OnReportForDevices, std::move(handler), &HidDevice::ReportHandler,
           &HidDevice::SetReportHandler);
}

void HidDeviceList::SetReadErrorHandler(HidReadErrorHandler handler) {
    PassOn(OnReadErrorForDevices, std::move(handler), &HidDevice::ReadErrorHandler,
           &HidDevice::SetReadErrorHandler);
}

void HidDeviceList::SetUnplugHandler(HidPlugHandler handler) {
    PassOn(OnUnplugForDevices, std::move(handler), &HidDevice::UnplugHandler,
           &HidDevice::SetUnplugHandler);
}

void HidDeviceList::SetReaderSleepTime(int ms) {
    PassOn(SleepTimeForDevices, ms, &HidDevice::ReaderSleepTime, &HidDevice::SetReaderSleepTime);
}

bool HidDeviceList::event(QEvent* event) {
    if (event->type() != DeviceChangeMessage::Type()) {
        return QObject::event(event);
    }
    const bool announce = static_cast<DeviceChangeMessage*>(event)->Announce;
    StartupScanDone = true;
    DeviceChange(announce);
    return true;
}

void HidDeviceList::PostDeviceChange(bool announce) {
    QCoreApplication::postEvent(this, new DeviceChangeMessage(announce));
}

void HidDeviceList::DeviceChange(bool announce) {
    // A handler can run an event loop of its own; a change seen meanwhile is scanned for
    // once this scan is over instead of being lost.
    if (Scanning) {
        ChangedWhileScanning = true;
        return;
    }
    {
        Scanning = true;
        const auto scanEnd = qScopeGuard([this] { Scanning = false; });
        Scan(announce);
    }
    if (std::exchange(ChangedWhileScanning, false)) {
        PostDeviceChange(false);
    }
}

void HidDeviceList::Scan(bool announce) {
    bool changed = announce;
    const std::vector<HidInterface> present = Platform.Enumerate();
    const auto isPresent = [&present](const std::string& identity) {
        return std::ranges::any_of(
            present, [&identity](const HidInterface& found) { return found.Identity == identity; });
    };

    // Backwards, as devices that are gone leave the list.
    for (std::size_t i = List.size(); i-- > 0;) {
        if (i >= List.size()) {
            continue;
        }
        HidDevice* device = List[i];
        if (device->IsPluggedIn() && isPresent(device->Interface().Identity)) {
            continue;
        }
        changed = true;
        device->HandleUnplug();
        RaisePlugEvent(OnRemoval, *device);
        if (!device->IsClaimed()) {
            std::erase(List, device);
            delete device;
        }
    }

    for (const HidInterface& found : present) {
        const bool listed = std::ranges::any_of(List, [&found](const HidDevice* device) {
            return device->IsPluggedIn() && device->Interface().Identity == found.Identity;
        });
        if (listed) {
            continue;
        }
        auto* device = new HidDevice(*this, Platform, {found.Identity, found.Path},
                                     OnReportForDevices, OnUnplugForDevices);
        List.push_back(device);
        changed = true;
        RaisePlugEvent(OnArrival, *device);
    }

    if (changed) {
        if (const ChangeHandler handler = OnChange) {
            handler(*this);
        }
    }
}

void HidDeviceList::RaisePlugEvent(const HidPlugHandler& event, HidDevice& device) {
    if (const HidPlugHandler handler = event) {
        device.SetInCallback(true);
        const auto callbackEnd = qScopeGuard([&device] { device.SetInCallback(false); });
        handler(device);
    }
}

void HidDeviceList::DeviceDestroyed(HidDevice& device) {
    const auto listed = std::ranges::find(List, &device);
    if (listed == List.end()) {
        return;
    }
    if (!device.IsPluggedIn()) {
        List.erase(listed);
        return;
    }
    auto* fresh = new HidDevice(*this, Platform, device.Interface(), device.ReportHandler(),
                                device.UnplugHandler());
    fresh->SetReadErrorHandler(device.ReadErrorHandler());
    fresh->SetReaderSleepTime(device.ReaderSleepTime());
    *listed = fresh;
}

} // namespace harvoline
