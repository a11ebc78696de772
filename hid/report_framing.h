#pragma once

#include "hid/hid_platform.h"

#include <functional>

namespace harvoline {

// Reads one input report into report as [report ID, data...]. read takes the bytes as the
// device delivers them (with the report ID only when the device numbers its reports) and
// returns their count, 0 when none came, or -1 with errno set on failure.
HidReadResult FramedRead(std::span<std::uint8_t> report, bool numbered,
                         const std::function<long(std::span<std::uint8_t>)>& read);

} // namespace harvoline
