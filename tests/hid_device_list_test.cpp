// The HID device list: scans, claiming, the access rule, unplugging and
// destroying devices, on the fake HID platform.
#include "hid/hid_device_list.h"
#include "tests/support/fake_hid_platform.h"

#include <QCoreApplication>
#include <gtest/gtest.h>
#include <mutex>

using namespace harvoline;
using namespace harvoline::testing;

namespace {

class HidDeviceListTest : public ::testing::Test {
  protected:
    // Creates the list and handles its start-up message.
    HidDeviceList& Start() {
        DeviceList = std::make_unique<HidDeviceList>(Hid);
        DeviceList->SetChangeHandler([this](HidDeviceList&) { ++DeviceChanges; });
        HandlePostedMessages();
        return *DeviceList;
    }

    void HandlePostedMessages() { QCoreApplication::sendPostedEvents(DeviceList.get()); }

    std::vector<std::string> Listed() const {
        std::vector<std::string> identities;
        for (const HidDevice* device : DeviceList->Devices()) {
            identities.push_back(device->Interface().Identity);
        }
        return identities;
    }

    HidDevice* ClaimNext() {
        HidDevice* device = nullptr;
        EXPECT_TRUE(DeviceList->ClaimNext(device));
        return device;
    }

    FakeHidPlatform Hid;
    std::unique_ptr<HidDeviceList> DeviceList;
    int DeviceChanges = 0;
};

} // namespace

TEST_F(HidDeviceListTest, StartUpAnnouncesTheListOnceEvenWithoutDevices) {
    Start();
    EXPECT_EQ(DeviceChanges, 1);
    EXPECT_TRUE(DeviceList->Devices().empty());

    Hid.AnnounceChange();
    HandlePostedMessages();
    EXPECT_EQ(DeviceChanges, 1) << "nothing changed";

    Hid.Plug();
    Hid.AnnounceChange();
    EXPECT_EQ(DeviceChanges, 2);
}

TEST_F(HidDeviceListTest, WithoutHidSupportNothingIsScannedOrAnnounced) {
    Hid.Supported = false;
    Hid.Plug();
    Start();
    EXPECT_EQ(Hid.Enumerations(), 0);
    EXPECT_EQ(Hid.Watches(), 0);
    EXPECT_EQ(DeviceChanges, 0);
    HidDevice* device = nullptr;
    EXPECT_FALSE(DeviceList->ClaimNext(device));
}

TEST_F(HidDeviceListTest, ANewChangeHandlerSetAfterStartUpHearsOfTheListAtOnce) {
    Hid.Plug();
    Start();
    int heard = 0;
    DeviceList->SetChangeHandler([&](HidDeviceList&) { ++heard; });
    EXPECT_EQ(heard, 1);
}

TEST_F(HidDeviceListTest, ClaimNextHandsOutEveryUnclaimedDeviceOnceInListOrder) {
    const std::vector<std::string> plugged = {Hid.Plug(), Hid.Plug(), Hid.Plug()};
    Start();
    ASSERT_EQ(Listed(), plugged);
    for (const std::string& identity : plugged) {
        HidDevice* device = ClaimNext();
        ASSERT_NE(device, nullptr);
        EXPECT_EQ(device->Interface().Identity, identity);
        EXPECT_TRUE(device->IsClaimed());
    }
    HidDevice* none = DeviceList->Devices().front();
    EXPECT_FALSE(DeviceList->ClaimNext(none));
    EXPECT_EQ(none, nullptr);

    const std::string late = Hid.Plug();
    Hid.AnnounceChange();
    EXPECT_EQ(ClaimNext()->Interface().Identity, late);
}

