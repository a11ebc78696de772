// The HID device controller's list: scans, claiming, the access rule, unplugging and
// destroying devices, on the fake HID platform.
#include "hid/hid_controller.h"
#include "tests/support/fake_hid_platform.h"

#include <QCoreApplication>
#include <gtest/gtest.h>
#include <mutex>

using namespace harvoline;
using namespace harvoline::testing;

namespace {

class HidController : public ::testing::Test {
  protected:
    // Creates the controller and handles its start-up message.
    TJvHidDeviceController& Start() {
        HidCtl = std::make_unique<TJvHidDeviceController>(Hid);
        HidCtl->SetOnDeviceChange([this](TJvHidDeviceController&) { ++DeviceChanges; });
        HandlePostedMessages();
        return *HidCtl;
    }

    void HandlePostedMessages() { QCoreApplication::sendPostedEvents(HidCtl.get()); }

    std::vector<std::string> Listed() const {
        std::vector<std::string> identities;
        for (const TJvHidDevice* device : HidCtl->Devices()) {
            identities.push_back(device->PnPInfo().DeviceID);
        }
        return identities;
    }

    TJvHidDevice* ClaimNext() {
        TJvHidDevice* device = nullptr;
        EXPECT_TRUE(HidCtl->ClaimNext(device));
        return device;
    }

    FakeHidPlatform Hid;
    std::unique_ptr<TJvHidDeviceController> HidCtl;
    int DeviceChanges = 0;
};

} // namespace

TEST_F(HidController, StartUpAnnouncesTheListOnceEvenWithoutDevices) {
    Start();
    EXPECT_EQ(DeviceChanges, 1);
    EXPECT_TRUE(HidCtl->Devices().empty());

    Hid.AnnounceChange();
    HandlePostedMessages();
    EXPECT_EQ(DeviceChanges, 1) << "nothing changed";

    Hid.Plug();
    Hid.AnnounceChange();
    EXPECT_EQ(DeviceChanges, 2);
    EXPECT_EQ(HidCtl->Version(), QStringLiteral("1.0.34"));
}

TEST_F(HidController, WithoutHidSupportNothingIsScannedOrAnnounced) {
    Hid.Supported = false;
    Hid.Plug();
    Start();
    EXPECT_EQ(Hid.Enumerations(), 0);
    EXPECT_EQ(Hid.Watches(), 0);
    EXPECT_EQ(DeviceChanges, 0);
    TJvHidDevice* device = nullptr;
    EXPECT_FALSE(HidCtl->ClaimNext(device));
}

TEST_F(HidController, ANewChangeHandlerSetAfterStartUpHearsOfTheListAtOnce) {
    Hid.Plug();
    Start();
    int heard = 0;
    HidCtl->SetOnDeviceChange([&](TJvHidDeviceController&) { ++heard; });
    EXPECT_EQ(heard, 1);
}

TEST_F(HidController, ClaimNextHandsOutEveryUnclaimedDeviceOnceInListOrder) {
    const std::vector<std::string> plugged = {Hid.Plug(), Hid.Plug(), Hid.Plug()};
    Start();
    ASSERT_EQ(Listed(), plugged);
    for (const std::string& identity : plugged) {
        TJvHidDevice* device = ClaimNext();
        ASSERT_NE(device, nullptr);
        EXPECT_EQ(device->PnPInfo().DeviceID, identity);
        EXPECT_TRUE(device->IsClaimed());
    }
    TJvHidDevice* none = HidCtl->Devices().front();
    EXPECT_FALSE(HidCtl->ClaimNext(none));
    EXPECT_EQ(none, nullptr);

    const std::string late = Hid.Plug();
    Hid.AnnounceChange();
    EXPECT_EQ(ClaimNext()->PnPInfo().DeviceID, late);
}

