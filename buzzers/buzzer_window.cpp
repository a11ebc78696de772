// Buzzer receivers: finding them, binding their controllers to players, turning button
// presses into buzz-ins and answers, and the controllers' lamps.
#include "app/main_window.h"

namespace harvoline {

namespace {

constexpr int ReceiverBufferCount = 128;

QString HexId(std::uint16_t id) {
    return QString::number(id, 16).toUpper().rightJustified(4, u'0');
}

void WriteLamps(TJvHidDevice& device, const LampReportBytes& report) {
    std::size_t written = 0;
    device.WriteReport(report, written);
}

} // namespace

void TfrmMain::HidCtlDeviceChange() {
    try {
        std::vector<TJvHidDevice*> claimed;
        TJvHidDevice* device = nullptr;
        while (HidCtl->ClaimNext(device)) {
            claimed.push_back(device);
        }
        for (TJvHidDevice* candidate : claimed) {
            if (!IsReceiverDescription(DescribeDevice(*candidate))) {
                continue;
            }
            BuzzerDevice = candidate;
            candidate->SetInputBufferCount(ReceiverBufferCount);
            candidate->SetReaderBufferCount(ReceiverBufferCount);
            candidate->SetDataHandler([this](TJvHidDevice& hidDev, std::uint8_t reportId,
                                             const std::uint8_t* data, std::uint16_t size) {
                Guarded([&] { BuzzerData(hidDev, reportId, data, size); });
            });
            // A wireless receiver stays silent until it is first written to.
            WriteLamps(*candidate, AllLampsDark);
            BuzzerPanel->show();
            BuzzLabel->SetCaption(BuzzerPrompt(1));
            Start->setEnabled(false);
            LoadPlaylist->setEnabled(false);
            AssignmentCursor = 1;
        }
    } catch (const std::exception&) {
        // Without a receiver the game goes on with keys and screen buttons.
        BuzzerDevice = nullptr;
    }
}

void TfrmMain::BuzzerData(TJvHidDevice&, std::uint8_t, const std::uint8_t* Data,
                          std::uint16_t Size) {
    const std::optional<QString> key = ButtonKey(std::span(Data, Size));
    if (!key) {
        return;
    }
    const std::optional<int> redSlot = RedKeySlot(*key);
    const auto boundTo = [this](const QString& buzzKey) {
        for (int seat = 1; seat <= 4; ++seat) {
            if (BuzzerAssignment[seat].BuzzKey == buzzKey) {
                return seat;
            }
        }
        return 0;
    };

    if (IsShown(BuzzerPanel)) {
        if (!redSlot || boundTo(*key) != 0) {
            return;
        }
        BuzzerAssignment[AssignmentCursor] = BindingFor(*redSlot);
        ++AssignmentCursor;
        if (AssignmentCursor > 4) {
            EndAssignment();
        } else {
            BuzzLabel->SetCaption(BuzzerPrompt(AssignmentCursor));
        }
        return;
    }

    if (redSlot) {
        if (Start->text() != LanguageEntry(4)) {
            return;
        }
        const int seat = boundTo(*key);
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
        return;
    }

    if (CurrentPlayer < 1 || CurrentPlayer > 4) {
        return;
    }
    // A player without a controller has no answer keys, and no key is empty.
    const PlayerBuzzer& answering = BuzzerAssignment[CurrentPlayer];
    for (int choice = 1; choice <= 4; ++choice) {
        if (*key == answering.AnswerKeys[choice - 1]) {
            if (IsEnabledFlag(AnswerButton[choice])) {
                SubmitAnswer(choice);
            }
            return;
        }
    }
}

void TfrmMain::NoMoreBuzzersClick() {
    EndAssignment();
}

void TfrmMain::EndAssignment() {
    BuzzerPanel->hide();
    // A receiver plugged in while a player answers: Start would start a new round under the
    // running answer window, whose end then has nobody to charge. The answer's end enables
    // Start itself.
    const bool answering = CurrentPlayer >= 1 && CurrentPlayer <= 4;
    Start->setEnabled(!answering);
    LoadPlaylist->setEnabled(true);
}

QString TfrmMain::DescribeDevice(TJvHidDevice& device) {
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
    if (!player.BuzzKey.isEmpty() && BuzzerDevice != nullptr) {
        WriteLamps(*BuzzerDevice, player.LampReport);
    }
}

void TfrmMain::ClearLamps() {
    if (BuzzerDevice != nullptr) {
        WriteLamps(*BuzzerDevice, AllLampsDark);
    }
}

QString TfrmMain::BuzzerPrompt(int seat) const {
    const QString name = Spieler[seat]->Caption();
    const QString who = name.isEmpty() ? LanguageEntry(1) + QString::number(seat) : name;
    return QStringLiteral("Buzzer!\n") + who + QStringLiteral(", ") + LanguageEntry(32);
}

} // namespace harvoline
