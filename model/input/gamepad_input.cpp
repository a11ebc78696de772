#include "model/input/gamepad_input.h"

#include "model/game/colours.h"

#include "model/game/quiz_game.h"

#include <algorithm>

namespace harvoline {

GamepadInput::GamepadInput(const QuizGame& game, QObject* parent) : SeatInput(parent), Game(game) {
    connect(&Game, &QuizGame::PhaseChanged, this, &GamepadInput::RumbleForTurn);
}

void GamepadInput::OnPadArrived(const PadArrival& arrival) {
    Pad pad{arrival.Pad, arrival.Identity};
    // Two pads of one type without serial numbers or places look alike: the second is told
    // apart for the evening by its order.
    for (int twin = 2; std::ranges::find(Present, pad.Identity, &Pad::Identity) != Present.end();
         ++twin) {
        pad.Identity = arrival.Identity + QStringLiteral("#%1").arg(twin);
    }
    Present.push_back(pad);
    const int seat = SeatOfPad(pad.Id);
    if (seat != 0) {
        ShowSeat(pad, seat);
    } else if (pad.Identity != QuizMasterPad) {
        Binding = true;
    }
    FollowSetup();
}

void GamepadInput::OnPadRemoved(int pad) {
    std::erase_if(Present, [pad](const Pad& present) { return present.Id == pad; });
    FollowSetup();
}

void GamepadInput::OnPadPressed(int id, PadButton button, std::int64_t pressedAtUs) {
    const Pad* pad = Find(id);
    if (!pad) {
        return;
    }
    const int seat = SeatOfPad(id);
    if (seat == 0 && !IsQuizMastersPad(id)) {
        if (Binding) {
            Bind(*pad, button);
        }
        return;
    }
    std::optional<SeatCommand> command =
        PadCommand(button, seat, Game.Phase(), Game.AnsweringSeat());
    if (command) {
        command->PressedAtUs = pressedAtUs;
        emit CommandGiven(*command);
    }
}

int GamepadInput::SeatToBind() const {
    int seat = 1;
    while (seat <= 4 && SeatHasPad(seat)) {
        ++seat;
    }
    return seat;
}

void GamepadInput::EndSetup() {
    Binding = false;
    emit SetupChanged();
}

int GamepadInput::SeatOfPad(int id) const {
    const Pad* pad = Find(id);
    if (!pad) {
        return 0;
    }
    const auto seat = std::ranges::find(SeatPads, pad->Identity);
    return seat == SeatPads.end() ? 0 : static_cast<int>(seat - SeatPads.begin());
}

bool GamepadInput::IsQuizMastersPad(int id) const {
    const Pad* pad = Find(id);
    return pad && pad->Identity == QuizMasterPad;
}

const GamepadInput::Pad* GamepadInput::Find(int id) const {
    const auto pad = std::ranges::find(Present, id, &Pad::Id);
    return pad == Present.end() ? nullptr : &*pad;
}

bool GamepadInput::SeatHasPad(int seat) const {
    return !SeatPads[seat].isEmpty() &&
           std::ranges::find(Present, SeatPads[seat], &Pad::Identity) != Present.end();
}

bool GamepadInput::UnboundPadPresent() const {
    return std::ranges::any_of(Present, [this](const Pad& pad) {
        return SeatOfPad(pad.Id) == 0 && pad.Identity != QuizMasterPad;
    });
}

// Start claims the pad for the quiz master; any other button for the seat asked. A seat
// whose pad is away takes the new one, and forgets the old.
void GamepadInput::Bind(const Pad& pad, PadButton button) {
    int seat = 0;
    if (button == PadButton::Start) {
        QuizMasterPad = pad.Identity;
    } else {
        seat = SeatToBind();
        SeatPads.at(seat) = pad.Identity;
    }
    ShowSeat(pad, seat);
    FollowSetup();
}

// The setup asks while a pad without a seat and a seat without a pad are both there.
void GamepadInput::FollowSetup() {
    if (!Binding) {
        return;
    }
    if (SeatToBind() > 4 || !UnboundPadPresent()) {
        EndSetup();
    } else {
        emit SetupChanged();
    }
}

void GamepadInput::ShowSeat(const Pad& pad, int seat) {
    if (Output) {
        Output->ShowSeat(pad.Id, seat, seat == 0 ? 0xFFFFFF : RgbOf(SeatColours.at(seat)));
    }
}

void GamepadInput::RumbleForTurn() {
    const int seat = Game.Phase() == RoundPhase::Answering ? Game.AnsweringSeat() : 0;
    if (seat != 0 && seat != RumbledSeat && Output) {
        for (const Pad& pad : Present) {
            if (SeatOfPad(pad.Id) == seat) {
                Output->Rumble(pad.Id, TurnRumbleMs);
            }
        }
    }
    RumbledSeat = seat;
}

} // namespace harvoline