TEST_F(HidDeviceListTest, AnUnpluggedClaimedDeviceStaysListedAndIsReportedRemovedAtEveryScan) {
    const std::string claimedOne = Hid.Plug();
    const std::string unclaimedOne = Hid.Plug();
    int unplugCalls = 0;
    std::vector<std::string> removals;
    Start();
    DeviceList->SetUnplugHandler([&](HidDevice&) { ++unplugCalls; });
    DeviceList->SetRemovalHandler([&](HidDevice& device) {
        EXPECT_FALSE(device.IsPluggedIn());
        removals.push_back(device.Interface().Identity);
    });
    HidDevice* claimed = ClaimNext();

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
TEST_F(HidDeviceListTest, UnpluggingMarksTheDeviceBeforeClosingItsHandles) {
    const std::string identity = Hid.Plug();
    std::mutex lock;
    const HidDevice* unplugging = nullptr;
    std::vector<bool> pluggedInAtClose;
    Hid.Closing = [&](const std::string& closed) {
        const std::lock_guard guard(lock);
        if (unplugging != nullptr && closed == identity) {
            pluggedInAtClose.push_back(unplugging->IsPluggedIn());
        }
    };
    Start();
    HidDevice* device = ClaimNext();
    device->SetReportHandler([](HidDevice&, std::uint8_t, const std::uint8_t*, std::uint16_t) {});
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
    DeviceList.reset();
    const std::lock_guard guard(lock);
    EXPECT_EQ(pluggedInAtClose, (std::vector{false, false}));
}

TEST_F(HidDeviceListTest, ADeviceUnpluggedAndPluggedInAgainBecomesANewObject) {
    const std::string first = Hid.Plug();
    Start();
    HidDevice* before = ClaimNext();

    // Plugged in again before any scan: the node's path is the same, the device is not.
    Hid.Unplug(first);
    const std::string again = Hid.Plug();
    Hid.AnnounceChange();

    ASSERT_EQ(Listed(), (std::vector{first, again}));
    HidDevice* after = DeviceList->Devices()[1];
    EXPECT_NE(after, before);
    EXPECT_EQ(after->Interface().Path, before->Interface().Path);
    EXPECT_FALSE(before->IsPluggedIn());
    EXPECT_TRUE(after->IsPluggedIn());
    EXPECT_EQ(ClaimNext(), after);
}

TEST_F(HidDeviceListTest, ADeviceTellsWhatItIsOnceClaimed) {
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
        HidDevice* device = ClaimNext();
        ASSERT_NE(device, nullptr) << c.Name;
        EXPECT_EQ(device->VendorId(), c.Attributes.VendorId) << c.Name;
        EXPECT_EQ(device->ProductId(), c.Attributes.ProductId) << c.Name;
        EXPECT_EQ(device->Attributes().VersionNumber, c.Attributes.VersionNumber) << c.Name;
        EXPECT_EQ(device->ProductString(), c.ProductString) << c.Name;
        EXPECT_EQ(device->HasReadWriteAccess(), c.ReadWrite) << c.Name;
    }
}

