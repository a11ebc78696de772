#include "ui/widgets/colours.h"

namespace harvoline {

QColor ColorFromValue(std::uint32_t bgr) {
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

} // namespace harvoline
