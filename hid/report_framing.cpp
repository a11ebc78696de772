#include "hid/report_framing.h"

#include <cerrno>

namespace harvoline {

HidReadResult FramedRead(std::span<std::uint8_t> report, bool numbered,
                         const std::function<long(std::span<std::uint8_t>)>& read) {
    if (report.empty()) {
        return {0, EINVAL};
    }
    errno = 0;
    const long count = read(numbered ? report : report.subspan(1));
    if (count < 0) {
        return {0, errno != 0 ? errno : EIO};
    }
    if (count == 0) {
        return {};
    }
    if (numbered) {
        return {static_cast<std::size_t>(count), 0};
    }
    report[0] = 0;
    return {static_cast<std::size_t>(count) + 1, 0};
}

} // namespace harvoline
