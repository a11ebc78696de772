#include "hid/hid_device.h"

#include "hid/hid_device_list.h"
#include "hid/hid_read_thread.h"

namespace harvoline {

namespace {

constexpr int MinReaderSleepTime = 10;
constexpr int MaxReaderSleepTime = 10000;
// The product string's buffer holds 254 UTF-16 units and a terminating zero.
constexpr qsizetype MaxProductStringLength = 254;

QString ProductText(QString text) {
    if (const qsizetype end = text.indexOf(QChar(u'\0')); end >= 0) {
        text.truncate(end);
    }
    text.truncate(MaxProductStringLength);
    return text;
}

} // namespace

HidDevice::HidDevice(HidDeviceList& list, HidPlatform& platform, HidInterface info,
                     const HidReportHandler& dataHandler, const HidPlugHandler& unplugHandler)
    : OwnerList(&list), Platform(platform), Info(std::move(info)), OnUnplug(unplugHandler) {
    SetReportHandler(dataHandler);
    if (const std::unique_ptr<HidConnection> handle = OpenReadWriteOrQueryOnly()) {
        DeviceAttributes = handle->Attributes();
    }
}

HidDevice::~HidDevice() {
    StopReader();
    if (OwnerList != nullptr) {
        OwnerList->DeviceDestroyed(*this);
    }
    OnReport = nullptr;
    OnUnplug = nullptr;
    ClosePlainHandle();
    const std::lock_guard lock(ReaderLock);
    ReaderHandle.reset();
}

std::unique_ptr<HidConnection> HidDevice::OpenReadWriteOrQueryOnly() {
    std::unique_ptr<HidConnection> handle = Platform.Open(Info.Path, HidAccess::ReadWrite);
    ReadWriteAccess = handle != nullptr;
    if (!handle) {
        handle = Platform.Open(Info.Path, HidAccess::QueryOnly);
    }
    return handle;
}

bool HidDevice::OpenPlainHandle() {
    if (PlainHandle) {
        return true;
    }
    if (!MayOpen()) {
        return false;
    }
    PlainHandle = OpenReadWriteOrQueryOnly();
    if (!PlainHandle) {
        return false;
    }
    if (InputBuffers != 0) {
        PlainHandle->SetInputBufferCount(InputBuffers);
    }
    InputBuffers = PlainHandle->InputBufferCount();
    return true;
}

std::shared_ptr<HidConnection> HidDevice::OpenReaderHandle() {
    const std::lock_guard lock(ReaderLock);
    return OpenReaderHandleLocked();
}

std::shared_ptr<HidConnection> HidDevice::OpenReaderHandleLocked() {
    if (!ReaderHandle && MayOpen()) {
        ReaderHandle = Platform.Open(Info.Path, HidAccess::ReadWrite);
        if (ReaderHandle) {
            if (ReaderBuffers != 0) {
                ReaderHandle->SetInputBufferCount(ReaderBuffers);
            }
            ReaderBuffers = ReaderHandle->InputBufferCount();
        }
    }
    return ReaderHandle;
}

QString HidDevice::ProductString() {
    if (CachedProductString.isEmpty() && OpenPlainHandle()) {
        CachedProductString = ProductText(PlainHandle->ProductString());
        ClosePlainHandle();
    }
    return CachedProductString;
}

HidCaps HidDevice::Caps() {
    if (!CachedCaps && OpenPlainHandle()) {
        CachedCaps = HidCaps{PlainHandle->InputReportLength()};
        ClosePlainHandle();
    }
    return CachedCaps.value_or(HidCaps{});
}

void HidDevice::SetInputBufferCount(int count) {
    if (count != InputBuffers && OpenPlainHandle()) {
        PlainHandle->SetInputBufferCount(count);
        InputBuffers = PlainHandle->InputBufferCount();
    }
}

int HidDevice::ReaderBufferCount() const {
    const std::lock_guard lock(ReaderLock);
    return ReaderBuffers;
}

void HidDevice::SetReaderBufferCount(int count) {
    const std::lock_guard lock(ReaderLock);
    if (count == ReaderBuffers) {
        return;
    }
    if (const std::shared_ptr<HidConnection> handle = OpenReaderHandleLocked()) {
        handle->SetInputBufferCount(count);
        ReaderBuffers = handle->InputBufferCount();
    }
}

void HidDevice::SetReaderSleepTime(int ms) {
    if (ms >= MinReaderSleepTime && ms <= MaxReaderSleepTime) {
        SleepTime = ms;
    }
}

void HidDevice::SetReportHandler(HidReportHandler handler) {
    if (!handler) {
        StopReader();
    }
    OnReport = std::move(handler);
    StartReaderWhenReady();
}

bool HidDevice::WriteReport(std::span<const std::uint8_t> report, std::size_t& written) {
    written = 0;
    if (!OpenPlainHandle()) {
        return false;
    }
    const std::optional<std::size_t> count = PlainHandle->WriteReport(report);
    if (!count) {
        return false;
    }
    written = *count;
    return true;
}

void HidDevice::Claim() {
    Claimed = true;
    StartReaderWhenReady();
}

void HidDevice::HandleUnplug() {
    // Marked first: the reader must not open the path again once its handle is closed, as
    // the path may belong to another device by then.
    PluggedIn = false;
    ClosePlainHandle();
    {
        const std::lock_guard lock(ReaderLock);
        ReaderHandle.reset();
    }
    // Its reads could only fail from now on, each failure waking the window's thread.
    StopReader();
    // Cleared before the call, so that a handler set during it stays.
    if (const HidPlugHandler handler = std::exchange(OnUnplug, nullptr)) {
        handler(*this);
    }
}

void HidDevice::StartReaderWhenReady() {
    if (OnReport && PluggedIn && Claimed && ReadWriteAccess && !Reader && OwnerList != nullptr) {
        const std::size_t reportLength = Caps().InputReportByteLength;
        Reader = std::make_unique<HidReadThread>(*this, reportLength, OwnerList->Handovers);
    }
}

void HidDevice::StopReader() {
    Reader.reset();
}

} // namespace harvoline
