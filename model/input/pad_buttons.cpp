#include "model/input/pad_buttons.h"

namespace harvoline {

int PadChoice(PadButton button) {
    switch (button) {
    case PadButton::West:
    case PadButton::DpadUp:
        return 1;
    case PadButton::East:
    case PadButton::DpadRight:
        return 2;
    case PadButton::South:
    case PadButton::DpadDown:
        return 3;
    case PadButton::North:
    case PadButton::DpadLeft:
        return 4;
    default:
        return 0;
    }
}

std::optional<SeatCommand> PadCommand(PadButton button, int seat, RoundPhase phase,
                                      int answeringSeat) {
    const bool start = button == PadButton::Start;
    if (seat == 0) {
        return start ? std::optional(SeatCommand{CommandSource::Gamepad, 0, SeatAction::Proceed})
                     : std::nullopt;
    }
    switch (phase) {
    case RoundPhase::Open:
        return SeatCommand{CommandSource::Gamepad, seat, SeatAction::Buzz};
    case RoundPhase::Answering:
        if (seat == answeringSeat && PadChoice(button) != 0) {
            return SeatCommand{CommandSource::Gamepad, seat, SeatAction::Choose, PadChoice(button)};
        }
        return std::nullopt;
    case RoundPhase::Closed:
        break;
    }
    return start ? std::optional(SeatCommand{CommandSource::Gamepad, seat, SeatAction::Proceed})
                 : std::nullopt;
}

} // namespace harvoline
