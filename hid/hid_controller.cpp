#include "hid/hid_controller.h"

#include <QCoreApplication>
#include <QEvent>
#include <QScopeGuard>
#include <algorithm>

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

TJvHidDeviceController::TJvHidDeviceController(HidPlatform& platform, QObject* parent)
    : QObject(parent), Platform(platform) {
    setObjectName(QStringLiteral("HidCtl"));
    if (Platform.Available()) {
        Watch = Platform.WatchChanges([this] { DeviceChange(false); });
        PostDeviceChange(true);
    }
}

TJvHidDeviceController::~TJvHidDeviceController() {
    OnDeviceChange = nullptr;
    SetOnDeviceUnplug(nullptr);
    Watch.reset();
    for (TJvHidDevice* device : std::exchange(List, {})) {
        device->Controller = nullptr;
        // Whoever claimed it hears that it goes.
        if (device->IsClaimed()) {
            device->HandleUnplug();
        }
        delete device;
    }
}

bool TJvHidDeviceController::ClaimNext(TJvHidDevice*& hidDev) {
    const auto unclaimed =
        std::ranges::find_if(List, [](const TJvHidDevice* device) { return !device->IsClaimed(); });
    if (unclaimed == List.end()) {
        hidDev = nullptr;
        return false;
    }
    hidDev = *unclaimed;
    hidDev->Claim();
    return true;
}

void TJvHidDeviceController::SetOnDeviceChange(TNotifyEvent handler) {
    OnDeviceChange = std::move(handler);
    if (StartupScanDone) {
        DeviceChange(true);
    }
}

void TJvHidDeviceController::SetOnDeviceData(TJvHidDataEvent handler) {
    for (TJvHidDevice* device : List) {
        if (device->DataHandler() == OnDeviceData) {
            device->SetDataHandler(handler);
        }
    }
    OnDeviceData = std::move(handler);
}

void TJvHidDeviceController::SetOnDeviceDataError(TJvHidDataErrorEvent handler) {
    for (TJvHidDevice* device : List) {
        if (device->DataErrorHandler() == OnDeviceDataError) {
            device->SetDataErrorHandler(handler);
        }
    }
    OnDeviceDataError = std::move(handler);
}

void TJvHidDeviceController::SetOnDeviceUnplug(TJvHidPlugEvent handler) {
    for (TJvHidDevice* device : List) {
        if (device->UnplugHandler() == OnDeviceUnplug) {
            device->SetUnplugHandler(handler);
        }
    }
    OnDeviceUnplug = std::move(handler);
}

void TJvHidDeviceController::SetDevThreadSleepTime(int ms) {
    for (TJvHidDevice* device : List) {
        if (device->ReaderSleepTime() == SleepTimeForDevices) {
            device->SetReaderSleepTime(ms);
        }
    }
    SleepTimeForDevices = ms;
}

bool TJvHidDeviceController::event(QEvent* event) {
    if (event->type() != DeviceChangeMessage::Type()) {
        return QObject::event(event);
    }
    const bool announce = static_cast<DeviceChangeMessage*>(event)->Announce;
    StartupScanDone = true;
    DeviceChange(announce);
    return true;
}

void TJvHidDeviceController::PostDeviceChange(bool announce) {
    QCoreApplication::postEvent(this, new DeviceChangeMessage(announce));
}

void TJvHidDeviceController::DeviceChange(bool announce) {
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

void TJvHidDeviceController::Scan(bool announce) {
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
        TJvHidDevice* device = List[i];
        if (device->IsPluggedIn() && isPresent(device->PnPInfo().DeviceID)) {
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
        const bool listed = std::ranges::any_of(List, [&found](const TJvHidDevice* device) {
            return device->IsPluggedIn() && device->PnPInfo().DeviceID == found.Identity;
        });
        if (listed) {
            continue;
        }
        auto* device = new TJvHidDevice(*this, Platform, {found.Identity, found.Path}, OnDeviceData,
                                        OnDeviceUnplug);
        List.push_back(device);
        changed = true;
        RaisePlugEvent(OnArrival, *device);
    }

    if (changed) {
        if (const TNotifyEvent handler = OnDeviceChange) {
            handler(*this);
        }
    }
}

void TJvHidDeviceController::RaisePlugEvent(const TJvHidPlugEvent& event, TJvHidDevice& device) {
    if (const TJvHidPlugEvent handler = event) {
        device.SetInCallback(true);
        const auto callbackEnd = qScopeGuard([&device] { device.SetInCallback(false); });
        handler(device);
    }
}

void TJvHidDeviceController::DeviceDestroyed(TJvHidDevice& device) {
    const auto listed = std::ranges::find(List, &device);
    if (listed == List.end()) {
        return;
    }
    if (!device.IsPluggedIn()) {
        List.erase(listed);
        return;
    }
    auto* fresh = new TJvHidDevice(*this, Platform, device.PnPInfo(), device.DataHandler(),
                                   device.UnplugHandler());
    fresh->SetDataErrorHandler(device.DataErrorHandler());
    fresh->SetReaderSleepTime(device.ReaderSleepTime());
    *listed = fresh;
}

} // namespace harvoline
