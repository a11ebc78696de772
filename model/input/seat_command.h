#pragma once

#include <cstdint>

namespace harvoline {

// Where a command comes from; the rules that differ between sources look at it.
enum class CommandSource { Keyboard, ScreenButtons, Buzzer, Gamepad, Phone };

enum class SeatAction {
    // A seat claims the turn to answer.
    Buzz,
    // The answering seat picks one of the four answers.
    Choose,
    // Start: the next round, or a playlist when none runs.
    Proceed,
    // Esc: closes the text page, else ends the buzzer setup.
    Dismiss,
};

// What a player or the quiz master asks of the game, from any input.
struct SeatCommand {
    CommandSource Source = CommandSource::Keyboard;
    // The seat it comes from, 1 to 4; 0 when the source cannot tell.
    int Seat = 0;
    SeatAction Action = SeatAction::Buzz;
    // The answer, 1 to 4, for Choose.
    int Choice = 0;
    // When the press happened, on the press clock (PressClockUs); 0 when the source knows
    // no better than the moment the command reaches the game.
    std::int64_t PressedAtUs = 0;

    bool operator==(const SeatCommand&) const = default;
};

} // namespace harvoline
