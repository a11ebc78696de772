#pragma once

#include <cstdint>

namespace harvoline {

// The clock presses are timed on, in microseconds: steady, shared by every thread, so a
// reader thread can stamp a press where it first sees it.
std::int64_t PressClockUs();

} // namespace harvoline