TEST_F(HidController, AnUnpluggedClaimedDeviceStaysListedAndIsReportedRemovedAtEveryScan) {
    const std::string claimedOne = Hid.Plug();
    const std::string unclaimedOne = Hid.Plug();
    int unplugCalls = 0;
    std::vector<std::string> removals;
    Start();
    HidCtl->SetOnDeviceUnplug([&](TJvHidDevice&) { ++unplugCalls; });
    HidCtl->SetOnRemoval([&](TJvHidDevice& device) {
        EXPECT_FALSE(device.IsPluggedIn());
        removals.push_back(device.PnPInfo().DeviceID);
    });
    TJvHidDevice* claimed = ClaimNext();

    Hid.Unplug(claimedOne);
    Hid.Unplug(unclaimedOne);
    Hid.AnnounceChange();
    EXPECT_EQ(Listed(), std::vector{claimedOne});
    EXPECT_FALSE(claimed->IsPluggedIn());
    EXPECT_EQ(removals, (std::vector{unclaimedOne, claimedOne}));
    EXPECT_EQ(DeviceChanges, 2);

    Hid.AnnounceChange();
    EXPECT_EQ(Listed(), std::vector{claimedOne});
    EXPECT_EQ(removals.back(), claimedOne);
    EXPECT_EQ(removals.size(), 3u);
    EXPECT_EQ(DeviceChanges, 3);
    EXPECT_EQ(unplugCalls, 2) << "once per device";

    std::size_t written = 1;
    EXPECT_FALSE(claimed->WriteReport(std::vector<std::uint8_t>(8, 0), written));
    EXPECT_EQ(written, 0u);
}

// Closed before the mark, a handle could be opened again in between by the reader, on a
// path that may belong to another device by then.
TEST_F(HidController, UnpluggingMarksTheDeviceBeforeClosingItsHandles) {
    const std::string identity = Hid.Plug();
    std::mutex lock;
    const TJvHidDevice* unplugging = nullptr;
    std::vector<bool> pluggedInAtClose;
    Hid.Closing = [&](const std::string& closed) {
        const std::lock_guard guard(lock);
        if (unplugging != nullptr && closed == identity) {
            pluggedInAtClose.push_back(unplugging->IsPluggedIn());
        }
    };
    Start();
    TJvHidDevice* device = ClaimNext();
    device->SetDataHandler([](TJvHidDevice&, std::uint8_t, const std::uint8_t*, std::uint16_t) {});
    // Both handles open.
    device->SetInputBufferCount(128);
    device->SetReaderBufferCount(128);
    {
        const std::lock_guard guard(lock);
        unplugging = device;
    }

    Hid.Unplug(identity);
    Hid.AnnounceChange();
    // No connection closes after the hook's state is gone.
    HidCtl.reset();
    const std::lock_guard guard(lock);
    EXPECT_EQ(pluggedInAtClose, (std::vector{false, false}));
}

TEST_F(HidController, ADeviceUnpluggedAndPluggedInAgainBecomesANewObject) {
    const std::string first = Hid.Plug();
    Start();
    TJvHidDevice* before = ClaimNext();

    // Plugged in again before any scan: the node's path is the same, the device is not.
    Hid.Unplug(first);
    const std::string again = Hid.Plug();
    Hid.AnnounceChange();

    ASSERT_EQ(Listed(), (std::vector{first, again}));
    TJvHidDevice* after = HidCtl->Devices()[1];
    EXPECT_NE(after, before);
    EXPECT_EQ(after->PnPInfo().DevicePath, before->PnPInfo().DevicePath);
    EXPECT_FALSE(before->IsPluggedIn());
    EXPECT_TRUE(after->IsPluggedIn());
    EXPECT_EQ(ClaimNext(), after);
}

