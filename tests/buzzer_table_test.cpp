// The controller table, button keys, new presses and receiver names, without a window.
#include "model/input/controller_table.h"
#include "model/input/receiver_buttons.h"

#include <gtest/gtest.h>

using namespace harvoline;

namespace {

// Read as one 20-bit field, slot k owns bits 5k to 5k+4: red, D, C, B, A. The upper half of
// the third byte reads F in every key.
std::string LayoutKey(int slot, int button) {
    const std::uint32_t field = 1u << (5 * slot + button);
    char text[9];
    std::snprintf(text, sizeof text, "%02X %02X %02X", field & 0xFF, (field >> 8) & 0xFF,
                  0xF0 | ((field >> 16) & 0x0F));
    return text;
}

constexpr int RedBit = 0;
// Bit of answer A, B, C, D within a slot.
constexpr int AnswerBit[4] = {4, 3, 2, 1};

std::string Text(QLatin1String key) {
    return std::string(key.data(), key.size());
}

} // namespace

TEST(ControllerTable, FollowsTheTwentyBitLayout) {
    for (int slot = 0; slot < 4; ++slot) {
        const ControllerSlot& row = ControllerTable[slot];
        EXPECT_EQ(Text(row.RedKey), LayoutKey(slot, RedBit)) << "slot " << slot;
        for (int answer = 0; answer < 4; ++answer) {
            EXPECT_EQ(Text(row.AnswerKeys[answer]), LayoutKey(slot, AnswerBit[answer]))
                << "slot " << slot << " answer " << answer;
        }
        LampReportBytes lamp{};
        lamp[2 + slot] = 0xFF;
        EXPECT_EQ(row.LampReport, lamp) << "slot " << slot;
    }
}

TEST(ControllerTable, RedKeysNameTheirSlotAndNothingElseDoes) {
    for (int slot = 0; slot < 4; ++slot) {
        EXPECT_EQ(RedKeySlot(ControllerTable[slot].RedKey), slot);
        for (const QLatin1String answer : ControllerTable[slot].AnswerKeys) {
            EXPECT_EQ(RedKeySlot(answer), std::nullopt) << Text(answer);
        }
        const ControllerBinding bound = BindingFor(1, slot);
        EXPECT_EQ(bound.Receiver, 1);
        EXPECT_EQ(bound.BuzzKey, ControllerTable[slot].RedKey);
        EXPECT_EQ(bound.AnswerKeys[1], ControllerTable[slot].AnswerKeys[1]);
        EXPECT_EQ(bound.LampReport, ControllerTable[slot].LampReport);
    }
    // A release, two red buttons held together, a lower-case spelling.
    for (const char* key : {"00 00 F0", "21 00 F0", "01 00 f0", ""}) {
        EXPECT_EQ(RedKeySlot(QString::fromLatin1(key)), std::nullopt) << key;
    }
}

TEST(ButtonKey, IsDataBytesTwoToFourInUpperCaseHex) {
    struct Case {
        std::vector<std::uint8_t> Data;
        std::optional<QString> Key;
    };
    const Case cases[] = {
        {{0x7F, 0x7F, 0x01, 0x00, 0xF0}, QStringLiteral("01 00 F0")},
        {{0x00, 0x00, 0xab, 0x0c, 0xF8}, QStringLiteral("AB 0C F8")},
        // Bytes after the fifth do not count.
        {{0x7F, 0x7F, 0x00, 0x80, 0xF0, 0x55, 0x66}, QStringLiteral("00 80 F0")},
        {{0x7F, 0x7F, 0x01, 0x00}, std::nullopt},
        {{}, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ButtonKey(c.Data), c.Key) << c.Data.size() << " bytes";
    }
}

TEST(ReceiverDescription, HoldsBuzzWhateverTheLetterCase) {
    const std::pair<const char*, bool> cases[] = {
        {"Buzz Controller", true},
        {"wireless buzz", true},
        {"XBUZZY", true},
        {"Device VID=054C PID=1000", false},
        {"", false},
        {"Bu zz", false},
        {"BUZ", false},
    };
    for (const auto& [description, receiver] : cases) {
        EXPECT_EQ(IsReceiverDescription(QString::fromUtf8(description)), receiver) << description;
    }
}

TEST(ReceiverButtons, OnlyAButtonPressedAloneSinceThePreviousReportCounts) {
    const auto report = [](std::uint8_t b2, std::uint8_t b3, std::uint8_t b4) {
        return std::vector<std::uint8_t>{0x7F, 0x7F, b2, b3, b4};
    };
    struct Step {
        const char* What;
        std::vector<std::uint8_t> Data;
        std::optional<QString> Press;
    };
    // One receiver's reports in turn.
    const Step steps[] = {
        {"red 1 pressed", report(0x01, 0x00, 0xF0), QStringLiteral("01 00 F0")},
        {"red 1 still held", report(0x01, 0x00, 0xF0), std::nullopt},
        {"slot 4's A pressed while red 1 is held", report(0x01, 0x00, 0xF8),
         QStringLiteral("00 00 F8")},
        {"too short: no change", {0x7F, 0x7F, 0x00, 0x00}, std::nullopt},
        {"red 1 let go", report(0x00, 0x00, 0xF8), std::nullopt},
        {"red 2 and red 3 pressed together", report(0x20, 0x04, 0xF8), std::nullopt},
        {"red 2 let go", report(0x00, 0x04, 0xF8), std::nullopt},
        {"red 2 pressed again", report(0x20, 0x04, 0xF8), QStringLiteral("20 00 F0")},
        {"all let go", report(0x00, 0x00, 0xF0), std::nullopt},
        {"the upper half of the last byte stays as sent", report(0x00, 0x80, 0x70),
         QStringLiteral("00 80 70")},
    };
    ReceiverButtons buttons;
    for (const Step& step : steps) {
        EXPECT_EQ(buttons.NewPress(step.Data), step.Press) << step.What;
    }
}
