#include "model/input/buzzer_input.h"

#include "model/game/quiz_game.h"

#include <algorithm>

namespace harvoline {

BuzzerInput::BuzzerInput(const QuizGame& game, QObject* parent) : SeatInput(parent), Game(game) {}

void BuzzerInput::TakeReceiver(BuzzerReceiver& receiver) {
    // A wireless receiver stays silent until it is first written to.
    receiver.WriteLamps(AllLampsDark);
    const auto unplugged = std::ranges::find_if(
        InUse, [](const Receiver& used) { return !used.Device->IsPluggedIn(); });
    if (unplugged != InUse.end()) {
        *unplugged = {&receiver, {}};
    } else {
        InUse.push_back({&receiver, {}});
    }
    Binding = true;
    NextSeat = 1;
    emit SetupChanged();
}

std::vector<BuzzerReceiver*> BuzzerInput::Receivers() const {
    std::vector<BuzzerReceiver*> receivers;
    for (const Receiver& used : InUse) {
        receivers.push_back(used.Device);
    }
    return receivers;
}

void BuzzerInput::OnReceiverReport(const BuzzerReceiver& from, std::span<const std::uint8_t> data) {
    const auto receiver = std::ranges::find(InUse, &from, &Receiver::Device);
    if (receiver == InUse.end()) {
        return;
    }
    const std::optional<QString> key = receiver->Buttons.NewPress(data);
    if (!key) {
        return;
    }
    const auto number = static_cast<int>(receiver - InUse.begin());
    if (Binding) {
        Bind(number, *key);
    } else if (RedKeySlot(*key)) {
        // In a closed round the red button is the player's Start.
        Give(SeatOfRedKey(number, *key),
             Game.Phase() == RoundPhase::Closed ? SeatAction::Proceed : SeatAction::Buzz);
    } else {
        int choice = 0;
        const int seat = SeatOfAnswerKey(number, *key, choice);
        Give(seat, SeatAction::Choose, choice);
    }
}

void BuzzerInput::Give(int seat, SeatAction action, int choice) {
    if (seat != 0) {
        emit CommandGiven({CommandSource::Buzzer, seat, action, choice});
    }
}

void BuzzerInput::Bind(int receiver, const QString& key) {
    const std::optional<int> slot = RedKeySlot(key);
    if (!slot || SeatOfRedKey(receiver, key) != 0) {
        return;
    }
    Bindings[NextSeat] = BindingFor(receiver, *slot);
    ++NextSeat;
    if (NextSeat > 4) {
        EndSetup();
    } else {
        emit SetupChanged();
    }
}

void BuzzerInput::EndSetup() {
    Binding = false;
    emit SetupChanged();
}

int BuzzerInput::SeatOfRedKey(int receiver, const QString& key) const {
    for (int seat = 1; seat <= 4; ++seat) {
        const ControllerBinding& bound = Bindings[seat];
        if (bound.Receiver == receiver && bound.BuzzKey == key) {
            return seat;
        }
    }
    return 0;
}

int BuzzerInput::SeatOfAnswerKey(int receiver, const QString& key, int& choice) const {
    // A seat without a controller has no answer keys, and no key is empty.
    for (int seat = 1; seat <= 4; ++seat) {
        const ControllerBinding& bound = Bindings[seat];
        if (bound.Receiver != receiver || bound.BuzzKey.isEmpty()) {
            continue;
        }
        for (int answer = 1; answer <= 4; ++answer) {
            if (key == bound.AnswerKeys[answer - 1]) {
                choice = answer;
                return seat;
            }
        }
    }
    return 0;
}

void BuzzerInput::LightSeat(int seat) {
    const ControllerBinding& bound = Bindings.at(seat);
    if (!bound.BuzzKey.isEmpty()) {
        InUse.at(bound.Receiver).Device->WriteLamps(bound.LampReport);
    }
}

void BuzzerInput::ClearAll() {
    for (const Receiver& used : InUse) {
        used.Device->WriteLamps(AllLampsDark);
    }
}

} // namespace harvoline
