#pragma once

#include <QColor>
#include <cstdint>

namespace harvoline {

// Colours are kept as 0x00BBGGRR values.
QColor ColorFromValue(std::uint32_t bgr);

constexpr std::uint32_t Red = 0x0000FF;
constexpr std::uint32_t Yellow = 0x00FFFF;
constexpr std::uint32_t Lime = 0x00FF00;
constexpr std::uint32_t MoneyGreen = 0xC0DCC0;
constexpr std::uint32_t Gray = 0x808080;

} // namespace harvoline
