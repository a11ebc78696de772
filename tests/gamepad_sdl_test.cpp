// Gamepads through SDL on its own thread, with SDL's virtual game controllers: no pad and no
// display needed.
#include "gamepad/sdl_gamepads.h"
#include "model/input/press_clock.h"
#include "tests/support/game_fixture.h"
#include "tests/support/virtual_pads.h"
#include "tests/support/window_fixture.h"
#include "ui/seat_view.h"
#include "ui/widgets/colours.h"
#include "ui/widgets/filled_panel.h"

#include <QTest>
#include <functional>

using namespace harvoline;
using namespace harvoline::testing;

namespace {

constexpr PadButton FaceFor[] = {PadButton::West, PadButton::East, PadButton::South,
                                 PadButton::North};
constexpr PadButton DpadFor[] = {PadButton::DpadUp, PadButton::DpadRight, PadButton::DpadDown,
                                 PadButton::DpadLeft};

class VirtualGamepads : public WindowTest {
  protected:
    VirtualGamepads() { Platform.GamepadsInUse = &Sdl; }
    // The session stops the pads' thread before it goes.
    ~VirtualGamepads() override { Session.reset(); }

    GamepadInput& Input() { return Session->Gamepads(); }

    // Waits, running the event loop, until the pads' events have brought the game there.
    static bool Until(const std::function<bool()>& reached) {
        return QTest::qWaitFor(reached, 5000);
    }

    void Tap(int pad, PadButton button) {
        Virtual.Hold(pad, button);
        Virtual.Release(pad, button);
    }

    // Two pads plugged in and bound in turn; gives their numbers.
    std::pair<int, int> BindTwoPads() {
        const int first = Virtual.Attach(1);
        EXPECT_TRUE(Until([this] { return Input().SetupOpen(); }));
        Tap(first, PadButton::South);
        EXPECT_TRUE(Until([this, first] { return Input().SeatOfPad(first) == 1; }));
        const int second = Virtual.Attach(2);
        EXPECT_TRUE(Until([this] { return Input().SetupOpen(); }));
        EXPECT_EQ(Input().SeatToBind(), 2);
        Tap(second, PadButton::East);
        EXPECT_TRUE(Until([this, second] { return Input().SeatOfPad(second) == 2; }));
        EXPECT_FALSE(Input().SetupOpen());
        return {first, second};
    }

    SdlGamepads Sdl;
    VirtualPads Virtual{Sdl};
};

} // namespace

TEST_F(VirtualGamepads, BoundPadsBuzzAndAnswerAndAPadPluggedInAgainGetsItsSeatBack) {
    MainWindow& w = StartGame();
    const auto [first, second] = BindTwoPads();

    // A button held on buzzes once, and chooses nothing while its seat answers.
    Virtual.Hold(second, PadButton::South);
    ASSERT_TRUE(Until([this] { return Game().AnsweringSeat() == 2; }));
    EXPECT_EQ(w.Seats[2]->Panel->Color(), Red);
    Virtual.Hold(second, PadButton::South);
    QTest::qWait(50);
    EXPECT_EQ(Game().Phase(), RoundPhase::Answering);
    Virtual.Release(second, PadButton::South);
    Tap(second, FaceFor[RightChoice(Game()) - 1]);
    ASSERT_TRUE(Until([this] { return Game().Phase() == RoundPhase::Closed; }));
    EXPECT_EQ(Game().SeatAt(2).Score, 3);

    WindowTest::Press(Qt::Key_Return);
    Tap(first, PadButton::RightShoulder);
    ASSERT_TRUE(Until([this] { return Game().AnsweringSeat() == 1; }));
    Tap(first, DpadFor[RightChoice(Game()) - 1]);
    ASSERT_TRUE(Until([this] { return Game().Phase() == RoundPhase::Closed; }));

    // Unplugged while it answers: the seat stays, its keys answer.
    WindowTest::Press(Qt::Key_Return);
    Tap(second, PadButton::North);
    ASSERT_TRUE(Until([this] { return Game().AnsweringSeat() == 2; }));
    Virtual.Detach(second);
    ASSERT_TRUE(Until([this, second] { return Input().SeatOfPad(second) == 0; }));
    EXPECT_EQ(Game().AnsweringSeat(), 2);
    WindowTest::Press(ChoiceKey(RightChoice(Game())));
    EXPECT_EQ(Game().Phase(), RoundPhase::Closed);

    const int again = Virtual.Attach(2);
    ASSERT_TRUE(Until([this, again] { return Input().SeatOfPad(again) == 2; }));
    EXPECT_FALSE(Input().SetupOpen());
}

// The second press follows the first within a turn of SDL's thread, well inside the window.
TEST_F(VirtualGamepads, TwoPadsInOneDecisionWindowTheEarlierPressWins) {
    StartGame();
    const auto [first, second] = BindTwoPads();
    Session->Decision().SetWindowMs(80);
    int claims = 0;
    QObject::connect(&Input(), &SeatInput::CommandGiven, [&claims] { ++claims; });
    const std::int64_t before = PressClockUs();
    Virtual.Hold(second, PadButton::South);
    Virtual.Hold(first, PadButton::South);
    ASSERT_TRUE(Until([&claims] { return claims == 2; }));
    if (Session->Decision().Deciding()) {
        Session->Decision().Decide();
    }
    EXPECT_EQ(Game().AnsweringSeat(), 2);
    const std::vector<BuzzClaim>& order = Session->Decision().LastOrder();
    ASSERT_EQ(order.size(), 2u);
    EXPECT_EQ(order[0].Seat, 2);
    EXPECT_GT(order[0].PressedAtUs, before) << "stamped where SDL saw the press";
    EXPECT_LT(order[0].PressedAtUs, order[1].PressedAtUs);
}
