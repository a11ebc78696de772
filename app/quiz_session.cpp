#include "app/quiz_session.h"

#include "model/game/report_errors.h"
#include "model/input/press_clock.h"
#include "platform/platform.h"
#include "ui/buzzer_setup_view.h"

#include <QPushButton>

namespace harvoline {

QuizSession::QuizSession(Platform& platform)
    : Os(platform), Model(platform), BuzzerSource(Model), View(platform, Model, BuzzerSource),
      KeySource(new KeyboardInput(&View)), ButtonSource(new ScreenButtonsInput(View)),
      BuzzOrder(PressClockUs, [this](int seat) { return TakeTurn(seat); }),
      PhoneSource(platform, Model, View, BuzzOrder),
      ReceiverDevices(platform.Hid(), platform, Model, BuzzerSource), PadSource(Model),
      PadDevices(platform.Gamepads(), PadSource, ReceiverDevices) {
    Model.SetScreen(View);
    Model.SetLamps(BuzzerSource);
    Listen(KeySource);
    Listen(ButtonSource);
    Listen(&BuzzerSource);
    Listen(&PadSource);
    View.BuzzerSetup->FollowGamepads(PadSource);
    Listen(&PhoneSource.Input());
    connect(View.BuzzerSetup->SkipBuzzerSetupButton, &QPushButton::clicked, this,
            [this] { ReportErrors(Os, [this] { EndBinding(); }); });
    connect(&View, &MainWindow::FirstShown, this,
            [this] { ReportErrors(Os, [this] { StartUp(); }); });
    connect(&View, &MainWindow::Closing, this,
            [this] { ReportErrors(Os, [this] { ShutDown(); }); });
    connect(&View, &MainWindow::TextPageChanged, this, &QuizSession::ShowWhatWorks);
    connect(&Model, &QuizGame::PhaseChanged, this, &QuizSession::ShowWhatWorks);
    FollowBuzzOpenings();
    connect(&BuzzerSource, &BuzzerInput::SetupChanged, this, &QuizSession::ShowWhatWorks);
    connect(&PadSource, &GamepadInput::SetupChanged, this, &QuizSession::ShowWhatWorks);
}

// A video plays in a child of the window: it goes while the window is still whole.
QuizSession::~QuizSession() {
    Model.FreeVideoView();
}

void QuizSession::Listen(SeatInput* source) {
    connect(source, &SeatInput::CommandGiven, this, [this](const SeatCommand& command) {
        ReportErrors(Os, [this, &command] { Apply(command); });
    });
}

void QuizSession::StartUp() {
    BuzzerSource.ClearBindings();
    Model.StartUp();
    View.StartUp();
}

void QuizSession::ShutDown() {
    if (Closed) {
        return;
    }
    Closed = true;
    Model.ShutDown();
}

bool QuizSession::StartWorks() const {
    return Model.Phase() != RoundPhase::Answering && !View.TextPageOpen() && !BindingOpen();
}

bool QuizSession::BindingOpen() const {
    return BuzzerSource.SetupOpen() || PadSource.SetupOpen();
}

void QuizSession::EndBinding() {
    if (BuzzerSource.SetupOpen()) {
        BuzzerSource.EndSetup();
    } else if (PadSource.SetupOpen()) {
        PadSource.EndSetup();
    }
}

void QuizSession::ShowWhatWorks() {
    View.EnableStart(StartWorks(), !View.TextPageOpen() && !BindingOpen());
}

void QuizSession::Apply(const SeatCommand& command) {
    // A seat's gamepad is judged as its buzzer controller is; the quiz master's pad, which
    // belongs to no seat, as the keyboard.
    const bool fromBuzzer = command.Source == CommandSource::Buzzer ||
                            (command.Source == CommandSource::Gamepad && command.Seat != 0);
    // A phone acts for its own seat like a controller, and never for the quiz master.
    const bool fromPhone = command.Source == CommandSource::Phone;
    switch (command.Action) {
    case SeatAction::Buzz:
        if (MayBuzz(command.Seat)) {
            BuzzOrder.Claim(command.Seat, command.PressedAtUs);
        }
        break;
    case SeatAction::Choose:
        // A controller's coloured buttons answer for their own seat; keys and screen
        // buttons answer for whoever buzzed in.
        if ((!fromBuzzer && !fromPhone) || command.Seat == Model.AnsweringSeat()) {
            Model.Choose(command.Choice);
        }
        break;
    case SeatAction::Proceed:
        // Enter closes the standings as Ok does; a controller or phone cannot.
        if (!fromBuzzer && !fromPhone && View.StandingsOpen()) {
            View.CloseTextPage();
            break;
        }
        // From a controller, only in a closed round that a next one follows, and only the
        // seat shown red: the players never open a playlist dialog.
        if (StartWorks() && !fromPhone &&
            (!fromBuzzer || (Model.Phase() == RoundPhase::Closed && Model.StartMeansNext() &&
                             Model.SeatAt(command.Seat).Marked))) {
            Proceed();
        }
        break;
    case SeatAction::Dismiss:
        if (!fromPhone) {
            Dismiss();
        }
        break;
    }
}

bool QuizSession::MayBuzz(int seat) const {
    // A text page hides the seats: nobody sees whose turn it would be.
    return !View.TextPageOpen() && Model.MayBuzz(seat);
}

// The decision may come a moment after the claim: the game is asked again then.
bool QuizSession::TakeTurn(int seat) {
    if (!MayBuzz(seat)) {
        return false;
    }
    Model.Buzz(seat);
    return true;
}

// Each time buzzing opens, a new round or a round that plays on after a failed answer,
// presses from before no longer count.
void QuizSession::FollowBuzzOpenings() {
    connect(&Model, &QuizGame::RoundColoursDrawn, this, [this] { BuzzOrder.Open(); });
    connect(&Model, &QuizGame::PhaseChanged, this, [this] {
        const bool open = Model.Phase() == RoundPhase::Open;
        if (open && !BuzzingOpen) {
            BuzzOrder.Open();
        }
        BuzzingOpen = open;
    });
}

void QuizSession::Proceed() {
    View.HideStartHints();
    // A name being edited keeps its editor; Start only puts the round's pictures away.
    if (View.NameBeingEdited()) {
        Model.ClearRoundPictures();
        return;
    }
    Model.Proceed();
}

void QuizSession::Dismiss() {
    if (View.TextPageOpen()) {
        View.CloseTextPage();
    } else {
        EndBinding();
    }
}

} // namespace harvoline
