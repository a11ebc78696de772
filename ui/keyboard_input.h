#pragma once

#include "model/input/seat_input.h"

namespace harvoline {

// The keyboard as a source of seat commands: watches the window's keys, which reach it
// when no name editor takes them as text, and turns them into commands by the key table.
class KeyboardInput : public SeatInput {
    Q_OBJECT

  public:
    explicit KeyboardInput(QObject* window);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace harvoline
