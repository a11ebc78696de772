#pragma once

#include <QString>

namespace harvoline {

// Shifts every character of code 32..122 by a number from a generator started afresh
// from a fixed seed; direction +1 scrambles, -1 unscrambles. Other characters stay.
QString ScrambleLine(const QString& text, int direction);

} // namespace harvoline
