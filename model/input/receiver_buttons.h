#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <span>

namespace harvoline {

// A receiver's reports carry every button held on its four controllers. Only a button
// pressed since the receiver's previous report counts, so that a thumb resting on a
// button blocks nobody else.
class ReceiverButtons {
  public:
    // Takes the data bytes of the receiver's next report (after the report ID). Gives the
    // key of the one button newly pressed, as if it were held alone; nothing when no
    // button or several were newly pressed, or the report is too short to carry them.
    std::optional<QString> NewPress(std::span<const std::uint8_t> data);

  private:
    // The 20 button bits of the previous report.
    std::uint32_t Held = 0;
};

} // namespace harvoline
