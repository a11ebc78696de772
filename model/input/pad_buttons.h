#pragma once

#include "model/game/round_phase.h"
#include "model/input/seat_command.h"

#include <optional>

namespace harvoline {

// A gamepad's buttons by their place on the pad, not by what is printed on them: South is
// the lower face button whether it reads A, Cross or B. The order is the one of SDL's game
// controller buttons, so the gamepad layer hands its numbers over unchanged.
enum class PadButton {
    South,
    East,
    West,
    North,
    Back,
    Guide,
    Start,
    LeftStick,
    RightStick,
    LeftShoulder,
    RightShoulder,
    DpadUp,
    DpadDown,
    DpadLeft,
    DpadRight,
    Misc,
    RightPaddle1,
    LeftPaddle1,
    RightPaddle2,
    LeftPaddle2,
    Touchpad,
};

// The answer a button chooses, 1 to 4, or 0. By place the face buttons of an Xbox pad show
// the answer colours in their order: west (blue X) 1, east (red B) 2, south (green A) 3,
// north (yellow Y) 4; the D-pad goes round from the top: up 1, right 2, down 3, left 4.
int PadChoice(PadButton button);

// What a newly pressed button asks for. A seat's pad buzzes with any button while the round
// is open; while its seat answers, the face buttons and the D-pad choose; in a closed round
// Start goes on to the next one, as a receiver's red button does. The quiz master's pad,
// seat 0, only has Start, which acts as the Start key. Nothing for anything else.
std::optional<SeatCommand> PadCommand(PadButton button, int seat, RoundPhase phase,
                                      int answeringSeat);

} // namespace harvoline
