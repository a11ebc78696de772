#include "tests/support/fake_hid_platform.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <stdexcept>

namespace harvoline::testing {

class FakeHidPlatform::Connection : public HidConnection {
  public:
    Connection(FakeHidPlatform& platform, std::string identity, bool readWrite)
        : Platform(platform), Identity(std::move(identity)), ReadWrite(readWrite) {}
    ~Connection() override {
        if (Platform.Closing) {
            Platform.Closing(Identity);
        }
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    HidAttributes Attributes() override { return CurrentScript().Attributes; }
    QString ProductString() override { return CurrentScript().ProductString; }
    std::size_t InputReportLength() override { return CurrentScript().InputReportLength; }

    bool SetInputBufferCount(int count) override {
        const std::lock_guard lock(Platform.Lock);
        BufferCount = count;
        return true;
    }
    int InputBufferCount() override {
        const std::lock_guard lock(Platform.Lock);
        return BufferCount;
    }

    std::optional<std::size_t> WriteReport(std::span<const std::uint8_t> report) override {
        const std::lock_guard lock(Platform.Lock);
        Interface& device = Platform.Interfaces.at(Identity);
        if (device.Script.WritesThrow) {
            throw std::runtime_error("scripted write error");
        }
        if (!ReadWrite || !device.PluggedIn || device.Script.WritesFail) {
            return std::nullopt;
        }
        device.Written.emplace_back(report.begin(), report.end());
        return report.size();
    }

    HidReadResult ReadReport(std::span<std::uint8_t> report, int timeoutMs) override {
        std::unique_lock lock(Platform.Lock);
        Interface& device = Platform.Interfaces.at(Identity);
        const auto failure = [&]() -> int {
            if (!ReadWrite) {
                return EBADF;
            }
            if (!device.PluggedIn) {
                return ENODEV;
            }
            return device.Script.ReadsFail ? EIO : 0;
        };
        Platform.ReportsChanged.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                         [&] { return failure() != 0 || !device.Reports.empty(); });
        if (const int error = failure(); error != 0) {
            return {0, error};
        }
        if (device.Reports.empty()) {
            return {};
        }
        const Bytes next = std::move(device.Reports.front());
        device.Reports.pop_front();
        const std::size_t count = std::min(next.size(), report.size());
        std::copy_n(next.begin(), count, report.begin());
        return {count, 0};
    }

  private:
    FakeHidDevice CurrentScript() {
        const std::lock_guard lock(Platform.Lock);
        return Platform.Interfaces.at(Identity).Script;
    }

    FakeHidPlatform& Platform;
    const std::string Identity;
    const bool ReadWrite;
    int BufferCount = 32;
};

class FakeHidPlatform::Watch : public HidChangeWatch {
  public:
    Watch(FakeHidPlatform& platform, std::function<void()> onChange)
        : Platform(platform), OnChange(std::move(onChange)) {
        const std::lock_guard lock(Platform.Lock);
        Platform.LiveWatches.push_back(this);
    }
    ~Watch() override {
        const std::lock_guard lock(Platform.Lock);
        std::erase(Platform.LiveWatches, this);
    }
    Watch(const Watch&) = delete;
    Watch& operator=(const Watch&) = delete;

    FakeHidPlatform& Platform;
    const std::function<void()> OnChange;
};

std::string FakeHidPlatform::Plug(const FakeHidDevice& device) {
    const std::lock_guard lock(Lock);
    const int number = NextNumber++;
    const std::string identity = "0003:054C:1000." + std::to_string(number);
    // The node's path comes back after an unplug, as the kernel's does.
    const auto samePath = [this](int candidate) {
        return std::ranges::any_of(Interfaces, [candidate](const auto& entry) {
            return entry.second.PluggedIn &&
                   entry.second.Where.Path == "/fake/hidraw" + std::to_string(candidate);
        });
    };
    int node = 0;
    while (samePath(node)) {
        ++node;
    }
    Interface& added = Interfaces[identity];
    added.Where = {identity, "/fake/hidraw" + std::to_string(node)};
    added.Script = device;
    PlugOrder.push_back(identity);
    return identity;
}

void FakeHidPlatform::Unplug(const std::string& identity) {
    {
        const std::lock_guard lock(Lock);
        Interfaces.at(identity).PluggedIn = false;
    }
    ReportsChanged.notify_all();
}

void FakeHidPlatform::Script(const std::string& identity, const FakeHidDevice& device) {
    {
        const std::lock_guard lock(Lock);
        Interfaces.at(identity).Script = device;
    }
    ReportsChanged.notify_all();
}

void FakeHidPlatform::AnnounceChange() {
    std::vector<std::function<void()>> callbacks;
    {
        const std::lock_guard lock(Lock);
        for (const Watch* watch : LiveWatches) {
            callbacks.push_back(watch->OnChange);
        }
    }
    for (const auto& callback : callbacks) {
        callback();
    }
}

void FakeHidPlatform::QueueReport(const std::string& identity, Bytes report) {
    {
        const std::lock_guard lock(Lock);
        Interfaces.at(identity).Reports.push_back(std::move(report));
    }
    ReportsChanged.notify_all();
}

std::size_t FakeHidPlatform::QueuedReports(const std::string& identity) const {
    const std::lock_guard lock(Lock);
    return Interfaces.at(identity).Reports.size();
}

std::vector<Bytes> FakeHidPlatform::Written(const std::string& identity) const {
    const std::lock_guard lock(Lock);
    return Interfaces.at(identity).Written;
}

int FakeHidPlatform::Opens(const std::string& identity) const {
    const std::lock_guard lock(Lock);
    return Interfaces.at(identity).Opens;
}

int FakeHidPlatform::Enumerations() const {
    const std::lock_guard lock(Lock);
    return EnumerationCount;
}

int FakeHidPlatform::Watches() const {
    const std::lock_guard lock(Lock);
    return static_cast<int>(LiveWatches.size());
}

std::vector<HidInterface> FakeHidPlatform::Enumerate() {
    const std::lock_guard lock(Lock);
    ++EnumerationCount;
    std::vector<HidInterface> present;
    for (const std::string& identity : PlugOrder) {
        const Interface& device = Interfaces.at(identity);
        if (device.PluggedIn) {
            present.push_back(device.Where);
        }
    }
    return present;
}

std::unique_ptr<HidConnection> FakeHidPlatform::Open(const std::string& path, HidAccess access) {
    const std::lock_guard lock(Lock);
    for (auto& [identity, device] : Interfaces) {
        if (!device.PluggedIn || device.Where.Path != path) {
            continue;
        }
        const bool readWrite = access == HidAccess::ReadWrite;
        if (!device.Script.Opens || (readWrite && !device.Script.OpensReadWrite)) {
            return nullptr;
        }
        ++device.Opens;
        return std::make_unique<Connection>(*this, identity, readWrite);
    }
    return nullptr;
}

std::unique_ptr<HidChangeWatch> FakeHidPlatform::WatchChanges(std::function<void()> onChange) {
    return std::make_unique<Watch>(*this, std::move(onChange));
}

} // namespace harvoline::testing
