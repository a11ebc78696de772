#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace harvoline {

// What the report descriptor says about a device's input reports.
struct HidReportLayout {
    // The longest input report in bytes with one byte for the report ID in front, as the
    // reader frames it; 0 without input reports.
    std::size_t InputReportLength = 0;
    // Whether reports carry a report ID of their own.
    bool Numbered = false;
};

// Reads a report descriptor as the device sent it. A malformed descriptor is read up to
// the first item that does not fit; report lengths are capped at the kernel's largest
// report.
HidReportLayout ParseReportDescriptor(std::span<const std::uint8_t> descriptor);

} // namespace harvoline
