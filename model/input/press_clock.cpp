#include "model/input/press_clock.h"

#include <chrono>

namespace harvoline {

std::int64_t PressClockUs() {
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace harvoline
