#pragma once

#include "model/input/seat_command.h"

#include <QObject>

namespace harvoline {

// Anything players or the quiz master act through: the keyboard, the buttons on the
// screen, buzzer controllers. Each turns what it gets into seat commands; the session
// judges and applies them.
class SeatInput : public QObject {
    Q_OBJECT

  public:
    using QObject::QObject;

  signals:
    void CommandGiven(const SeatCommand& command);
};

} // namespace harvoline
