// Buzzer receivers: finding them, binding their controllers to players, turning button
// presses into buzz-ins and answers, and the controllers' lamps.
#include "app/main_window.h"

#include <algorithm>

namespace harvoline {

namespace {

constexpr int ReceiverBufferCount = 128;

QString HexId(std::uint16_t id) {
    return QString::number(id, 16).toUpper().rightJustified(4, u'0');
}

void WriteLamps(HidDevice& device, const LampReportBytes& report) {
    std::size_t written = 0;
    device.WriteReport(report, written);
}

} // namespace

void TfrmMain::OnReceiversChanged() {
    try {
        std::vector<HidDevice*> claimed;
        HidDevice* device = nullptr;
        while (DeviceList->ClaimNext(device)) {
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

void TfrmMain::TakeReceiver(HidDevice& device) {
    device.SetInputBufferCount(ReceiverBufferCount);
    device.SetReaderBufferCount(ReceiverBufferCount);
    device.SetReportHandler(
        [this](HidDevice& sender, std::uint8_t reportId, const std::uint8_t* data,
               std::uint16_t size) { Guarded([&] { BuzzerData(sender, reportId, data, size); }); });
    // A wireless receiver stays silent until it is first written to.
    WriteLamps(device, AllLampsDark);

    const auto unplugged = std::ranges::find_if(
        Receivers, [](const BuzzerReceiver& receiver) { return !receiver.Device->IsPluggedIn(); });
    if (unplugged != Receivers.end()) {
        *unplugged = {&device, {}};
    } else {
        Receivers.push_back({&device, {}});
    }
    BuzzerPanel->show();
    BuzzLabel->SetCaption(BuzzerPrompt(1));
    Start->setEnabled(false);
    LoadPlaylist->setEnabled(false);
    AssignmentCursor = 1;
}

void TfrmMain::NoteUnusableReceiver(HidDevice& device) {
    const QString note =
        QStringLiteral("\nBuzzer receiver \"%1\" (%2) is plugged in, but may not be read and "
                       "written: it asks for no binding and its buttons do nothing. Install the "
                       "udev rule 70-harvoline-buzzers.rules as the README says, then plug the "
                       "receiver in again. ")
            .arg(DescribeDevice(device), QString::fromStdString(device.Interface().Path));
    if (!HelpNotes.contains(note)) {
        AddHelpNote(note);
    }
}

void TfrmMain::BuzzerData(HidDevice& HidDev, std::uint8_t, const std::uint8_t* Data,
                          std::uint16_t Size) {
    const auto receiver = std::ranges::find(Receivers, &HidDev, &BuzzerReceiver::Device);
    if (receiver == Receivers.end()) {
        return;
    }
    const std::optional<QString> key = receiver->Buttons.NewPress(std::span(Data, Size));
    if (!key) {
        return;
    }
    const auto number = static_cast<int>(receiver - Receivers.begin());
    if (IsShown(BuzzerPanel)) {
        BindController(number, *key);
    } else if (RedKeySlot(*key)) {
        RedButtonPressed(number, *key);
    } else {
        AnswerButtonPressed(number, *key);
    }
}

void TfrmMain::BindController(int receiver, const QString& key) {
    const std::optional<int> slot = RedKeySlot(key);
    if (!slot || SeatBoundTo(receiver, key) != 0) {
        return;
    }
    BuzzerAssignment[AssignmentCursor] = BindingFor(receiver, *slot);
    ++AssignmentCursor;
    if (AssignmentCursor > 4) {
        EndAssignment();
    } else {
        BuzzLabel->SetCaption(BuzzerPrompt(AssignmentCursor));
    }
}

void TfrmMain::RedButtonPressed(int receiver, const QString& key) {
    if (Start->text() != LanguageEntry(4)) {
        return;
    }
    const int seat = SeatBoundTo(receiver, key);
    if (seat == 0) {
        return;
    }
    if (CurrentPlayer == 99) {
        // Only the player who buzzed in last moves the game on.
        if (IsEnabledFlag(Start) && PlayerP[seat]->Color() == Red) {
            StartClick();
        }
    } else if (IsShown(PlayerP[seat])) {
        BuzzIn(seat);
    }
}

void TfrmMain::AnswerButtonPressed(int receiver, const QString& key) {
    if (CurrentPlayer < 1 || CurrentPlayer > 4) {
        return;
    }
    // A player without a controller has no answer keys, and no key is empty.
    const PlayerBuzzer& answering = BuzzerAssignment[CurrentPlayer];
    if (answering.Receiver != receiver) {
        return;
    }
    for (int choice = 1; choice <= 4; ++choice) {
        if (key == answering.AnswerKeys[choice - 1]) {
            if (IsEnabledFlag(AnswerButton[choice])) {
                SubmitAnswer(choice);
            }
            return;
        }
    }
}

int TfrmMain::SeatBoundTo(int receiver, const QString& redKey) const {
    for (int seat = 1; seat <= 4; ++seat) {
        const PlayerBuzzer& player = BuzzerAssignment[seat];
        if (player.Receiver == receiver && player.BuzzKey == redKey) {
            return seat;
        }
    }
    return 0;
}

void TfrmMain::NoMoreBuzzersClick() {
    EndAssignment();
}

void TfrmMain::EndAssignment() {
    BuzzerPanel->hide();
    UpdateStartEnabled();
    LoadPlaylist->setEnabled(true);
}

QString TfrmMain::DescribeDevice(HidDevice& device) {
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

void TfrmMain::LightPlayerLamp(int seat) {
    const PlayerBuzzer& player = BuzzerAssignment[seat];
    if (!player.BuzzKey.isEmpty()) {
        WriteLamps(*Receivers.at(player.Receiver).Device, player.LampReport);
    }
}

void TfrmMain::ClearLamps() {
    for (const BuzzerReceiver& receiver : Receivers) {
        WriteLamps(*receiver.Device, AllLampsDark);
    }
}

QString TfrmMain::BuzzerPrompt(int seat) const {
    const QString name = Spieler[seat]->Caption();
    const QString who = name.isEmpty() ? LanguageEntry(1) + QString::number(seat) : name;
    return QStringLiteral("Buzzer!\n") + who + QStringLiteral(", ") + LanguageEntry(32);
}

} // namespace harvoline
