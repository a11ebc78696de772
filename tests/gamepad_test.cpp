// Gamepads as buzzers: the button table, and binding and playing through the session with
// pads the tests plug in.
#include "model/game/colours.h"
#include "model/input/pad_buttons.h"
#include "tests/support/game_fixture.h"
#include "tests/support/window_fixture.h"
#include "ui/buzzer_setup_view.h"
#include "ui/seat_view.h"
#include "ui/widgets/caption_label.h"
#include "ui/widgets/colours.h"
#include "ui/widgets/filled_panel.h"

#include <QPushButton>
#include <QTest>
#include <optional>

using namespace harvoline;
using namespace harvoline::testing;

namespace {

std::optional<SeatCommand> Pad(int seat, SeatAction action, int choice = 0) {
    return SeatCommand{CommandSource::Gamepad, seat, action, choice};
}

} // namespace

TEST(PadButtons, EachButtonGivesItsCommandByPhaseAndSeat) {
    using B = PadButton;
    using enum RoundPhase;
    struct Case {
        const char* What;
        PadButton Button;
        int Seat;
        RoundPhase Phase;
        int Answering;
        std::optional<SeatCommand> Expected;
    };
    const Case cases[] = {
        {"south buzzes in an open round", B::South, 2, Open, 0, Pad(2, SeatAction::Buzz)},
        {"a shoulder buzzes", B::RightShoulder, 3, Open, 0, Pad(3, SeatAction::Buzz)},
        {"Start buzzes", B::Start, 1, Open, 0, Pad(1, SeatAction::Buzz)},
        {"the D-pad buzzes", B::DpadLeft, 4, Open, 0, Pad(4, SeatAction::Buzz)},
        {"west chooses 1", B::West, 2, Answering, 2, Pad(2, SeatAction::Choose, 1)},
        {"east chooses 2", B::East, 2, Answering, 2, Pad(2, SeatAction::Choose, 2)},
        {"south chooses 3", B::South, 2, Answering, 2, Pad(2, SeatAction::Choose, 3)},
        {"north chooses 4", B::North, 2, Answering, 2, Pad(2, SeatAction::Choose, 4)},
        {"D-pad up chooses 1", B::DpadUp, 2, Answering, 2, Pad(2, SeatAction::Choose, 1)},
        {"D-pad right chooses 2", B::DpadRight, 2, Answering, 2, Pad(2, SeatAction::Choose, 2)},
        {"D-pad down chooses 3", B::DpadDown, 2, Answering, 2, Pad(2, SeatAction::Choose, 3)},
        {"D-pad left chooses 4", B::DpadLeft, 2, Answering, 2, Pad(2, SeatAction::Choose, 4)},
        {"a shoulder chooses nothing", B::LeftShoulder, 2, Answering, 2, std::nullopt},
        {"Start chooses nothing", B::Start, 2, Answering, 2, std::nullopt},
        {"another seat's pad gives nothing while one answers", B::South, 3, Answering, 2,
         std::nullopt},
        {"Start goes on in a closed round", B::Start, 1, Closed, 0, Pad(1, SeatAction::Proceed)},
        {"other buttons give nothing in a closed round", B::South, 1, Closed, 0, std::nullopt},
        {"the quiz master's Start", B::Start, 0, Answering, 2, Pad(0, SeatAction::Proceed)},
        {"the quiz master's Start in a closed round", B::Start, 0, Closed, 0,
         Pad(0, SeatAction::Proceed)},
        {"the quiz master buzzes not", B::South, 0, Open, 0, std::nullopt},
        {"the quiz master chooses not", B::West, 0, Answering, 2, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PadCommand(c.Button, c.Seat, c.Phase, c.Answering), c.Expected) << c.What;
    }
}

namespace {

// The session with pads the tests plug in and press.
class Gamepads : public WindowTest {
  protected:
    PadListener& Pads() { return *Platform.Pads.Listener; }
    GamepadInput& Input() { return Session->Gamepads(); }
    BuzzerSetupView& Prompt() { return *Window().BuzzerSetup; }

    void Plug(int pad, const QString& identity, const QString& name = QStringLiteral("Pad")) {
        Pads().OnPadArrived({pad, identity, name, 0x045E, 0x028E});
    }
    void Press(int pad, PadButton button) { Pads().OnPadPressed(pad, button, 0); }
};

} // namespace

TEST_F(Gamepads, UnknownPadsAskTheSeatsInTurnWithTheLegendAndStartClaimsTheQuizMaster) {
    StartWindow();
    ASSERT_NE(Platform.Pads.Listener, nullptr);
    Plug(7, "pad-a");
    Plug(8, "pad-b");
    Plug(9, "pad-c");
    ASSERT_TRUE(Input().SetupOpen());
    EXPECT_FALSE(Prompt().BuzzerSetupPanel->isHidden());
    EXPECT_FALSE(Prompt().GamepadLegend->isHidden());
    EXPECT_TRUE(Prompt().BuzzerSetupPrompt->Caption().contains("1")) << "player 1 first";
    EXPECT_FALSE(Window().StartButton->isEnabled());

    Press(8, PadButton::East);
    EXPECT_EQ(Input().SeatOfPad(8), 1);
    EXPECT_EQ(Input().SeatToBind(), 2);
    Press(8, PadButton::South);
    EXPECT_EQ(Input().SeatToBind(), 2) << "a bound pad binds nothing more";
    Press(9, PadButton::Start);
    EXPECT_TRUE(Input().IsQuizMastersPad(9));
    EXPECT_EQ(Input().SeatOfPad(9), 0);
    Press(7, PadButton::DpadDown);
    EXPECT_EQ(Input().SeatOfPad(7), 2);
    EXPECT_FALSE(Input().SetupOpen()) << "every pad present has a seat";
    EXPECT_TRUE(Prompt().BuzzerSetupPanel->isHidden());
    const std::vector<FakeGamepads::SeatShown> shown = {
        {8, 1, RgbOf(SeatColours[1])}, {9, 0, 0xFFFFFF}, {7, 2, RgbOf(SeatColours[2])}};
    EXPECT_EQ(Platform.Pads.Shown, shown);
}

