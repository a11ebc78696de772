#pragma once

#include <QString>
#include <array>
#include <cstdint>

namespace harvoline {

// Colours are kept as 0x00BBGGRR values, as the settings file stores the clock's.

// The answer board's choices 1 to 4: blue, orange, green and yellow.
inline constexpr std::array<std::uint32_t, 5> ChoiceColours = {0, 0xFF8000, 0x0080FF, 0x40FF00,
                                                               0x00FFFF};
// Each seat's colour, that of its built-in picture: blue, red, green and purple. A seat's
// gamepad lights its bar in it and its phone shows it, so players find their seat at a glance
// whatever they play with.
inline constexpr std::array<std::uint32_t, 5> SeatColours = {0, 0xE5881E, 0x3539E5, 0x47A043,
                                                             0xAA248E};

// As 0x00RRGGBB, the order devices take.
constexpr std::uint32_t RgbOf(std::uint32_t bgr) {
    return ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF);
}

// As "#rrggbb", the way a web page writes it.
inline QString HtmlColour(std::uint32_t bgr) {
    return QStringLiteral("#%1").arg(RgbOf(bgr), 6, 16, QLatin1Char('0'));
}

} // namespace harvoline
