#include "model/input/receiver_buttons.h"

#include "model/input/controller_table.h"

#include <array>
#include <bit>
#include <utility>

namespace harvoline {

namespace {

// Data bytes 2 and 3 and the lower half of byte 4 hold the buttons; the upper half of byte
// 4 stays in the key as the report gave it.
constexpr std::uint32_t ButtonsOfLastByte = 0x0F;

std::uint32_t ButtonBits(std::span<const std::uint8_t> data) {
    return std::uint32_t{data[2]} | std::uint32_t{data[3]} << 8 |
           (std::uint32_t{data[4]} & ButtonsOfLastByte) << 16;
}

} // namespace

std::optional<QString> ReceiverButtons::NewPress(std::span<const std::uint8_t> data) {
    if (data.size() < 5) {
        return std::nullopt;
    }
    const std::uint32_t held = ButtonBits(data);
    const std::uint32_t pressed = held & ~std::exchange(Held, held);
    if (std::popcount(pressed) != 1) {
        return std::nullopt;
    }
    const std::array<std::uint8_t, 5> alone = {
        data[0], data[1], static_cast<std::uint8_t>(pressed & 0xFF),
        static_cast<std::uint8_t>(pressed >> 8 & 0xFF),
        static_cast<std::uint8_t>((data[4] & ~ButtonsOfLastByte) | pressed >> 16)};
    return ButtonKey(alone);
}

} // namespace harvoline
