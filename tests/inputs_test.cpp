// Every input as a source of seat commands, and the one place that judges them.
#include "model/config/language.h"
#include "model/config/settings.h"
#include "model/input/buzzer_input.h"
#include "model/input/key_map.h"
#include "model/input/press_clock.h"
#include "tests/support/game_fixture.h"
#include "tests/support/window_fixture.h"
#include "ui/answer_board_view.h"
#include "ui/seat_view.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <functional>
#include <optional>

using namespace harvoline;
using namespace harvoline::testing;

namespace {

SeatCommand Command(CommandSource source, SeatAction action, int seat = 0, int choice = 0) {
    return {source, seat, action, choice};
}

std::string Describe(const std::optional<SeatCommand>& command) {
    if (!command) {
        return "nothing";
    }
    return "action " + std::to_string(static_cast<int>(command->Action)) + ", seat " +
           std::to_string(command->Seat) + ", choice " + std::to_string(command->Choice);
}

} // namespace

TEST(KeyMap, EachKeyGivesItsCommandOrNone) {
    constexpr auto Keys = CommandSource::Keyboard;
    struct Case {
        const char* What;
        int Key;
        Qt::KeyboardModifiers Modifiers;
        bool AutoRepeat;
        std::optional<SeatCommand> Expected;
    };
    const Case cases[] = {
        {"Q", Qt::Key_Q, {}, false, Command(Keys, SeatAction::Buzz, 1)},
        {"Y", Qt::Key_Y, {}, false, Command(Keys, SeatAction::Buzz, 2)},
        {"M", Qt::Key_M, {}, false, Command(Keys, SeatAction::Buzz, 3)},
        {"P", Qt::Key_P, {}, false, Command(Keys, SeatAction::Buzz, 4)},
        {"1", Qt::Key_1, {}, false, Command(Keys, SeatAction::Choose, 0, 1)},
        {"4", Qt::Key_4, {}, false, Command(Keys, SeatAction::Choose, 0, 4)},
        {"3 on the keypad", Qt::Key_3, Qt::KeypadModifier, false,
         Command(Keys, SeatAction::Choose, 0, 3)},
        {"Return", Qt::Key_Return, {}, false, Command(Keys, SeatAction::Proceed)},
        {"Enter on the keypad", Qt::Key_Enter, Qt::KeypadModifier, false,
         Command(Keys, SeatAction::Proceed)},
        {"Ctrl+Return", Qt::Key_Return, Qt::ControlModifier, false,
         Command(Keys, SeatAction::Proceed)},
        {"Esc", Qt::Key_Escape, {}, false, Command(Keys, SeatAction::Dismiss)},
        {"Ctrl+Q", Qt::Key_Q, Qt::ControlModifier, false, std::nullopt},
        {"Alt+Y", Qt::Key_Y, Qt::AltModifier, false, std::nullopt},
        {"Shift+1", Qt::Key_1, Qt::ShiftModifier, false, std::nullopt},
        {"Q held down", Qt::Key_Q, {}, true, std::nullopt},
        {"2 held down", Qt::Key_2, {}, true, std::nullopt},
        {"A", Qt::Key_A, {}, false, std::nullopt},
        {"5", Qt::Key_5, {}, false, std::nullopt},
    };
    for (const Case& c : cases) {
        const std::optional<SeatCommand> command = CommandForKey(c.Key, c.Modifiers, c.AutoRepeat);
        EXPECT_EQ(command, c.Expected) << c.What << ": " << Describe(command);
    }
}

using KeyboardOnTheWindow = WindowTest;

