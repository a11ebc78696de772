#pragma once

#include <functional>

namespace harvoline {

class TfrmMain;

// The program: the application, the real platform and the main window, until the window
// closes. The hook, when given, sees the window before it is first shown.
int RunHarvoline(int argc, char* argv[], const std::function<void(TfrmMain&)>& beforeShow = {});

} // namespace harvoline