TEST_F(Gamepads, APadPluggedInAgainGetsItsSeatBackAndAnotherPadIsAskedFor) {
    StartGame();
    Plug(1, "pad-a");
    Press(1, PadButton::South);
    ASSERT_EQ(Input().SeatOfPad(1), 1);
    Pads().OnPadRemoved(1);
    Platform.Pads.Shown.clear();
    Plug(2, "pad-a");
    EXPECT_FALSE(Input().SetupOpen()) << "known by its identity";
    EXPECT_EQ(Input().SeatOfPad(2), 1);
    EXPECT_EQ(Platform.Pads.Shown,
              (std::vector<FakeGamepads::SeatShown>{{2, 1, RgbOf(SeatColours[1])}}));

    // Two pads that look alike are two pads.
    Plug(3, "pad-a");
    EXPECT_TRUE(Input().SetupOpen());
    EXPECT_EQ(Input().SeatToBind(), 2);
    // Unplugged before it is bound, it is asked for no more.
    Pads().OnPadRemoved(3);
    EXPECT_FALSE(Input().SetupOpen());
}

// A receiver is known by its name, or as the USB product of a receiver in use.
TEST_F(Gamepads, AReceiverIsNeverOfferedAsAPad) {
    Platform.HidDevices.Plug();
    StartWindow();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !Session->Receivers().ReceiversInUse().empty(); }));
    Session->Buzzers().EndSetup();
    Plug(1, "receiver", "Logitech Buzz(tm) Controller V1");
    Pads().OnPadArrived({2, "same-usb-product", "Wireless Controller", 0x054C, 0x1000});
    EXPECT_FALSE(Input().SetupOpen());
    Press(1, PadButton::South);
    Press(2, PadButton::South);
    EXPECT_EQ(Input().SeatOfPad(1), 0);
    EXPECT_EQ(Input().SeatOfPad(2), 0);
    EXPECT_TRUE(Platform.Pads.Shown.empty());
}

TEST_F(Gamepads, EscAndTheSkipButtonEndTheBinding) {
    StartWindow();
    Plug(2, "pad-b");
    ASSERT_TRUE(Input().SetupOpen());
    WindowTest::Press(Qt::Key_Escape);
    EXPECT_FALSE(Input().SetupOpen());
    Press(2, PadButton::South);
    EXPECT_EQ(Input().SeatOfPad(2), 0) << "a pad left unbound waits for the next arrival";
    Plug(3, "pad-c");
    ASSERT_TRUE(Input().SetupOpen());
    Prompt().SkipBuzzerSetupButton->click();
    EXPECT_FALSE(Input().SetupOpen());
    EXPECT_TRUE(Prompt().BuzzerSetupPanel->isHidden());
}

// A seat's pad buzzes, answers for its seat, rumbles when it gets the turn; unplugged while
// it answers, the seat stays and its keys go on; the quiz master's Start goes on.
TEST_F(Gamepads, PadsPlayTheRoundsAndAnUnpluggedPadLeavesItsSeatToTheKeys) {
    MainWindow& w = StartGame();
    Plug(1, "pad-a");
    Plug(2, "pad-b");
    Plug(3, "pad-master");
    Press(1, PadButton::South);
    Press(2, PadButton::South);
    Press(3, PadButton::Start);
    ASSERT_FALSE(Input().SetupOpen());
    Press(2, PadButton::LeftShoulder);
    ASSERT_EQ(Game().AnsweringSeat(), 2);
    EXPECT_EQ(w.Seats[2]->Panel->Color(), Red);
    EXPECT_EQ(Platform.Pads.Rumbles,
              (std::vector<FakeGamepads::Rumbled>{{2, GamepadInput::TurnRumbleMs}}));
    Press(1, PadButton::West);
    EXPECT_EQ(Game().AnsweringSeat(), 2) << "seat 1's pad answers not for seat 2";

    Pads().OnPadRemoved(2);
    EXPECT_EQ(Game().AnsweringSeat(), 2);
    WindowTest::Press(ChoiceKey(RightChoice(Game())));
    ASSERT_EQ(Game().Phase(), RoundPhase::Closed);
    const qsizetype played = Platform.Player.Played.size();
    Press(1, PadButton::Start);
    EXPECT_EQ(Platform.Player.Played.size(), played) << "seat 1 is not the red one";
    Press(3, PadButton::Start);
    EXPECT_EQ(Platform.Player.Played.size(), played + 1);
    EXPECT_EQ(Game().Phase(), RoundPhase::Open);

    Plug(4, "pad-d");
    EXPECT_TRUE(Input().SetupOpen());
    EXPECT_EQ(Input().SeatToBind(), 2) << "the seat whose pad went";
}
