#include "ui/screen_buttons_input.h"

#include "ui/answer_board_view.h"
#include "ui/main_window.h"
#include "ui/seat_view.h"

#include <QPushButton>

namespace harvoline {

ScreenButtonsInput::ScreenButtonsInput(MainWindow& window) : SeatInput(&window) {
    for (int seat = 1; seat <= 4; ++seat) {
        connect(window.Seats[seat]->BuzzButton, &QPushButton::clicked, this,
                [this, seat] { Give(SeatAction::Buzz, seat); });
    }
    for (int choice = 1; choice <= 4; ++choice) {
        connect(window.AnswerBoard->ChoiceButtons[choice], &QPushButton::clicked, this,
                [this, choice] { Give(SeatAction::Choose, 0, choice); });
    }
    connect(window.StartButton, &QPushButton::clicked, this, [this] { Give(SeatAction::Proceed); });
}

void ScreenButtonsInput::Give(SeatAction action, int seat, int choice) {
    emit CommandGiven({CommandSource::ScreenButtons, seat, action, choice});
}

} // namespace harvoline
