// Cover rounds and video rounds.
#include "app/main_window.h"

namespace harvoline {

void TfrmMain::ScanCovers() {}

void TfrmMain::DetectVideoSupport() {}

void TfrmMain::StartCoverRound() {}

bool TfrmMain::StartVideoRound() { return false; }

} // namespace harvoline