TEST_F(KeyboardOnTheWindow, KeysActWithoutAltAndGoToAnOpenNameEditorFirst) {
    MainWindow& w = StartGame();
    QTest::keyClick(&w, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(Game().Phase(), RoundPhase::Open);
    QLineEdit* editor = w.Seats[1]->NameEditor;
    editor->show();
    editor->setFocus();
    QTest::keyClick(editor, Qt::Key_Q);
    EXPECT_EQ(Game().Phase(), RoundPhase::Open);
    EXPECT_EQ(editor->text(), "q");
    editor->hide();
    w.setFocus();
    Press(Qt::Key_Q);
    EXPECT_EQ(Game().AnsweringSeat(), 1);
    Press(ChoiceKey(RightChoice(Game())));
    EXPECT_EQ(Game().Phase(), RoundPhase::Closed);
}

using ScreenButtons = WindowTest;

TEST_F(ScreenButtons, EachButtonGivesItsCommand) {
    MainWindow& w = StartGame();
    ScreenButtonsInput buttons(w);
    std::vector<SeatCommand> given;
    QObject::connect(&buttons, &SeatInput::CommandGiven,
                     [&given](const SeatCommand& command) { given.push_back(command); });
    constexpr auto Screen = CommandSource::ScreenButtons;
    const std::pair<QPushButton*, SeatCommand> cases[] = {
        {w.Seats[1]->BuzzButton, Command(Screen, SeatAction::Buzz, 1)},
        {w.Seats[4]->BuzzButton, Command(Screen, SeatAction::Buzz, 4)},
        {w.AnswerBoard->ChoiceButtons[1], Command(Screen, SeatAction::Choose, 0, 1)},
        {w.AnswerBoard->ChoiceButtons[3], Command(Screen, SeatAction::Choose, 0, 3)},
        {w.StartButton, Command(Screen, SeatAction::Proceed)},
    };
    for (const auto& [button, expected] : cases) {
        given.clear();
        button->click();
        ASSERT_EQ(given.size(), 1u) << button->objectName().toStdString();
        EXPECT_EQ(given[0], expected) << button->objectName().toStdString();
    }
}

namespace {

// A receiver that keeps what is written to it.
class FakeReceiver : public BuzzerReceiver {
  public:
    bool IsPluggedIn() const override { return PluggedIn; }
    void WriteLamps(const LampReportBytes& report) override { Lamps.push_back(report); }

    bool PluggedIn = true;
    std::vector<LampReportBytes> Lamps;
};

// The data bytes a controller's button gives while it is held alone.
std::vector<std::uint8_t> Held(QLatin1String key) {
    std::vector<std::uint8_t> data = {0x7F, 0x7F};
    for (const QString& hex : QString(key).split(u' ')) {
        data.push_back(static_cast<std::uint8_t>(hex.toUInt(nullptr, 16)));
    }
    return data;
}

const std::vector<std::uint8_t> Released = {0x7F, 0x7F, 0x00, 0x00, 0xF0};

QLatin1String RedOf(int slot) {
    return ControllerTable[slot - 1].RedKey;
}
QLatin1String AnswerOf(int slot, int choice) {
    return ControllerTable[slot - 1].AnswerKeys[choice - 1];
}

// The buzzer input beside a game whose first round runs.
class Buzzers : public GameTest {
  protected:
    Buzzers() : Input(StartGame()) {
        QObject::connect(&Input, &SeatInput::CommandGiven,
                         [this](const SeatCommand& command) { Given.push_back(command); });
    }

    // A press and its release on the receiver.
    void Press(const FakeReceiver& receiver, QLatin1String key) {
        Input.OnReceiverReport(receiver, Held(key));
        Input.OnReceiverReport(receiver, Released);
    }

    BuzzerInput Input;
    std::vector<SeatCommand> Given;
};

} // namespace

// One receiver's reports in turn, first binding the seats, then playing.
TEST_F(Buzzers, ReportsBindSeatsInTurnAndThenGiveCommands) {
    FakeReceiver receiver;
    FakeReceiver stranger;
    BuzzerInput& input = Input;
    input.TakeReceiver(receiver);
    ASSERT_EQ(receiver.Lamps, std::vector<LampReportBytes>{AllLampsDark});
    ASSERT_TRUE(input.SetupOpen());
    constexpr auto FromBuzzer = CommandSource::Buzzer;
    using Report = std::vector<std::uint8_t>;
    struct Step {
        const char* What;
        const FakeReceiver* From;
        Report Data;
        int SeatToBindAfter;
        std::optional<SeatCommand> Given;
    };
    const Report bothReds = {0x7F, 0x7F, 0x21, 0x00, 0xF0};
    const Step steps[] = {
        {"red 3 binds seat 1", &receiver, Held(RedOf(3)), 2, std::nullopt},
        {"its release binds nobody", &receiver, Released, 2, std::nullopt},
        {"red 3 again is bound already", &receiver, Held(RedOf(3)), 2, std::nullopt},
        {"an answer button binds nobody", &receiver, Held(AnswerOf(1, 1)), 2, std::nullopt},
        {"two reds at once bind nobody", &receiver, bothReds, 2, std::nullopt},
        {"all let go", &receiver, Released, 2, std::nullopt},
        {"a receiver not taken binds nobody", &stranger, Held(RedOf(1)), 2, std::nullopt},
        {"a report too short", &receiver, {0x7F, 0x7F, 0x01}, 2, std::nullopt},
        {"red 1 binds seat 2", &receiver, Held(RedOf(1)), 3, std::nullopt},
        {"all let go", &receiver, Released, 3, std::nullopt},
        {"red 4 binds seat 3", &receiver, Held(RedOf(4)), 4, std::nullopt},
        {"all let go", &receiver, Released, 4, std::nullopt},
        {"red 2 binds seat 4 and ends the setup", &receiver, Held(RedOf(2)), 5, std::nullopt},
        {"all let go", &receiver, Released, 5, std::nullopt},
        {"red 3 buzzes for seat 1", &receiver, Held(RedOf(3)), 5,
         Command(FromBuzzer, SeatAction::Buzz, 1)},
        {"held on, it gives nothing more", &receiver, Held(RedOf(3)), 5, std::nullopt},
        {"all let go", &receiver, Released, 5, std::nullopt},
        {"B of controller 3 chooses 2 for seat 1", &receiver, Held(AnswerOf(3, 2)), 5,
         Command(FromBuzzer, SeatAction::Choose, 1, 2)},
        {"all let go", &receiver, Released, 5, std::nullopt},
        {"D of controller 2 chooses 4 for seat 4", &receiver, Held(AnswerOf(2, 4)), 5,
         Command(FromBuzzer, SeatAction::Choose, 4, 4)},
        {"all let go", &receiver, Released, 5, std::nullopt},
        {"two reds pressed together give nothing", &receiver, bothReds, 5, std::nullopt},
        {"a receiver not taken gives nothing", &stranger, Held(RedOf(3)), 5, std::nullopt},
    };
    for (const Step& step : steps) {
        Given.clear();
        input.OnReceiverReport(*step.From, step.Data);
        EXPECT_EQ(input.SeatToBind(), step.SeatToBindAfter) << step.What;
        EXPECT_EQ(Given.empty() ? std::nullopt : std::optional(Given.front()), step.Given)
            << step.What;
        EXPECT_LE(Given.size(), 1u) << step.What;
    }
    EXPECT_FALSE(input.SetupOpen());
    EXPECT_EQ(input.BindingOf(1).BuzzKey, QString(RedOf(3)));
    EXPECT_EQ(input.BindingOf(4).BuzzKey, QString(RedOf(2)));
    EXPECT_EQ(receiver.Lamps.size(), 1u) << "binding lights nothing";
}

TEST_F(Buzzers, RedIsStartInAClosedRoundAndLampsLightOnTheSeatsReceiver) {
    FakeReceiver first;
    FakeReceiver second;
    BuzzerInput& input = Input;
    input.TakeReceiver(first);
    input.TakeReceiver(second);
    Press(second, RedOf(1));
    Press(first, RedOf(1));
    input.EndSetup();
    ASSERT_EQ(input.BindingOf(1).Receiver, 1);
    ASSERT_EQ(input.BindingOf(2).Receiver, 0);

    QuizGame& game = *Quiz;
    game.Buzz(1);
    game.Choose(RightChoice(game));
    ASSERT_EQ(game.Phase(), RoundPhase::Closed);
    Given.clear();
    Press(first, RedOf(1));
    EXPECT_EQ(Given,
              std::vector<SeatCommand>{Command(CommandSource::Buzzer, SeatAction::Proceed, 2)});

    first.Lamps.clear();
    second.Lamps.clear();
    input.LightSeat(1);
    EXPECT_TRUE(first.Lamps.empty());
    EXPECT_EQ(second.Lamps, std::vector<LampReportBytes>{ControllerTable[0].LampReport});
    input.LightSeat(3);
    EXPECT_EQ(second.Lamps.size(), 1u) << "seat 3 has no controller";
    input.ClearAll();
    EXPECT_EQ(first.Lamps, std::vector<LampReportBytes>{AllLampsDark});
    EXPECT_EQ(second.Lamps.back(), AllLampsDark);

    // Plugged in again, a receiver takes the place of the one unplugged, and its bindings.
    FakeReceiver again;
    first.PluggedIn = false;
    input.TakeReceiver(again);
    EXPECT_EQ(input.Receivers(), (std::vector<BuzzerReceiver*>{&again, &second}));
    EXPECT_EQ(input.SeatToBind(), 1);
    input.EndSetup();
    Given.clear();
    Press(again, RedOf(1));
    EXPECT_EQ(Given.size(), 1u);
    EXPECT_EQ(Given.front().Seat, 2);
}

namespace {

// What a command does, judged by the session.
class Router : public WindowTest {
  public:
    using WindowTest::Game;
    using WindowTest::Platform;
    using WindowTest::Session;
    using WindowTest::StartGame;
    using WindowTest::StartWindow;
    using WindowTest::Window;

    FakeReceiver Receiver;
};

} // namespace

// The sources differ in two ways, decided here once. A controller's coloured buttons answer
// only for their own seat, while keys and screen buttons answer for whoever buzzed in. A
// controller's red button is Start only in a closed round that a next one follows, and only
// for the seat shown red: players never open a playlist dialog. Buzzing is alike for all:
// open while a playlist runs and no text page hides the seats, also after a language change
// mid-playlist. A seat's gamepad is judged as its controller; the quiz master's pad, which has
// no seat, as the keyboard.
TEST_F(Router, DecidesEachCommandOnceForEverySource) {
    constexpr auto Keys = CommandSource::Keyboard;
    constexpr auto Screen = CommandSource::ScreenButtons;
    constexpr auto FromBuzzer = CommandSource::Buzzer;
    constexpr auto FromPad = CommandSource::Gamepad;
    constexpr auto FromPhone = CommandSource::Phone;
    const auto answering = [](int seat) {
        return [seat](QuizGame& game) { return game.AnsweringSeat() == seat; };
    };
    const auto nobodyAnswers = [](QuizGame& game) { return game.AnsweringSeat() == 0; };
    const auto startedARound = [this](QuizGame& game) {
        return game.Phase() == RoundPhase::Open && Platform.Player.Played.size() == 2;
    };
    const auto stillClosed = [](QuizGame& game) { return game.Phase() == RoundPhase::Closed; };
    struct Case {
        const char* What;
        std::function<void(Router&)> Before;
        SeatCommand Given;
        std::function<bool(QuizGame&)> Holds;
    };
    const auto playing = [](Router& t) { t.StartGame(); };
    const auto seatAnswers = [](int seat) {
        return [seat](Router& t) {
            t.StartGame();
            t.Game().Buzz(seat);
        };
    };
    const auto closedBySeat = [](int seat) {
        return [seat](Router& t) {
            t.StartGame();
            t.Game().Buzz(seat);
            t.Game().Choose(RightChoice(t.Game()));
        };
    };
    const auto withPage = [](std::function<void(Router&)> before) {
        return [before](Router& t) {
            before(t);
            t.Window().OpenHelp();
        };
    };
    const auto withSetup = [](std::function<void(Router&)> before) {
        return [before](Router& t) {
            before(t);
            t.Session->Buzzers().TakeReceiver(t.Receiver);
        };
    };
    const auto withPadSetup = [](std::function<void(Router&)> before) {
        return [before](Router& t) {
            before(t);
            t.Platform.Pads.Listener->OnPadArrived({1, "pad", "Pad"});
        };
    };
    const auto afterLanguage = [](std::function<void(Router&)> before) {
        return [before](Router& t) {
            before(t);
            t.Platform.DialogAnswers.push_back(
                QStringLiteral(HARVOLINE_SOURCE_DIR "/languages/English.ini"));
            t.Game().Config().ChooseLanguage();
        };
    };
    const Case cases[] = {
        {"keys buzz in an open round", playing, Command(Keys, SeatAction::Buzz, 2), answering(2)},
        {"a buzzer buzzes in an open round", playing, Command(FromBuzzer, SeatAction::Buzz, 3),
         answering(3)},
        {"nobody buzzes before a playlist", [](Router& t) { t.StartWindow(); },
         Command(Keys, SeatAction::Buzz, 1), nobodyAnswers},
        {"nobody buzzes while a text page is open", withPage(playing),
         Command(FromBuzzer, SeatAction::Buzz, 1), nobodyAnswers},
        {"keys buzz while buzzers are bound", withSetup(playing),
         Command(Keys, SeatAction::Buzz, 4), answering(4)},
        {"a buzzer buzzes after a language change mid-playlist", afterLanguage(playing),
         Command(FromBuzzer, SeatAction::Buzz, 1), answering(1)},
        {"keys choose for whoever answers", seatAnswers(2), Command(Keys, SeatAction::Choose, 0, 1),
         nobodyAnswers},
        {"a screen button chooses for whoever answers", seatAnswers(2),
         Command(Screen, SeatAction::Choose, 0, 1), nobodyAnswers},
        {"a buzzer chooses for its own seat", seatAnswers(2),
         Command(FromBuzzer, SeatAction::Choose, 2, 1), nobodyAnswers},
        {"a buzzer does not choose for another seat", seatAnswers(2),
         Command(FromBuzzer, SeatAction::Choose, 3, 1), answering(2)},
        {"a choice goes through a text page", withPage(seatAnswers(2)),
         Command(Keys, SeatAction::Choose, 0, 1), nobodyAnswers},
        {"Start waits while a seat answers", seatAnswers(1), Command(Keys, SeatAction::Proceed),
         answering(1)},
        {"Start goes on in a closed round", closedBySeat(1), Command(Screen, SeatAction::Proceed),
         startedARound},
        {"Start waits while a text page is open", withPage(closedBySeat(1)),
         Command(Keys, SeatAction::Proceed), stillClosed},
        {"Start waits while buzzers are bound", withSetup(closedBySeat(1)),
         Command(Keys, SeatAction::Proceed), stillClosed},
        {"the red seat's buzzer goes on in a closed round", closedBySeat(1),
         Command(FromBuzzer, SeatAction::Proceed, 1), startedARound},
        {"another seat's buzzer does not", closedBySeat(1),
         Command(FromBuzzer, SeatAction::Proceed, 2), stillClosed},
        {"the red seat's buzzer waits while a text page is open", withPage(closedBySeat(1)),
         Command(FromBuzzer, SeatAction::Proceed, 1), stillClosed},
        {"a buzzer opens no playlist after a language change", afterLanguage(closedBySeat(1)),
         Command(FromBuzzer, SeatAction::Proceed, 1), stillClosed},
        {"a pad buzzes in an open round", playing, Command(FromPad, SeatAction::Buzz, 3),
         answering(3)},
        {"keys buzz while pads are bound", withPadSetup(playing),
         Command(Keys, SeatAction::Buzz, 4), answering(4)},
        {"a pad chooses for its own seat", seatAnswers(2),
         Command(FromPad, SeatAction::Choose, 2, 1), nobodyAnswers},
        {"a pad does not choose for another seat", seatAnswers(2),
         Command(FromPad, SeatAction::Choose, 3, 1), answering(2)},
        {"the red seat's pad goes on in a closed round", closedBySeat(1),
         Command(FromPad, SeatAction::Proceed, 1), startedARound},
        {"another seat's pad does not", closedBySeat(1), Command(FromPad, SeatAction::Proceed, 2),
         stillClosed},
        {"the quiz master's pad goes on in a closed round", closedBySeat(1),
         Command(FromPad, SeatAction::Proceed, 0), startedARound},
        {"the quiz master's pad waits while a seat answers", seatAnswers(1),
         Command(FromPad, SeatAction::Proceed, 0), answering(1)},
        {"Start waits while pads are bound", withPadSetup(closedBySeat(1)),
         Command(Keys, SeatAction::Proceed), stillClosed},
        {"a phone buzzes for its seat", playing, Command(FromPhone, SeatAction::Buzz, 2),
         answering(2)},
        {"a phone chooses for its own seat", seatAnswers(2),
         Command(FromPhone, SeatAction::Choose, 2, 1), nobodyAnswers},
        {"a phone does not choose for another seat", seatAnswers(2),
         Command(FromPhone, SeatAction::Choose, 3, 1), answering(2)},
        {"a phone never goes on, not even the red seat's", closedBySeat(1),
         Command(FromPhone, SeatAction::Proceed, 1), stillClosed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        Platform.Player = FakeAudioPlayer();
        Platform.Player.Clock = &Platform.Now;
        c.Before(*this);
        const std::size_t dialogs = Platform.Dialogs.size();
        Session->Apply(c.Given);
        EXPECT_TRUE(c.Holds(Game()));
        EXPECT_EQ(Platform.Dialogs.size(), dialogs);
    }
}

TEST_F(Router, DismissClosesTheTextPageElseEndsTheBuzzerSetup) {
    StartWindow();
    Session->Buzzers().TakeReceiver(Receiver);
    Window().OpenAbout();
    const SeatCommand esc = Command(CommandSource::Keyboard, SeatAction::Dismiss);
    Session->Apply(esc);
    EXPECT_FALSE(Window().TextPageOpen());
    EXPECT_TRUE(Session->Buzzers().SetupOpen());
    Session->Apply(esc);
    EXPECT_FALSE(Session->Buzzers().SetupOpen());
    Session->Apply(esc);
    EXPECT_FALSE(Window().TextPageOpen());
}

TEST_F(Router, StartOnlyPutsTheRoundsPicturesAwayWhileANameIsEdited) {
    WriteCovers(8);
    QStringList settings = DefaultSettings(DefaultLanguageTable());
    settings[7] = "Guess a cover every 1 songs";
    WriteSettingsFile(settings);
    MainWindow& w = StartGame(20);
    w.StartButton->click();
    ASSERT_TRUE(Game().CoverShown());
    const qsizetype played = Platform.Player.Played.size();
    w.EditName(2);
    const SeatCommand start = Command(CommandSource::Keyboard, SeatAction::Proceed);
    Session->Apply(start);
    EXPECT_FALSE(Game().CoverShown());
    EXPECT_EQ(Platform.Player.Played.size(), played);
    EXPECT_TRUE(Game().IsCoverRound());
    // An editor left open on a seat that left does not count.
    Game().RenameSeat(2, "");
    Session->Apply(start);
    EXPECT_EQ(Platform.Player.Played.size(), played + 1);
}

TEST_F(Router, ATextPageOpenedDuringAnAnswerChangesNotWhoMayAnswer) {
    MainWindow& w = StartGame();
    Press(Qt::Key_Q);
    w.OpenHelp();
    Press(ChoiceKey(WrongChoice(Game())));
    EXPECT_EQ(Game().Phase(), RoundPhase::Open);
    EXPECT_TRUE(Game().IsLockedOut(1));
    for (int seat = 2; seat <= 4; ++seat) {
        EXPECT_FALSE(Game().IsLockedOut(seat)) << seat;
    }
    EXPECT_FALSE(IsEnabledFlag(w.StartButton));
    Press(Qt::Key_Escape);
    EXPECT_TRUE(IsEnabledFlag(w.StartButton));
    Press(Qt::Key_Y);
    EXPECT_EQ(Game().AnsweringSeat(), 2);

    // A page closed while a seat answers leaves Start to the end of the answer.
    w.OpenAbout();
    Press(Qt::Key_Escape);
    EXPECT_FALSE(IsEnabledFlag(w.StartButton));
    Press(ChoiceKey(RightChoice(Game())));
    EXPECT_TRUE(IsEnabledFlag(w.StartButton));
}

// With a decision window the claims wait for it; the earliest press among them takes the
// turn when it closes, and a seat locked out by then is passed over.
TEST_F(Router, ClaimsWaitForTheDecisionWindowAndTheEarliestPressWins) {
    StartGame();
    Session->Decision().SetWindowMs(80);
    QTest::qSleep(10);
    SeatCommand late = Command(CommandSource::Keyboard, SeatAction::Buzz, 2);
    SeatCommand early = Command(CommandSource::Buzzer, SeatAction::Buzz, 3);
    early.PressedAtUs = PressClockUs() - 5000;
    Session->Apply(late);
    Session->Apply(early);
    EXPECT_EQ(Game().AnsweringSeat(), 0);
    EXPECT_TRUE(Session->Decision().Deciding());
    Session->Decision().Decide();
    EXPECT_EQ(Game().AnsweringSeat(), 3);

    // Seat 3 answers wrong and is locked out: its press no longer counts.
    Game().Choose(WrongChoice(Game()));
    ASSERT_TRUE(Game().IsLockedOut(3));
    Session->Apply(Command(CommandSource::Buzzer, SeatAction::Buzz, 3));
    EXPECT_FALSE(Session->Decision().Deciding());
    Session->Apply(late);
    ASSERT_TRUE(QTest::qWaitFor([this] { return Game().AnsweringSeat() == 2; }, 2000));
}
