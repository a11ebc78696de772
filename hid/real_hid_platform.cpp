#include "hid/real_hid_platform.h"

#include "hid/report_descriptor.h"
#include "hid/report_framing.h"

#include <QFile>
#include <QSocketNotifier>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <hidapi/hidapi.h>
#include <libudev.h>
#include <mutex>
#include <sys/stat.h>

namespace harvoline {

namespace {

// hidapi keeps the error text of hid_init and hid_open_path in one global.
std::mutex& HidapiGlobals() {
    static std::mutex lock;
    return lock;
}

// hidraw keeps a fixed queue of input reports per open file (HIDRAW_BUFFER_SIZE).
constexpr int HidrawBufferCount = 64;

struct UdevDeleter {
    void operator()(udev* context) const { udev_unref(context); }
    void operator()(udev_enumerate* enumeration) const { udev_enumerate_unref(enumeration); }
    void operator()(udev_device* device) const { udev_device_unref(device); }
    void operator()(udev_queue* queue) const { udev_queue_unref(queue); }
};
template <typename T> using UdevPtr = std::unique_ptr<T, UdevDeleter>;

// The HID device a hidraw node belongs to; owned by the hidraw device.
udev_device* HidParent(udev_device* hidraw) {
    return udev_device_get_parent_with_subsystem_devtype(hidraw, "hid", nullptr);
}

// The kernel numbers every HID device it creates anew (the ".0007" in "0003:054C:1000.0007"),
// so its name tells a replugged device from the one before.
std::string IdentityOf(udev_device* hidraw, udev_device* hid) {
    return std::string(udev_device_get_sysname(hid)) + '/' + udev_device_get_sysname(hidraw);
}

QByteArray ReadSysfsFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readAll();
}

// What the connection answers without asking the device itself.
struct InterfaceFacts {
    HidAttributes Attributes;
    QString ProductString;
    HidReportLayout Layout;
};

std::optional<InterfaceFacts> ReadFacts(const std::string& path) {
    struct stat node {};
    if (stat(path.c_str(), &node) != 0 || !S_ISCHR(node.st_mode)) {
        return std::nullopt;
    }
    const UdevPtr<udev> context(udev_new());
    if (!context) {
        return std::nullopt;
    }
    const UdevPtr<udev_device> hidraw(
        udev_device_new_from_devnum(context.get(), 'c', node.st_rdev));
    udev_device* hid = hidraw ? HidParent(hidraw.get()) : nullptr;
    if (hid == nullptr) {
        return std::nullopt;
    }
    const QByteArray descriptor = ReadSysfsFile(QString::fromUtf8(udev_device_get_syspath(hid)) +
                                                QStringLiteral("/report_descriptor"));
    if (descriptor.isEmpty()) {
        return std::nullopt;
    }

    InterfaceFacts facts;
    facts.Layout = ParseReportDescriptor(
        std::span(reinterpret_cast<const std::uint8_t*>(descriptor.constData()),
                  static_cast<std::size_t>(descriptor.size())));
    unsigned bus = 0;
    unsigned vendor = 0;
    unsigned product = 0;
    if (const char* id = udev_device_get_property_value(hid, "HID_ID");
        id != nullptr && std::sscanf(id, "%x:%x:%x", &bus, &vendor, &product) == 3) {
        facts.Attributes.VendorId = static_cast<std::uint16_t>(vendor);
        facts.Attributes.ProductId = static_cast<std::uint16_t>(product);
    }
    // A USB device's own product string; other buses only know the HID name.
    if (udev_device* usb =
            udev_device_get_parent_with_subsystem_devtype(hidraw.get(), "usb", "usb_device")) {
        facts.ProductString = QString::fromUtf8(udev_device_get_sysattr_value(usb, "product"));
        if (const char* version = udev_device_get_sysattr_value(usb, "bcdDevice")) {
            facts.Attributes.VersionNumber =
                static_cast<std::uint16_t>(std::strtoul(version, nullptr, 16));
        }
    } else {
        facts.ProductString = QString::fromUtf8(udev_device_get_property_value(hid, "HID_NAME"));
    }
    return facts;
}

class RealHidConnection : public HidConnection {
  public:
    RealHidConnection(hid_device* device, InterfaceFacts facts)
        : Device(device), Facts(std::move(facts)) {}
    ~RealHidConnection() override {
        if (Device != nullptr) {
            hid_close(Device);
        }
    }
    RealHidConnection(const RealHidConnection&) = delete;
    RealHidConnection& operator=(const RealHidConnection&) = delete;

    HidAttributes Attributes() override { return Facts.Attributes; }
    QString ProductString() override { return Facts.ProductString; }
    std::size_t InputReportLength() override { return Facts.Layout.InputReportLength; }
    bool SetInputBufferCount(int) override { return false; }
    int InputBufferCount() override { return HidrawBufferCount; }

