#pragma once

#include "phones/phone_input.h"

#include <QObject>

namespace harvoline {

class BuzzDecision;
class MainWindow;
class Platform;
class QuizGame;

// Phone buzzers in the program: the menu item switches them, the join panel shows how to
// join and which seats phones hold, and while a phone holds a seat the buzz decision waits
// its window, so a phone's slower link does not lose it the turn.
class PhoneBuzzers : public QObject {
  public:
    PhoneBuzzers(Platform& platform, QuizGame& game, MainWindow& window, BuzzDecision& decision);

    PhoneInput& Input() { return Phones; }
    void Switch(bool on);

  private:
    void ShowJoin();
    void ShowSeats();
    void ShowOrder();

    Platform& Os;
    QuizGame& Game;
    MainWindow& Window;
    BuzzDecision& Decision;
    PhoneInput Phones;
    int WindowMs = 0;
};

} // namespace harvoline
