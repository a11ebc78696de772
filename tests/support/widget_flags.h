#pragma once

#include <QWidget>

namespace harvoline::testing {

// A control's own Visible and Enabled flags, whether or not the window is on screen.
inline bool IsShown(const QWidget* w) {
    return !w->isHidden();
}
inline bool IsEnabledFlag(const QWidget* w) {
    return w->isEnabledTo(w->parentWidget());
}

} // namespace harvoline::testing
