// The window's HID device list on the fake platform.
#include "tests/support/window_fixture.h"

#include "hid/hid_device_list.h"

#include <QTest>

using namespace harvoline;
using namespace harvoline::testing;

using HidWindow = WindowTest;

TEST_F(HidWindow, TheFirstScanComesFromTheEventLoopAndEndsWithTheWindow) {
    const std::string identity = Platform.HidDevices.Plug();
    StartWindow();
    HidDeviceList& devices = Session->Receivers().Devices();
    EXPECT_EQ(Platform.HidDevices.Enumerations(), 0) << "not while the window is made";
    ASSERT_TRUE(QTest::qWaitFor([&] { return !devices.Devices().empty(); }, 10000));
    EXPECT_EQ(Platform.HidDevices.Enumerations(), 1);
    EXPECT_EQ(devices.Devices().front()->Interface().Identity, identity);
    EXPECT_EQ(Platform.HidDevices.Watches(), 1);

    // The window claims every device its scans find.
    HidDevice* device = devices.Devices().front();
    EXPECT_TRUE(device->IsClaimed());
    int reports = 0;
    device->SetReportHandler(
        [&](HidDevice&, std::uint8_t, const std::uint8_t*, std::uint16_t) { ++reports; });
    Platform.HidDevices.QueueReport(identity, {0, 1, 2, 3, 4, 5});
    ASSERT_TRUE(QTest::qWaitFor([&] { return reports == 1; }, 10000));
    Platform.HidDevices.QueueReport(identity, {0, 1, 2, 3, 4, 5});

    Session.reset();
    EXPECT_EQ(Platform.HidDevices.Watches(), 0);
}
