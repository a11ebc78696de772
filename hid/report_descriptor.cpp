#include "hid/report_descriptor.h"

#include <algorithm>
#include <map>
#include <vector>

namespace harvoline {

namespace {

// The kernel refuses devices with longer reports (HID_MAX_BUFFER_SIZE).
constexpr std::uint64_t MaxReportBits = 16384 * 8;

enum ItemType : std::uint8_t { Main = 0, Global = 1, Local = 2 };

// The report descriptor item tags that matter for report lengths.
constexpr std::uint8_t InputTag = 0x8;
constexpr std::uint8_t ReportSizeTag = 0x7;
constexpr std::uint8_t ReportIdTag = 0x8;
constexpr std::uint8_t ReportCountTag = 0x9;
constexpr std::uint8_t PushTag = 0xA;
constexpr std::uint8_t PopTag = 0xB;
constexpr std::uint8_t LongItemPrefix = 0xFE;

struct GlobalState {
    std::uint64_t ReportSize = 0;
    std::uint64_t ReportCount = 0;
    std::uint8_t ReportId = 0;
};

std::uint32_t LittleEndian(std::span<const std::uint8_t> bytes) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        value |= static_cast<std::uint32_t>(bytes[i]) << (8 * i);
    }
    return value;
}

} // namespace

HidReportLayout ParseReportDescriptor(std::span<const std::uint8_t> descriptor) {
    HidReportLayout layout;
    GlobalState state;
    std::vector<GlobalState> pushed;
    std::map<std::uint8_t, std::uint64_t> inputBits;

    std::size_t pos = 0;
    while (pos < descriptor.size()) {
        const std::uint8_t prefix = descriptor[pos];
        if (prefix == LongItemPrefix) {
            if (pos + 1 >= descriptor.size()) {
                break;
            }
            pos += 3 + descriptor[pos + 1];
            continue;
        }
        const std::size_t dataSize = (prefix & 0x3) == 3 ? 4 : prefix & 0x3;
        if (pos + 1 + dataSize > descriptor.size()) {
            break;
        }
        const std::uint32_t value = LittleEndian(descriptor.subspan(pos + 1, dataSize));
        const auto type = static_cast<std::uint8_t>((prefix >> 2) & 0x3);
        const auto tag = static_cast<std::uint8_t>(prefix >> 4);
        pos += 1 + dataSize;

        if (type == Global) {
            switch (tag) {
            case ReportSizeTag:
                state.ReportSize = value;
                break;
            case ReportCountTag:
                state.ReportCount = value;
                break;
            case ReportIdTag:
                state.ReportId = static_cast<std::uint8_t>(value);
                layout.Numbered = true;
                break;
            case PushTag:
                pushed.push_back(state);
                break;
            case PopTag:
                if (!pushed.empty()) {
                    state = pushed.back();
                    pushed.pop_back();
                }
                break;
            default:
                break;
            }
        } else if (type == Main && tag == InputTag) {
            std::uint64_t& bits = inputBits[state.ReportId];
            bits = std::min(bits + std::min(state.ReportSize * state.ReportCount, MaxReportBits),
                            MaxReportBits);
        }
    }

    for (const auto& [id, bits] : inputBits) {
        layout.InputReportLength =
            std::max<std::size_t>(layout.InputReportLength, (bits + 7) / 8 + 1);
    }
    return layout;
}

} // namespace harvoline
