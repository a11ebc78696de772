#pragma once

#include <functional>

namespace harvoline {

class MainWindow;

// The program: the application, the real platform and the game with its window, until the
// window closes. The hook, when given, sees the window before it is first shown.
int RunHarvoline(int argc, char* argv[], const std::function<void(MainWindow&)>& beforeShow = {});

} // namespace harvoline
