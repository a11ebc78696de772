#pragma once

#include <QLatin1String>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace harvoline {

using LampReportBytes = std::array<std::uint8_t, 8>;

// One of a receiver's four controllers. Keys are data bytes 2 to 4 of an input report in
// hexadecimal; read as one 20-bit field, slot k owns bits 5k to 5k+4: red, then D, C, B, A.
// The lamp report goes out unchanged, report ID 0 first; bytes 2 to 5 are the four lamps.
struct ControllerSlot {
    QLatin1String RedKey;
    std::array<QLatin1String, 4> AnswerKeys; // A, B, C, D
    LampReportBytes LampReport;
};

inline const std::array<ControllerSlot, 4> ControllerTable = {{
    {QLatin1String("01 00 F0"),
     {QLatin1String("10 00 F0"), QLatin1String("08 00 F0"), QLatin1String("04 00 F0"),
      QLatin1String("02 00 F0")},
     {0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x00}},
    {QLatin1String("20 00 F0"),
     {QLatin1String("00 02 F0"), QLatin1String("00 01 F0"), QLatin1String("80 00 F0"),
      QLatin1String("40 00 F0")},
     {0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00}},
    {QLatin1String("00 04 F0"),
     {QLatin1String("00 40 F0"), QLatin1String("00 20 F0"), QLatin1String("00 10 F0"),
      QLatin1String("00 08 F0")},
     {0x00, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00}},
    {QLatin1String("00 80 F0"),
     {QLatin1String("00 00 F8"), QLatin1String("00 00 F4"), QLatin1String("00 00 F2"),
      QLatin1String("00 00 F1")},
     {0x00, 0x00, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00}},
}};

inline constexpr LampReportBytes AllLampsDark{};

// The controller a seat is bound to. An empty BuzzKey means none.
struct ControllerBinding {
    // The receiver it belongs to, as the buzzer input numbers its receivers.
    int Receiver = 0;
    QString BuzzKey;
    std::array<QString, 4> AnswerKeys; // A, B, C, D
    LampReportBytes LampReport{};
};

// "01 00 F0" from the data bytes after the report ID; nothing when the report is too short
// to carry the buttons. A release or two buttons held together give keys in no slot.
std::optional<QString> ButtonKey(std::span<const std::uint8_t> data);
// The slot, 0 to 3, whose red button the key is.
std::optional<int> RedKeySlot(const QString& key);
// The record a red key binds: the receiver and the key with its slot's answer keys and lamp.
ControllerBinding BindingFor(int receiver, int slot);
// Receivers name themselves with "buzz" somewhere in their description, in any case.
bool IsReceiverDescription(const QString& description);

} // namespace harvoline