    std::optional<std::size_t> WriteReport(std::span<const std::uint8_t> report) override {
        if (Device == nullptr) {
            return std::nullopt;
        }
        const int written = hid_write(Device, report.data(), report.size());
        if (written < 0) {
            return std::nullopt;
        }
        return static_cast<std::size_t>(written);
    }

    HidReadResult ReadReport(std::span<std::uint8_t> report, int timeoutMs) override {
        if (Device == nullptr) {
            return {0, EBADF};
        }
        return FramedRead(report, Facts.Layout.Numbered, [&](std::span<std::uint8_t> target) {
            return static_cast<long>(
                hid_read_timeout(Device, target.data(), target.size(), timeoutMs));
        });
    }

  private:
    hid_device* Device;
    InterfaceFacts Facts;
};

} // namespace

RealHidPlatform::RealHidPlatform() {
    const std::lock_guard lock(HidapiGlobals());
    Initialized = hid_init() == 0;
}

std::vector<HidInterface> RealHidPlatform::Enumerate() {
    std::vector<HidInterface> interfaces;
    const UdevPtr<udev> context(udev_new());
    if (!context) {
        return interfaces;
    }
    const UdevPtr<udev_enumerate> enumeration(udev_enumerate_new(context.get()));
    if (!enumeration || udev_enumerate_add_match_subsystem(enumeration.get(), "hidraw") < 0 ||
        udev_enumerate_scan_devices(enumeration.get()) < 0) {
        return interfaces;
    }
    udev_list_entry* entry = nullptr;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumeration.get())) {
        const UdevPtr<udev_device> hidraw(
            udev_device_new_from_syspath(context.get(), udev_list_entry_get_name(entry)));
        if (!hidraw) {
            continue;
        }
        const char* node = udev_device_get_devnode(hidraw.get());
        udev_device* hid = HidParent(hidraw.get());
        if (node != nullptr && hid != nullptr) {
            interfaces.push_back({IdentityOf(hidraw.get(), hid), node});
        }
    }
    return interfaces;
}

std::unique_ptr<HidConnection> RealHidPlatform::Open(const std::string& path, HidAccess access) {
    std::optional<InterfaceFacts> facts = ReadFacts(path);
    if (!facts) {
        return nullptr;
    }
    hid_device* device = nullptr;
    if (access == HidAccess::ReadWrite) {
        const std::lock_guard lock(HidapiGlobals());
        device = hid_open_path(path.c_str());
        if (device == nullptr) {
            return nullptr;
        }
    }
    return std::make_unique<RealHidConnection>(device, std::move(*facts));
}

std::unique_ptr<HidChangeWatch> RealHidPlatform::WatchChanges(std::function<void()> onChange) {
    return std::make_unique<UdevChangeWatch>(*this, std::move(onChange));
}

UdevChangeWatch::UdevChangeWatch(HidPlatform& platform, std::function<void()> onChange)
    : Platform(platform), OnChange(std::move(onChange)) {
    Context = udev_new();
    bool daemonRunning = false;
    if (Context != nullptr) {
        const UdevPtr<udev_queue> queue(udev_queue_new(Context));
        daemonRunning = queue && udev_queue_get_udev_is_active(queue.get()) != 0;
        Monitor = udev_monitor_new_from_netlink(Context, "udev");
    }
    if (Monitor != nullptr &&
        (udev_monitor_filter_add_match_subsystem_devtype(Monitor, "hidraw", nullptr) < 0 ||
         udev_monitor_enable_receiving(Monitor) < 0)) {
        udev_monitor_unref(Monitor);
        Monitor = nullptr;
    }
    if (Monitor != nullptr) {
        Notifier = new QSocketNotifier(udev_monitor_get_fd(Monitor), QSocketNotifier::Read, this);
        connect(Notifier, &QSocketNotifier::activated, this, [this] { ReadMonitor(); });
    }
    if (Monitor == nullptr || !daemonRunning) {
        Known = Platform.Enumerate();
        connect(&PollTimer, &QTimer::timeout, this, [this] { Poll(); });
        PollTimer.start(PollInterval);
    }
}

UdevChangeWatch::~UdevChangeWatch() {
    delete Notifier;
    if (Monitor != nullptr) {
        udev_monitor_unref(Monitor);
    }
    if (Context != nullptr) {
        udev_unref(Context);
    }
}

void UdevChangeWatch::ReadMonitor() {
    // One plug can bring several events; they all make one change.
    while (const UdevPtr<udev_device> event{udev_monitor_receive_device(Monitor)}) {
    }
    OnChange();
}

void UdevChangeWatch::Poll() {
    std::vector<HidInterface> present = Platform.Enumerate();
    if (present != Known) {
        Known = std::move(present);
        OnChange();
    }
}

} // namespace harvoline
