#pragma once

#include "app/gamepad_watch.h"
#include "app/phone_buzzers.h"
#include "app/receiver_watch.h"
#include "model/game/quiz_game.h"
#include "model/input/buzz_decision.h"
#include "model/input/buzzer_input.h"
#include "model/input/gamepad_input.h"
#include "model/input/seat_command.h"
#include "ui/keyboard_input.h"
#include "ui/main_window.h"
#include "ui/screen_buttons_input.h"

#include <QObject>

namespace harvoline {

class Platform;

// The game put together: the model, its window, and every input that gives seat commands.
// Apply is the one place the commands are judged, whatever their source: the rules that
// differ between keys, screen buttons and buzzer controllers, and the window's own states
// that hold a command back, are decided here once.
class QuizSession : public QObject {
  public:
    explicit QuizSession(Platform& platform);
    ~QuizSession() override;

    QuizGame& Game() { return Model; }
    MainWindow& Window() { return View; }
    BuzzerInput& Buzzers() { return BuzzerSource; }
    ReceiverWatch& Receivers() { return ReceiverDevices; }
    BuzzDecision& Decision() { return BuzzOrder; }
    GamepadInput& Gamepads() { return PadSource; }
    PhoneInput& Phones() { return PhoneSource.Input(); }

    void Apply(const SeatCommand& command);
    void StartUp();
    void ShutDown();

    // Start works unless a seat answers, a text page is open or buzzers are being bound.
    bool StartWorks() const;

  private:
    void Listen(SeatInput* source);
    void Proceed();
    void Dismiss();
    void ShowWhatWorks();
    // The seat may buzz now: the round is open to it and no text page hides the seats.
    bool MayBuzz(int seat) const;
    bool TakeTurn(int seat);
    void FollowBuzzOpenings();
    // Receivers or gamepads are being bound to seats.
    bool BindingOpen() const;
    // Ends the binding shown: the receivers' first, as they are asked for first.
    void EndBinding();

    Platform& Os;
    QuizGame Model;
    BuzzerInput BuzzerSource;
    MainWindow View;
    KeyboardInput* KeySource;
    ScreenButtonsInput* ButtonSource;
    bool Closed = false;
    BuzzDecision BuzzOrder;
    bool BuzzingOpen = false;
    PhoneBuzzers PhoneSource;
    // Its readers stop first, while the rest is whole.
    ReceiverWatch ReceiverDevices;
    GamepadInput PadSource;
    // Its thread stops before the input it tells goes.
    GamepadWatch PadDevices;
};

} // namespace harvoline