TEST_F(HidDeviceListTest, AnUnclaimedDeviceOpensOnlyWhileItsArrivalIsAnnounced) {
    const std::string identity = Hid.Plug();
    QString nameOnArrival;
    DeviceList = std::make_unique<HidDeviceList>(Hid);
    DeviceList->SetArrivalHandler(
        [&](HidDevice& device) { nameOnArrival = device.ProductString(); });
    HandlePostedMessages();
    EXPECT_EQ(nameOnArrival, QStringLiteral("Buzz Controller"));

    // A fresh device for the same interface, with nothing cached.
    delete DeviceList->Devices().front();
    HidDevice* device = DeviceList->Devices().front();
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

TEST_F(HidDeviceListTest, WriteReportFailsWhenTheDeviceRefusesIt) {
    FakeHidDevice refusing;
    refusing.WritesFail = true;
    Hid.Plug(refusing);
    Start();
    std::size_t written = 1;
    EXPECT_FALSE(ClaimNext()->WriteReport(std::vector<std::uint8_t>(8, 0), written));
    EXPECT_EQ(written, 0u);
}

TEST_F(HidDeviceListTest, ReaderSleepTimeAcceptsTenToTenThousandOnly) {
    Hid.Plug();
    Start();
    HidDevice* device = ClaimNext();
    const std::pair<int, int> cases[] = {{5, 100}, {9, 100},       {20000, 100}, {10001, 100},
                                         {10, 10}, {10000, 10000}, {250, 250}};
    for (const auto& [value, kept] : cases) {
        device->SetReaderSleepTime(100);
        device->SetReaderSleepTime(value);
        EXPECT_EQ(device->ReaderSleepTime(), kept) << value;
    }
}

TEST_F(HidDeviceListTest, SettingsPassOnToDevicesThatStillHoldTheListsOldOnes) {
    Hid.Plug();
    Hid.Plug();
    Start();
    HidDevice* own = DeviceList->Devices()[0];
    HidDevice* inherited = DeviceList->Devices()[1];

    own->SetReaderSleepTime(50);
    DeviceList->SetReaderSleepTime(200);
    EXPECT_EQ(own->ReaderSleepTime(), 50);
    EXPECT_EQ(inherited->ReaderSleepTime(), 200);

    const HidReportHandler first = [](HidDevice&, std::uint8_t, const std::uint8_t*,
                                      std::uint16_t) {};
    DeviceList->SetReportHandler(first);
    EXPECT_EQ(own->ReportHandler(), first);
    const HidReportHandler ownHandler = [](HidDevice&, std::uint8_t, const std::uint8_t*,
                                           std::uint16_t) {};
    own->SetReportHandler(ownHandler);
    const HidReportHandler second = [](HidDevice&, std::uint8_t, const std::uint8_t*,
                                       std::uint16_t) {};
    DeviceList->SetReportHandler(second);
    EXPECT_EQ(own->ReportHandler(), ownHandler);
    EXPECT_EQ(inherited->ReportHandler(), second);

    const HidReadErrorHandler errors = [](HidDevice&, std::uint32_t) {};
    DeviceList->SetReadErrorHandler(errors);
    EXPECT_EQ(own->ReadErrorHandler(), errors);
    EXPECT_EQ(inherited->ReadErrorHandler(), errors);
}

TEST_F(HidDeviceListTest, AChangeDuringAScanIsScannedForAfterIt) {
    Hid.Plug();
    std::string pluggedDuringScan;
    Start();
    DeviceList->SetArrivalHandler([&](HidDevice&) {
        if (pluggedDuringScan.empty()) {
            pluggedDuringScan = Hid.Plug();
            Hid.AnnounceChange();
        }
    });
    Hid.Plug();
    Hid.AnnounceChange();
    EXPECT_EQ(DeviceList->Devices().size(), 2u);

    HandlePostedMessages();
    EXPECT_EQ(Listed().back(), pluggedDuringScan);
}

TEST_F(HidDeviceListTest, ADestroyedDeviceThatIsPluggedInMakesWayForAFreshOne) {
    const std::string gone = Hid.Plug();
    const std::string present = Hid.Plug();
    Start();
    HidDevice* unplugged = ClaimNext();
    HidDevice* claimed = ClaimNext();
    const HidReportHandler handler = [](HidDevice&, std::uint8_t, const std::uint8_t*,
                                        std::uint16_t) {};
    claimed->SetReaderSleepTime(30);
    claimed->SetReportHandler(handler);
    Hid.Unplug(gone);
    Hid.AnnounceChange();

    delete claimed;
    ASSERT_EQ(Listed(), (std::vector{gone, present}));
    HidDevice* fresh = DeviceList->Devices()[1];
    EXPECT_FALSE(fresh->IsClaimed());
    EXPECT_TRUE(fresh->IsPluggedIn());
    EXPECT_EQ(fresh->Interface().Path, Hid.Enumerate()[0].Path);
    EXPECT_EQ(fresh->ReportHandler(), handler);
    EXPECT_EQ(fresh->ReaderSleepTime(), 30);
    EXPECT_EQ(ClaimNext(), fresh);

    delete unplugged;
    EXPECT_EQ(Listed(), std::vector{present});
}

TEST_F(HidDeviceListTest, DestroyingTheListTellsOnlyClaimersThatTheirDevicesGo) {
    Hid.Plug();
    Hid.Plug();
    Start();
    std::vector<bool> told;
    for (HidDevice* device : DeviceList->Devices()) {
        device->SetUnplugHandler([&](HidDevice& gone) { told.push_back(gone.IsClaimed()); });
    }
    DeviceList->SetUnplugHandler([&](HidDevice&) { ADD_FAILURE() << "the list's own"; });
    ClaimNext();
    DeviceList.reset();
    EXPECT_EQ(told, std::vector{true});
}
