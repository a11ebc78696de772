#pragma once

#include "model/input/seat_input.h"

namespace harvoline {

class MainWindow;

// The buttons on the screen as a source of seat commands: each seat's buzz button, the
// four choice buttons and Start.
class ScreenButtonsInput : public SeatInput {
    Q_OBJECT

  public:
    explicit ScreenButtonsInput(MainWindow& window);

  private:
    void Give(SeatAction action, int seat = 0, int choice = 0);
};

} // namespace harvoline