TEST_F(HidController, ADeviceTellsWhatItIsOnceClaimed) {
    struct Case {
        const char* Name;
        FakeHidDevice Script;
        HidAttributes Attributes;
        QString ProductString;
        bool ReadWrite;
    };
    FakeHidDevice noName;
    noName.ProductString.clear();
    FakeHidDevice closed;
    closed.Opens = false;
    FakeHidDevice queryOnly;
    queryOnly.OpensReadWrite = false;
    FakeHidDevice longName;
    longName.ProductString = QString(300, u'x');
    FakeHidDevice zeroInName;
    zeroInName.ProductString = QStringLiteral("Buzz") + QChar(u'\0') + QStringLiteral("junk");
    const Case cases[] = {
        {"plain", {}, {0x054C, 0x1000, 0x0101}, QStringLiteral("Buzz Controller"), true},
        {"empty product string", noName, {0x054C, 0x1000, 0x0101}, QString(), true},
        {"cannot be opened", closed, {}, QString(), false},
        {"query only",
         queryOnly,
         {0x054C, 0x1000, 0x0101},
         QStringLiteral("Buzz Controller"),
         false},
        {"long product string", longName, {0x054C, 0x1000, 0x0101}, QString(254, u'x'), true},
        {"zero in product string",
         zeroInName,
         {0x054C, 0x1000, 0x0101},
         QStringLiteral("Buzz"),
         true},
    };
    for (const Case& c : cases) {
        Hid.Plug(c.Script);
    }
    Start();
    for (const Case& c : cases) {
        TJvHidDevice* device = ClaimNext();
        ASSERT_NE(device, nullptr) << c.Name;
        EXPECT_EQ(device->VendorId(), c.Attributes.VendorId) << c.Name;
        EXPECT_EQ(device->ProductId(), c.Attributes.ProductId) << c.Name;
        EXPECT_EQ(device->Attributes().VersionNumber, c.Attributes.VersionNumber) << c.Name;
        EXPECT_EQ(device->ProductString(), c.ProductString) << c.Name;
        EXPECT_EQ(device->HasReadWriteAccess(), c.ReadWrite) << c.Name;
    }
}

TEST_F(HidController, AnUnclaimedDeviceOpensOnlyWhileItsArrivalIsAnnounced) {
    const std::string identity = Hid.Plug();
    QString nameOnArrival;
    HidCtl = std::make_unique<TJvHidDeviceController>(Hid);
    HidCtl->SetOnArrival([&](TJvHidDevice& device) { nameOnArrival = device.ProductString(); });
    HandlePostedMessages();
    EXPECT_EQ(nameOnArrival, QStringLiteral("Buzz Controller"));

    // A fresh device for the same interface, with nothing cached.
    delete HidCtl->Devices().front();
    TJvHidDevice* device = HidCtl->Devices().front();
    const int opens = Hid.Opens(identity);
    std::size_t written = 0;
    EXPECT_EQ(device->ProductString(), QString());
    EXPECT_FALSE(device->WriteReport(std::vector<std::uint8_t>(8, 0), written));
    device->SetInputBufferCount(128);
    EXPECT_EQ(Hid.Opens(identity), opens);
    EXPECT_TRUE(Hid.Written(identity).empty());

    ASSERT_EQ(ClaimNext(), device);
    EXPECT_EQ(device->ProductString(), QStringLiteral("Buzz Controller"));
    const std::vector<std::uint8_t> lamps = {0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x00};
    EXPECT_TRUE(device->WriteReport(lamps, written));
    EXPECT_EQ(written, 8u);
    EXPECT_EQ(Hid.Written(identity), std::vector<Bytes>{lamps});
    device->SetInputBufferCount(128);
    EXPECT_EQ(device->InputBufferCount(), 128);
}

TEST_F(HidController, WriteReportFailsWhenTheDeviceRefusesIt) {
    FakeHidDevice refusing;
    refusing.WritesFail = true;
    Hid.Plug(refusing);
    Start();
    std::size_t written = 1;
    EXPECT_FALSE(ClaimNext()->WriteReport(std::vector<std::uint8_t>(8, 0), written));
    EXPECT_EQ(written, 0u);
}

TEST_F(HidController, ReaderSleepTimeAcceptsTenToTenThousandOnly) {
    Hid.Plug();
    Start();
    TJvHidDevice* device = ClaimNext();
    const std::pair<int, int> cases[] = {{5, 100}, {9, 100},       {20000, 100}, {10001, 100},
                                         {10, 10}, {10000, 10000}, {250, 250}};
    for (const auto& [value, kept] : cases) {
        device->SetReaderSleepTime(100);
        device->SetReaderSleepTime(value);
        EXPECT_EQ(device->ReaderSleepTime(), kept) << value;
    }
}

