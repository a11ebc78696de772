// Single-player mode and highscores.
#include "app/main_window.h"

namespace harvoline {

void TfrmMain::Einzelspieler1Click() {}

void TfrmMain::CountSingleGameTime(int) {}

} // namespace harvoline
