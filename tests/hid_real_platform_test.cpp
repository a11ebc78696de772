// The real HID platform as far as this machine allows: it has no HID devices, and udev's
// monitor opens although no udev daemon runs.
#include "hid/hid_device_list.h"
#include "hid/real_hid_platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace harvoline;

TEST(RealHidPlatform, EnumeratesTheHidrawNodesPresent) {
    RealHidPlatform hid;
    ASSERT_TRUE(hid.Available());
    const std::vector<HidInterface> found = hid.Enumerate();
    const QStringList nodes =
        QDir(QStringLiteral("/dev")).entryList({QStringLiteral("hidraw*")}, QDir::System);
    EXPECT_EQ(found.size(), static_cast<std::size_t>(nodes.size()));
    for (const HidInterface& device : found) {
        EXPECT_FALSE(device.Identity.empty());
        EXPECT_EQ(device.Path.rfind("/dev/hidraw", 0), 0u) << device.Path;
    }
}

TEST(RealHidPlatform, OpensNothingButHidInterfaces) {
    RealHidPlatform hid;
    for (const char* path : {"/dev/null", "/nonexistent/hidraw0", ""}) {
        EXPECT_EQ(hid.Open(path, HidAccess::ReadWrite), nullptr) << path;
        EXPECT_EQ(hid.Open(path, HidAccess::QueryOnly), nullptr) << path;
    }
}

TEST(RealHidPlatform, WatchesUdevAndPollsWhereNoUdevDaemonRuns) {
    RealHidPlatform hid;
    UdevChangeWatch watch(hid, [] {});
    EXPECT_TRUE(watch.Monitoring());
    const bool daemonRunning = QFileInfo::exists(QStringLiteral("/run/udev/control"));
    EXPECT_EQ(watch.Polling(), !daemonRunning);
}

TEST(RealHidPlatform, TheDeviceListAnnouncesItsListOnceAtStartUp) {
    RealHidPlatform hid;
    HidDeviceList deviceList(hid);
    int changes = 0;
    deviceList.SetChangeHandler([&](HidDeviceList&) { ++changes; });
    QCoreApplication::sendPostedEvents(&deviceList);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(deviceList.Devices().size(), hid.Enumerate().size());
}
