#include "app/receiver_watch.h"

#include "hid/hid_device_list.h"
#include "model/game/quiz_game.h"
#include "model/game/report_errors.h"

#include <algorithm>

namespace harvoline {

namespace {

constexpr int ReceiverBufferCount = 128;

QString HexId(std::uint16_t id) {
    return QString::number(id, 16).toUpper().rightJustified(4, u'0');
}

} // namespace

// A receiver's device as the buzzer input writes to it.
class ReceiverWatch::HidReceiver : public BuzzerReceiver {
  public:
    explicit HidReceiver(HidDevice& device) : Device(device) {}

    bool IsPluggedIn() const override { return Device.IsPluggedIn(); }
    void WriteLamps(const LampReportBytes& report) override {
        std::size_t written = 0;
        Device.WriteReport(report, written);
    }

    HidDevice& Device;
};

ReceiverWatch::ReceiverWatch(HidPlatform& hid, GameServices& services, QuizGame& game,
                             BuzzerInput& buzzers)
    : Services(services), Game(game), Buzzers(buzzers), List(std::make_unique<HidDeviceList>(hid)) {
    List->SetChangeHandler(
        [this](HidDeviceList&) { ReportErrors(Services, [this] { OnReceiversChanged(); }); });
}

ReceiverWatch::~ReceiverWatch() = default;

std::vector<HidDevice*> ReceiverWatch::ReceiversInUse() const {
    std::vector<HidDevice*> devices;
    for (const BuzzerReceiver* receiver : Buzzers.Receivers()) {
        devices.push_back(&static_cast<const HidReceiver*>(receiver)->Device);
    }
    return devices;
}

void ReceiverWatch::OnReceiversChanged() {
    try {
        std::vector<HidDevice*> claimed;
        HidDevice* device = nullptr;
        while (List->ClaimNext(device)) {
            claimed.push_back(device);
        }
        for (HidDevice* candidate : claimed) {
            if (!IsReceiverDescription(DescribeDevice(*candidate))) {
                continue;
            }
            // Without it no report arrives and no lamp lights: the binding prompt would
            // wait for presses that never come.
            if (!candidate->HasReadWriteAccess()) {
                NoteUnusableReceiver(*candidate);
                continue;
            }
            TakeReceiver(*candidate);
        }
    } catch (const std::exception&) {
        // A receiver that fails while it is taken stays unused; the game goes on with the
        // others, keys and screen buttons.
    }
}

void ReceiverWatch::TakeReceiver(HidDevice& device) {
    device.SetInputBufferCount(ReceiverBufferCount);
    device.SetReaderBufferCount(ReceiverBufferCount);
    HidReceiver& receiver = *Taken.emplace_back(std::make_unique<HidReceiver>(device));
    device.SetReportHandler([this, &receiver](HidDevice&, std::uint8_t, const std::uint8_t* data,
                                              std::uint16_t size) {
        ReportErrors(Services, [&] { Buzzers.OnReceiverReport(receiver, std::span(data, size)); });
    });
    Buzzers.TakeReceiver(receiver);
}

void ReceiverWatch::NoteUnusableReceiver(HidDevice& device) {
    const QString note =
        QStringLiteral("\nBuzzer receiver \"%1\" (%2) is plugged in, but may not be read and "
                       "written: it asks for no binding and its buttons do nothing. Install the "
                       "udev rule 70-harvoline-buzzers.rules as the README says, then plug the "
                       "receiver in again. ")
            .arg(DescribeDevice(device), QString::fromStdString(device.Interface().Path));
    if (!Game.Notes().contains(note)) {
        Game.AddNote(note);
    }
}

QString ReceiverWatch::DescribeDevice(HidDevice& device) {
    try {
        const QString product = device.ProductString();
        if (!product.isEmpty()) {
            return product;
        }
        return QStringLiteral("Device VID=%1 PID=%2")
            .arg(HexId(device.VendorId()), HexId(device.ProductId()));
    } catch (const std::exception&) {
        return {};
    }
}

} // namespace harvoline