TEST_F(HidController, SettingsPassOnToDevicesThatStillHoldTheControllersOldOnes) {
    Hid.Plug();
    Hid.Plug();
    Start();
    TJvHidDevice* own = HidCtl->Devices()[0];
    TJvHidDevice* inherited = HidCtl->Devices()[1];

    own->SetReaderSleepTime(50);
    HidCtl->SetDevThreadSleepTime(200);
    EXPECT_EQ(own->ReaderSleepTime(), 50);
    EXPECT_EQ(inherited->ReaderSleepTime(), 200);

    const TJvHidDataEvent first = [](TJvHidDevice&, std::uint8_t, const std::uint8_t*,
                                     std::uint16_t) {};
    HidCtl->SetOnDeviceData(first);
    EXPECT_EQ(own->DataHandler(), first);
    const TJvHidDataEvent ownHandler = [](TJvHidDevice&, std::uint8_t, const std::uint8_t*,
                                          std::uint16_t) {};
    own->SetDataHandler(ownHandler);
    const TJvHidDataEvent second = [](TJvHidDevice&, std::uint8_t, const std::uint8_t*,
                                      std::uint16_t) {};
    HidCtl->SetOnDeviceData(second);
    EXPECT_EQ(own->DataHandler(), ownHandler);
    EXPECT_EQ(inherited->DataHandler(), second);

    const TJvHidDataErrorEvent errors = [](TJvHidDevice&, std::uint32_t) {};
    HidCtl->SetOnDeviceDataError(errors);
    EXPECT_EQ(own->DataErrorHandler(), errors);
    EXPECT_EQ(inherited->DataErrorHandler(), errors);
}

TEST_F(HidController, AChangeDuringAScanIsScannedForAfterIt) {
    Hid.Plug();
    std::string pluggedDuringScan;
    Start();
    HidCtl->SetOnArrival([&](TJvHidDevice&) {
        if (pluggedDuringScan.empty()) {
            pluggedDuringScan = Hid.Plug();
            Hid.AnnounceChange();
        }
    });
    Hid.Plug();
    Hid.AnnounceChange();
    EXPECT_EQ(HidCtl->Devices().size(), 2u);

    HandlePostedMessages();
    EXPECT_EQ(Listed().back(), pluggedDuringScan);
}

TEST_F(HidController, ADestroyedDeviceThatIsPluggedInMakesWayForAFreshOne) {
    const std::string gone = Hid.Plug();
    const std::string present = Hid.Plug();
    Start();
    TJvHidDevice* unplugged = ClaimNext();
    TJvHidDevice* claimed = ClaimNext();
    const TJvHidDataEvent handler = [](TJvHidDevice&, std::uint8_t, const std::uint8_t*,
                                       std::uint16_t) {};
    claimed->SetReaderSleepTime(30);
    claimed->SetDataHandler(handler);
    Hid.Unplug(gone);
    Hid.AnnounceChange();

    delete claimed;
    ASSERT_EQ(Listed(), (std::vector{gone, present}));
    TJvHidDevice* fresh = HidCtl->Devices()[1];
    EXPECT_FALSE(fresh->IsClaimed());
    EXPECT_TRUE(fresh->IsPluggedIn());
    EXPECT_EQ(fresh->PnPInfo().DevicePath, Hid.Enumerate()[0].Path);
    EXPECT_EQ(fresh->DataHandler(), handler);
    EXPECT_EQ(fresh->ReaderSleepTime(), 30);
    EXPECT_EQ(ClaimNext(), fresh);

    delete unplugged;
    EXPECT_EQ(Listed(), std::vector{present});
}

TEST_F(HidController, DestroyingTheControllerTellsOnlyClaimersThatTheirDevicesGo) {
    Hid.Plug();
    Hid.Plug();
    Start();
    std::vector<bool> told;
    for (TJvHidDevice* device : HidCtl->Devices()) {
        device->SetUnplugHandler([&](TJvHidDevice& gone) { told.push_back(gone.IsClaimed()); });
    }
    HidCtl->SetOnDeviceUnplug([&](TJvHidDevice&) { ADD_FAILURE() << "the controller's own"; });
    ClaimNext();
    HidCtl.reset();
    EXPECT_EQ(told, std::vector{true});
}
