// Report descriptors and the framing of read reports.
#include "hid/report_descriptor.h"
#include "hid/report_framing.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <vector>

using namespace harvoline;

namespace {

using Bytes = std::vector<std::uint8_t>;

// Descriptors laid out one item group a line.
// clang-format off

// A buzzer receiver's kind of report: two axes, 20 buttons and 4 constant bits in, and a
// 7-byte lamp report out, without report IDs.
const Bytes BuzzReceiver = {
    0x05, 0x01, 0x09, 0x04, 0xA1, 0x01,       // Generic desktop, joystick, application
    0xA1, 0x02,                               // logical collection
    0x75, 0x08, 0x95, 0x02, 0x15, 0x00, 0x26, 0xFF, 0x00, 0x09, 0x30, 0x09, 0x31,
    0x81, 0x02,                               // 2 x 8 bits in
    0x75, 0x01, 0x95, 0x14, 0x25, 0x01, 0x05, 0x09, 0x19, 0x01, 0x29, 0x14,
    0x81, 0x02,                               // 20 x 1 bit in
    0x06, 0x00, 0xFF, 0x09, 0x01, 0x95, 0x04,
    0x81, 0x01,                               // 4 x 1 bit in
    0x75, 0x08, 0x95, 0x07, 0x09, 0x01, 0x91, 0x02, // 7 x 8 bits out
    0xC0, 0xC0};

const Bytes NumberedReports = {
    0x05, 0x01, 0x09, 0x06, 0xA1, 0x01,
    0x85, 0x01, 0x75, 0x08, 0x95, 0x03, 0x81, 0x02, // report 1: 3 bytes in
    0x85, 0x02, 0x75, 0x10, 0x95, 0x04, 0x81, 0x02, // report 2: 8 bytes in
    0x85, 0x03, 0x75, 0x08, 0x95, 0x20, 0x91, 0x02, // report 3: 32 bytes out
    0xC0};

// Push keeps the report size and count, so the second input is 4 x 8 bits again.
const Bytes PushAndPop = {0x75, 0x08, 0x95, 0x04, 0xA4, 0x75, 0x10, 0x95, 0x0A,
                          0x81, 0x02, 0xB4, 0x81, 0x02};

const Bytes LongItemSkipped = {0xFE, 0x02, 0x10, 0x81, 0x02, 0x75, 0x08, 0x95, 0x01, 0x81, 0x02};

const Bytes TruncatedItem = {0x75, 0x08, 0x95, 0x03, 0x81, 0x02, 0x26, 0xFF};

// 4294967295 x 4294967295 bits would overflow anything but the kernel's limit.
const Bytes HugeReport = {0x77, 0xFF, 0xFF, 0xFF, 0xFF, 0x97, 0xFF, 0xFF, 0xFF, 0xFF,
                          0x81, 0x02, 0x81, 0x02};

const Bytes OutputOnly = {0x75, 0x08, 0x95, 0x08, 0x91, 0x02};

// clang-format on

} // namespace

TEST(HidReportDescriptor, GivesTheLongestInputReportAndWhetherReportsAreNumbered) {
    struct Case {
        const char* Name;
        Bytes Descriptor;
        std::size_t InputReportLength;
        bool Numbered;
    };
    const Case cases[] = {
        {"buzz receiver", BuzzReceiver, 6, false},   {"numbered reports", NumberedReports, 9, true},
        {"push and pop", PushAndPop, 25, false},     {"long item", LongItemSkipped, 2, false},
        {"truncated item", TruncatedItem, 4, false}, {"huge report", HugeReport, 16385, false},
        {"output only", OutputOnly, 0, false},       {"empty", {}, 0, false},
    };
    for (const Case& c : cases) {
        const HidReportLayout layout = ParseReportDescriptor(c.Descriptor);
        EXPECT_EQ(layout.InputReportLength, c.InputReportLength) << c.Name;
        EXPECT_EQ(layout.Numbered, c.Numbered) << c.Name;
    }
}

TEST(HidReportFraming, PutsTheReportIdInFrontOfEveryReport) {
    struct Case {
        const char* Name;
        bool Numbered;
        Bytes Delivered; // what the device hands over
        long Result;     // what the read returns
        int Errno;
        HidReadResult Expected;
        Bytes Report;
    };
    const Case cases[] = {
        {"unnumbered",
         false,
         {0x7F, 0x7F, 0x01, 0x00, 0xF0},
         5,
         0,
         {6, 0},
         {0x00, 0x7F, 0x7F, 0x01, 0x00, 0xF0}},
        {"numbered", true, {0x02, 0xAA, 0xBB}, 3, 0, {3, 0}, {0x02, 0xAA, 0xBB, 0, 0, 0}},
        {"nothing came", false, {}, 0, 0, {0, 0}, {0, 0, 0, 0, 0, 0}},
        {"failed", false, {}, -1, ENODEV, {0, ENODEV}, {0, 0, 0, 0, 0, 0}},
        {"failed without a reason", true, {}, -1, 0, {0, EIO}, {0, 0, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        Bytes report(6, 0);
        std::size_t offered = 0;
        const HidReadResult result =
            FramedRead(report, c.Numbered, [&](std::span<std::uint8_t> target) {
                offered = target.size();
                std::ranges::copy(c.Delivered, target.begin());
                errno = c.Errno;
                return c.Result;
            });
        EXPECT_EQ(offered, c.Numbered ? 6u : 5u) << c.Name;
        EXPECT_EQ(result.Bytes, c.Expected.Bytes) << c.Name;
        EXPECT_EQ(result.Error, c.Expected.Error) << c.Name;
        EXPECT_EQ(report, c.Report) << c.Name;
    }

    Bytes none;
    bool read = false;
    EXPECT_EQ(FramedRead(none, false, [&](auto) { return read = true, 0L; }).Error, EINVAL);
    EXPECT_FALSE(read);
}
