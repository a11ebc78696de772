// The window's HID device list on the fake platform.
#include "tests/support/window_fixture.h"

#include <QTest>

using namespace harvoline;
using namespace harvoline::testing;

using HidWindow = WindowTest;

TEST_F(HidWindow, TheFirstScanComesFromTheEventLoopAndEndsWithTheWindow) {
    const std::string identity = Platform.HidDevices.Plug();
    TfrmMain& w = StartWindow();
    EXPECT_EQ(Platform.HidDevices.Enumerations(), 0) << "not while the window is made";
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w.DeviceList->Devices().empty(); }, 10000));
    EXPECT_EQ(Platform.HidDevices.Enumerations(), 1);
    EXPECT_EQ(w.DeviceList->Devices().front()->Interface().Identity, identity);
    EXPECT_EQ(Platform.HidDevices.Watches(), 1);

    // The window claims every device its scans find.
    HidDevice* device = w.DeviceList->Devices().front();
    EXPECT_TRUE(device->IsClaimed());
    int reports = 0;
    device->SetReportHandler(
        [&](HidDevice&, std::uint8_t, const std::uint8_t*, std::uint16_t) { ++reports; });
    Platform.HidDevices.QueueReport(identity, {0, 1, 2, 3, 4, 5});
    ASSERT_TRUE(QTest::qWaitFor([&] { return reports == 1; }, 10000));
    Platform.HidDevices.QueueReport(identity, {0, 1, 2, 3, 4, 5});

    Window.reset();
    EXPECT_EQ(Platform.HidDevices.Watches(), 0);
}
