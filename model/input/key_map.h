#pragma once

#include "model/input/seat_command.h"

#include <QtCore/qnamespace.h>
#include <optional>

namespace harvoline {

// The command a key pressed on the window gives: Q, Y, M and P buzz for seats 1 to 4, the
// digits 1 to 4 choose an answer, Enter is Start and Esc dismisses. The letters and digits
// act without modifiers only (the keypad's digits count), and a key held down repeats
// nothing. Nothing for any other key.
std::optional<SeatCommand> CommandForKey(int key, Qt::KeyboardModifiers modifiers, bool autoRepeat);

} // namespace harvoline
