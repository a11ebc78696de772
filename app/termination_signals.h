#pragma once

class QWidget;

namespace harvoline {

// SIGTERM and SIGINT close the window the normal way, so its close handling saves the
// settings before the process ends.
void CloseOnTerminationSignals(QWidget& window);

} // namespace harvoline
