// Buzzer receivers on the real window, played by a scripted receiver of the fake platform.
#include "tests/support/game_fixture.h"
#include "tests/support/window_fixture.h"

#include "hid/hid_device_list.h"
#include "model/config/language.h"
#include "model/config/settings.h"
#include "ui/buzzer_setup_view.h"
#include "ui/help_view.h"
#include "ui/seat_view.h"
#include "ui/widgets/caption_label.h"
#include "ui/widgets/colours.h"
#include "ui/widgets/filled_panel.h"

#include <QAction>
#include <QPushButton>

#include <QTest>
#include <algorithm>
#include <functional>
#include <map>

using namespace harvoline;
using namespace harvoline::testing;

namespace {

const Bytes LampsDark(8, 0x00);
// The buttons' bytes with none held.
const Bytes Released = {0x00, 0x00, 0xF0};

enum Button { ButtonA, ButtonB, ButtonC, ButtonD, RedButton };

// The data bytes a key stands for.
Bytes KeyBytes(QLatin1String key) {
    Bytes bytes;
    for (const QString& hex : QString(key).split(u' ')) {
        bytes.push_back(static_cast<std::uint8_t>(hex.toUInt(nullptr, 16)));
    }
    return bytes;
}

// What the receiver sends while the button of controller slot (1 to 4) is held.
Bytes Held(int slot, Button button) {
    const ControllerSlot& row = ControllerTable[slot - 1];
    return KeyBytes(button == RedButton ? row.RedKey : row.AnswerKeys[button]);
}

Bytes Lamp(int slot) {
    const LampReportBytes& lamp = ControllerTable[slot - 1].LampReport;
    return Bytes(lamp.begin(), lamp.end());
}

// Both buttons held on one receiver.
Bytes Together(const Bytes& one, const Bytes& other) {
    Bytes both(one.size());
    std::ranges::transform(one, other, both.begin(), std::bit_or<>());
    return both;
}

class BuzzerWindow : public WindowTest {
  protected:
    // The window with a receiver plugged in before it starts.
    MainWindow& StartWithReceiver() {
        Receiver = Platform.HidDevices.Plug();
        MainWindow& w = StartWindow();
        AwaitReceiver(Receiver);
        return w;
    }

    // The window's receiver plugged in as identity, if it uses it.
    HidDevice* ReceiverDevice(const std::string& identity) const {
        for (HidDevice* device : Session->Receivers().ReceiversInUse()) {
            if (device->Interface().Identity == identity) {
                return device;
            }
        }
        return nullptr;
    }

    // Waits for the scan that takes the receiver, and counts the reports its handler has
    // dealt with.
    void AwaitReceiver(const std::string& identity) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return ReceiverDevice(identity) != nullptr; }, 10000));
        HidDevice& device = *ReceiverDevice(identity);
        const HidReportHandler handler = device.ReportHandler();
        device.SetReportHandler([this, handler](HidDevice& device, std::uint8_t id,
                                                const std::uint8_t* data, std::uint16_t size) {
            handler(device, id, data, size);
            ++Handled;
        });
    }

    // One input report with the given button bytes, once the window has dealt with it.
    void Send(const Bytes& buttons) { Send(buttons, Receiver); }
    void Send(const Bytes& buttons, const std::string& to) {
        Bytes report = {0x00, 0x7F, 0x7F};
        report.insert(report.end(), buttons.begin(), buttons.end());
        const int expected = ++Sent;
        Platform.HidDevices.QueueReport(to, report);
        ASSERT_TRUE(QTest::qWaitFor([&] { return Handled == expected; }, 10000));
    }
    // A press and its release.
    void Press(int slot, Button button, const std::string& to) {
        Send(Held(slot, button), to);
        Send(Released, to);
    }
    void Press(int slot, Button button) { Press(slot, button, Receiver); }
    // Player seat takes controller slot.
    void Bind(int slot) { Press(slot, RedButton); }

    // The lamp reports written to the receiver since the last call.
    std::vector<Bytes> NewLampWrites() { return NewLampWrites(Receiver); }
    std::vector<Bytes> NewLampWrites(const std::string& from) {
        const std::vector<Bytes> all = Platform.HidDevices.Written(from);
        std::size_t& seen = LampsSeen[from];
        std::vector<Bytes> fresh(all.begin() + static_cast<std::ptrdiff_t>(seen), all.end());
        seen = all.size();
        return fresh;
    }

    void OpenPlaylist() {
        Platform.DialogAnswers.push_back(WritePlaylist(WriteSongs(14)));
        Window().StartButton->click();
    }

    int RightChoice() { return harvoline::testing::RightChoice(Game()); }
    int WrongChoice() { return RightChoice() == 1 ? 2 : 1; }
    std::vector<HidDevice*> ReceiversInUse() { return Session->Receivers().ReceiversInUse(); }
    const BuzzerInput& Buzzers() { return Session->Buzzers(); }
    HidDeviceList& Devices() { return Session->Receivers().Devices(); }
    static Button Letter(int choice) { return static_cast<Button>(choice - 1); }

    std::string Receiver;
    int Sent = 0;
    int Handled = 0;
    std::map<std::string, std::size_t> LampsSeen;
};

} // namespace

TEST_F(BuzzerWindow, AReceiverIsTakenAndAssignmentStartsAtPlayerOne) {
    const std::string keyboard =
        Platform.HidDevices.Plug({.ProductString = QStringLiteral("USB Keyboard")});
    const std::string nameless =
        Platform.HidDevices.Plug({.Attributes = {0x1a2b, 0x00c3, 1}, .ProductString = QString()});
    MainWindow& w = StartWithReceiver();

    for (HidDevice* device : Devices().Devices()) {
        EXPECT_TRUE(device->IsClaimed()) << device->Interface().Identity;
    }
    HidDevice* unnamed = Devices().Devices().at(1);
    ASSERT_EQ(unnamed->Interface().Identity, nameless);
    EXPECT_EQ(ReceiverWatch::DescribeDevice(*unnamed), "Device VID=1A2B PID=00C3");
    ASSERT_EQ(ReceiversInUse().size(), 1u);
    HidDevice& receiver = *ReceiversInUse()[0];
    EXPECT_EQ(receiver.Interface().Identity, Receiver);
    EXPECT_FALSE(unnamed->ReportHandler());
    EXPECT_TRUE(Platform.HidDevices.Written(keyboard).empty());
    EXPECT_TRUE(Platform.HidDevices.Written(nameless).empty());

    EXPECT_EQ(receiver.InputBufferCount(), 128);
    EXPECT_EQ(receiver.ReaderBufferCount(), 128);
    EXPECT_EQ(NewLampWrites(), std::vector<Bytes>{LampsDark});
    EXPECT_TRUE(IsShown(w.BuzzerSetup->BuzzerSetupPanel));
    EXPECT_EQ(w.BuzzerSetup->BuzzerSetupPrompt->Caption(),
              "Buzzer!\nName1, bitte deinen Buzzer drücken");
    EXPECT_FALSE(IsEnabledFlag(w.StartButton));
    EXPECT_FALSE(w.LoadPlaylistAction->isEnabled());
    EXPECT_EQ(Buzzers().SeatToBind(), 1);
}

TEST_F(BuzzerWindow, WithoutAReceiverNothingChanges) {
    Platform.HidDevices.Plug({.ProductString = QStringLiteral("Mouse")});
    MainWindow& w = StartWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Devices().Devices().empty(); }, 10000));
    EXPECT_TRUE(ReceiversInUse().empty());
    EXPECT_FALSE(IsShown(w.BuzzerSetup->BuzzerSetupPanel));
    EXPECT_TRUE(IsEnabledFlag(w.StartButton));
}

TEST_F(BuzzerWindow, AssignmentBindsEachRedButtonOnceAndEndsWithTheFourth) {
    MainWindow& w = StartWithReceiver();
    Bind(3);
    EXPECT_EQ(Buzzers().BindingOf(1).BuzzKey, "00 04 F0");
    EXPECT_EQ(Buzzers().BindingOf(1).AnswerKeys[3], "00 08 F0");
    EXPECT_EQ(Buzzers().BindingOf(1).LampReport, ControllerTable[2].LampReport);
    EXPECT_EQ(Buzzers().SeatToBind(), 2);
    const QString prompt = w.BuzzerSetup->BuzzerSetupPrompt->Caption();
    EXPECT_EQ(prompt, "Buzzer!\nName2, bitte deinen Buzzer drücken");

    // None of these binds anyone or changes the prompt.
    const std::pair<const char*, Bytes> refused[] = {
        {"an already bound red button", Held(3, RedButton)},
        {"an answer button", Held(1, ButtonA)},
        {"two red buttons held", {0x21, 0x00, 0xF0}},
        {"a release", Released},
        {"a report too short", {0x01, 0x00}},
    };
    for (const auto& [what, buttons] : refused) {
        Send(buttons);
        EXPECT_EQ(Buzzers().SeatToBind(), 2) << what;
        EXPECT_EQ(w.BuzzerSetup->BuzzerSetupPrompt->Caption(), prompt) << what;
        EXPECT_TRUE(Buzzers().BindingOf(2).BuzzKey.isEmpty()) << what;
    }

    Bind(1);
    Bind(4);
    EXPECT_TRUE(IsShown(w.BuzzerSetup->BuzzerSetupPanel));
    EXPECT_FALSE(IsEnabledFlag(w.StartButton));
    EXPECT_FALSE(w.LoadPlaylistAction->isEnabled());
    const QString lastPrompt = w.BuzzerSetup->BuzzerSetupPrompt->Caption();
    Send(Held(2, RedButton));
    EXPECT_FALSE(IsShown(w.BuzzerSetup->BuzzerSetupPanel));
    EXPECT_TRUE(IsEnabledFlag(w.StartButton));
    EXPECT_TRUE(w.LoadPlaylistAction->isEnabled());
    EXPECT_EQ(w.BuzzerSetup->BuzzerSetupPrompt->Caption(), lastPrompt);
    EXPECT_EQ(Buzzers().BindingOf(4).BuzzKey, "20 00 F0");
    EXPECT_EQ(NewLampWrites(), std::vector<Bytes>{LampsDark}) << "binding lights nothing";
}

TEST_F(BuzzerWindow, ThePromptUsesTheNameOrEntryOneWithTheSeat) {
    QStringList settings = DefaultSettings(DefaultLanguageTable());
    settings[3] = "Name3: Name3.jpg; ";
    WriteSettingsFile(settings);
    MainWindow& w = StartWithReceiver();
    Game().RenameSeat(2, QStringLiteral("Anna"));
    ASSERT_EQ(Game().SeatAt(3).Name, "");
    Bind(1);
    EXPECT_EQ(w.BuzzerSetup->BuzzerSetupPrompt->Caption(),
              "Buzzer!\nAnna, bitte deinen Buzzer drücken");
    Bind(2);
    EXPECT_EQ(w.BuzzerSetup->BuzzerSetupPrompt->Caption(),
              "Buzzer!\nName3, bitte deinen Buzzer drücken");
}

TEST_F(BuzzerWindow, EscapeEndsAssignmentAndRedButtonsWaitForAPlaylist) {
    MainWindow& w = StartWithReceiver();
    Bind(2);
    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_FALSE(IsShown(w.BuzzerSetup->BuzzerSetupPanel));
    EXPECT_TRUE(IsEnabledFlag(w.StartButton));
    EXPECT_TRUE(w.LoadPlaylistAction->isEnabled());
    EXPECT_EQ(Buzzers().SeatToBind(), 2);
    EXPECT_EQ(Buzzers().BindingOf(1).BuzzKey, "20 00 F0");
    EXPECT_TRUE(Buzzers().BindingOf(2).BuzzKey.isEmpty());

    // Start still shows "Start": nobody can buzz yet.
    Press(2, RedButton);
    EXPECT_EQ(Game().AnsweringSeat(), 0);
    EXPECT_EQ(w.Seats[1]->Panel->Color(), MoneyGreen);

    // A player without a controller buzzes by key and lights no lamp.
    OpenPlaylist();
    NewLampWrites();
    QTest::keyClick(&w, Qt::Key_Y);
    EXPECT_EQ(Game().AnsweringSeat(), 2);
    EXPECT_TRUE(NewLampWrites().empty());
}

TEST_F(BuzzerWindow, OnlyTheAnsweringPlayersButtonsAnswerAndTheRedPanelMovesOn) {
    MainWindow& w = StartWithReceiver();
    Bind(1);
    Bind(2);
    w.BuzzerSetup->SkipBuzzerSetupButton->click();
    OpenPlaylist();
    const int right = RightChoice();
    const int wrong = WrongChoice();
    NewLampWrites();

    Press(2, RedButton);
    EXPECT_EQ(Game().AnsweringSeat(), 2);
    EXPECT_EQ(NewLampWrites(), std::vector<Bytes>{Lamp(2)});
    Press(1, Letter(right));
    EXPECT_EQ(Game().AnsweringSeat(), 2) << "player 1 is not answering";
    Press(1, RedButton);
    EXPECT_EQ(Game().AnsweringSeat(), 2) << "BuzzIn refuses while player 2 answers";
    EXPECT_EQ(w.Seats[1]->Panel->Color(), MoneyGreen);

    Press(2, Letter(wrong));
    EXPECT_EQ(Game().Score(2), -3);
    EXPECT_TRUE(Game().IsLockedOut(2));
    EXPECT_EQ(Game().Phase(), RoundPhase::Open);
    EXPECT_EQ(NewLampWrites(), std::vector<Bytes>{LampsDark});
    Press(2, RedButton);
    EXPECT_EQ(Game().Phase(), RoundPhase::Open) << "locked out";

    Press(1, RedButton);
    EXPECT_EQ(Game().AnsweringSeat(), 1);
    EXPECT_EQ(NewLampWrites(), std::vector<Bytes>{Lamp(1)});
    Press(1, Letter(wrong));
    EXPECT_EQ(Game().AnsweringSeat(), 1) << "the wrong choice's button is disabled";
    Press(1, Letter(right));
    EXPECT_EQ(Game().Phase(), RoundPhase::Closed);
    EXPECT_EQ(Game().Score(1), 2);
    EXPECT_EQ(w.Seats[1]->Panel->Color(), Red);
    EXPECT_TRUE(NewLampWrites().empty()) << "the winner's lamp stays lit";

    const int songsLeft = Game().Songs().Size();
    Press(2, RedButton);
    EXPECT_EQ(Game().Phase(), RoundPhase::Closed)
        << "only the red panel's button starts the next song";
    w.OpenHelp();
    Press(1, RedButton);
    EXPECT_EQ(Game().Phase(), RoundPhase::Closed) << "not while Start does not work";
    w.CloseTextPage();
    Press(1, RedButton);
    EXPECT_EQ(Game().Phase(), RoundPhase::Open);
    EXPECT_EQ(Game().Songs().Size(), songsLeft - 1);
    EXPECT_EQ(w.Seats[1]->Panel->Color(), MoneyGreen);
    EXPECT_EQ(NewLampWrites(), std::vector<Bytes>{LampsDark});
}

TEST_F(BuzzerWindow, AControllerOfASeatThatLeftCannotBuzz) {
    StartWithReceiver();
    Bind(1);
    Bind(2);
    Bind(3);
    Bind(4);
    OpenPlaylist();
    Game().RenameSeat(3, "");
    Press(3, RedButton);
    EXPECT_EQ(Game().Phase(), RoundPhase::Open);
    Press(4, RedButton);
    EXPECT_EQ(Game().AnsweringSeat(), 4);
}

TEST_F(BuzzerWindow, UnpluggedMidGameTheKeysPlayOnAndAReplugStartsAssignmentAgain) {
    MainWindow& w = StartWithReceiver();
    Bind(1);
    Bind(2);
    w.BuzzerSetup->SkipBuzzerSetupButton->click();
    OpenPlaylist();
    HidDevice* first = ReceiversInUse().at(0);

    Platform.HidDevices.Unplug(Receiver);
    Platform.HidDevices.AnnounceChange();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !first->IsPluggedIn(); }, 10000));
    EXPECT_FALSE(IsShown(w.BuzzerSetup->BuzzerSetupPanel));
    const std::size_t lampsBefore = Platform.HidDevices.Written(Receiver).size();
    QTest::keyClick(&w, Qt::Key_Q);
    EXPECT_EQ(Game().AnsweringSeat(), 1);
    EXPECT_EQ(Platform.HidDevices.Written(Receiver).size(), lampsBefore);
    QTest::keyClick(&w, static_cast<Qt::Key>(Qt::Key_0 + RightChoice()));
    EXPECT_EQ(Game().Phase(), RoundPhase::Closed);

    Receiver = Platform.HidDevices.Plug();
    Platform.HidDevices.AnnounceChange();
    AwaitReceiver(Receiver);
    EXPECT_EQ(ReceiversInUse().size(), 1u) << "it takes the place of the one unplugged";
    EXPECT_TRUE(IsShown(w.BuzzerSetup->BuzzerSetupPanel));
    EXPECT_EQ(Buzzers().SeatToBind(), 1);
    EXPECT_EQ(NewLampWrites(), std::vector<Bytes>{LampsDark});

    Bind(1);
    Bind(2);
    EXPECT_EQ(Buzzers().SeatToBind(), 1) << "both are bound already";
    // A new controller takes player 1, which frees player 1's old one for player 2.
    Bind(3);
    Bind(1);
    EXPECT_EQ(Buzzers().BindingOf(1).BuzzKey, "00 04 F0");
    EXPECT_EQ(Buzzers().BindingOf(2).BuzzKey, "01 00 F0");
    EXPECT_EQ(Buzzers().SeatToBind(), 3);
}

// Four controllers bound, then five rounds played with nothing but the receiver.
TEST_F(BuzzerWindow, AWholeGameDrivenByBuzzers) {
    StartWithReceiver();
    // Player p takes the controller in slot 5 - p.
    for (int slot = 4; slot >= 1; --slot) {
        Bind(slot);
    }
    const auto slotOf = [](int seat) { return 5 - seat; };
    OpenPlaylist();
    NewLampWrites();

    std::array<int, 5> scores{};
    int winner = 0;
    for (int round = 1; round <= 5; ++round) {
        SCOPED_TRACE(round);
        if (winner != 0) {
            Press(slotOf(winner), RedButton);
            ASSERT_EQ(Game().Phase(), RoundPhase::Open);
            EXPECT_EQ(NewLampWrites(), std::vector<Bytes>{LampsDark});
        }
        const int seat = (round - 1) % 4 + 1;
        if (round == 3) {
            // Player 4 tries first and misses.
            Press(slotOf(4), RedButton);
            EXPECT_EQ(NewLampWrites(), std::vector<Bytes>{Lamp(slotOf(4))});
            Press(slotOf(4), Letter(WrongChoice()));
            scores[4] -= 3;
            EXPECT_EQ(NewLampWrites(), std::vector<Bytes>{LampsDark});
        }
        Press(slotOf(seat), RedButton);
        ASSERT_EQ(Game().AnsweringSeat(), seat);
        EXPECT_EQ(NewLampWrites(), std::vector<Bytes>{Lamp(slotOf(seat))});
        const int points = Game().PointsAtStake();
        Press(slotOf(seat), Letter(RightChoice()));
        ASSERT_EQ(Game().Phase(), RoundPhase::Closed);
        scores[seat] += points;
        winner = seat;
        for (int p = 1; p <= 4; ++p) {
            EXPECT_EQ(Game().Score(p), scores[p]) << "player " << p;
        }
    }
    EXPECT_EQ(scores, (std::array<int, 5>{0, 6, 3, 2, 0}));
}

// Start enabled under a running answer window would start a round that the window's end
// then charges to nobody.
TEST_F(BuzzerWindow, AReceiverPluggedInWhileAPlayerAnswersKeepsStartForTheAnswer) {
    MainWindow& w = StartWindow();
    OpenPlaylist();
    QTest::keyClick(&w, Qt::Key_Q);
    ASSERT_EQ(Game().AnsweringSeat(), 1);
    // The answer window waits for the test, not for the clock.
    Game().Timers().AnswerTimer.stop();

    Receiver = Platform.HidDevices.Plug();
    Platform.HidDevices.AnnounceChange();
    AwaitReceiver(Receiver);
    Bind(1);
    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_FALSE(IsShown(w.BuzzerSetup->BuzzerSetupPanel));
    EXPECT_FALSE(IsEnabledFlag(w.StartButton));
    EXPECT_TRUE(w.LoadPlaylistAction->isEnabled());

    Press(1, Letter(RightChoice()));
    EXPECT_EQ(Game().Phase(), RoundPhase::Closed);
    EXPECT_TRUE(IsEnabledFlag(w.StartButton));
}

TEST_F(BuzzerWindow, AnErrorWhileTakingAReceiverLeavesNoneInUseAndShowsNothing) {
    Receiver = Platform.HidDevices.Plug({.WritesThrow = true});
    MainWindow& w = StartWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Devices().Devices().empty(); }, 10000));
    EXPECT_TRUE(Devices().Devices().front()->IsClaimed());
    EXPECT_TRUE(ReceiversInUse().empty());
    EXPECT_FALSE(IsShown(w.BuzzerSetup->BuzzerSetupPanel));
    EXPECT_TRUE(IsEnabledFlag(w.StartButton));
    EXPECT_TRUE(Platform.Errors.isEmpty());
}

// Without the udev rule the name still comes from sysfs, but no report would ever arrive:
// a binding prompt would wait for presses that never come.
TEST_F(BuzzerWindow, AReceiverThatMayNotBeReadAndWrittenIsNotOfferedForBinding) {
    Receiver = Platform.HidDevices.Plug({.OpensReadWrite = false});
    MainWindow& w = StartWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Devices().Devices().empty(); }, 10000));
    EXPECT_TRUE(ReceiversInUse().empty());
    EXPECT_FALSE(IsShown(w.BuzzerSetup->BuzzerSetupPanel));
    EXPECT_TRUE(IsEnabledFlag(w.StartButton));
    EXPECT_TRUE(w.LoadPlaylistAction->isEnabled());
    const QString note = QStringLiteral(
        "\nBuzzer receiver \"Buzz Controller\" (/fake/hidraw0) is plugged in, but may not be "
        "read and written: it asks for no binding and its buttons do nothing. Install the udev "
        "rule 70-harvoline-buzzers.rules as the README says, then plug the receiver in again. ");
    EXPECT_TRUE(w.Help->HelpText->Caption().endsWith(note));

    // Plugged in again without the rule, it is noted once; with the rule, it is taken.
    Platform.HidDevices.Unplug(Receiver);
    Receiver = Platform.HidDevices.Plug({.OpensReadWrite = false});
    Platform.HidDevices.AnnounceChange();
    EXPECT_EQ(w.Help->HelpText->Caption().count(note), 1);
    Platform.HidDevices.Unplug(Receiver);
    Receiver = Platform.HidDevices.Plug();
    Platform.HidDevices.AnnounceChange();
    AwaitReceiver(Receiver);
    EXPECT_TRUE(IsShown(w.BuzzerSetup->BuzzerSetupPanel));
}

// The receiver reports every button held: a thumb resting on one must not block the others.
TEST_F(BuzzerWindow, OnlyButtonsPressedSinceTheReceiversLastReportAct) {
    MainWindow& w = StartWithReceiver();
    Bind(1);
    Bind(2);
    w.BuzzerSetup->SkipBuzzerSetupButton->click();
    OpenPlaylist();
    const Bytes thumb = Held(1, ButtonA);

    Send(thumb);
    EXPECT_EQ(Game().Phase(), RoundPhase::Open);
    Send(Together(thumb, Held(2, RedButton)));
    EXPECT_EQ(Game().AnsweringSeat(), 2) << "player 1's held button blocks nobody";
    Send(Together(thumb, Held(2, Letter(RightChoice()))));
    EXPECT_EQ(Game().Phase(), RoundPhase::Closed);
    EXPECT_EQ(w.Seats[2]->Panel->Color(), Red);
    Send(thumb);
    Send(Together(thumb, Held(2, RedButton)));
    ASSERT_EQ(Game().Phase(), RoundPhase::Open) << "the next song";

    // Two buttons pressed in one report act for neither, however long they are held, and
    // letting one go presses nothing.
    const Bytes bothRed = Together(Held(1, RedButton), Held(2, RedButton));
    Send(Released);
    Send(bothRed);
    EXPECT_EQ(Game().Phase(), RoundPhase::Open);
    Send(bothRed);
    EXPECT_EQ(Game().Phase(), RoundPhase::Open);
    Send(Held(2, RedButton));
    EXPECT_EQ(Game().Phase(), RoundPhase::Open);
    Send(bothRed);
    EXPECT_EQ(Game().AnsweringSeat(), 1) << "player 1 pressed again";
}

TEST_F(BuzzerWindow, TheLampsGoDarkWhenTheGameCloses) {
    MainWindow& w = StartWithReceiver();
    Bind(1);
    w.BuzzerSetup->SkipBuzzerSetupButton->click();
    OpenPlaylist();
    NewLampWrites();
    Press(1, RedButton);
    ASSERT_EQ(NewLampWrites(), std::vector<Bytes>{Lamp(1)});
    w.close();
    EXPECT_EQ(NewLampWrites(), std::vector<Bytes>{LampsDark});
}

// Controllers in the same slot of two receivers are two players, each with the lamp of the
// receiver in their hands.
TEST_F(BuzzerWindow, ASeatIsBoundToAReceiverAndASlot) {
    const std::string first = Platform.HidDevices.Plug();
    const std::string second = Platform.HidDevices.Plug();
    Receiver = first;
    MainWindow& w = StartWindow();
    AwaitReceiver(first);
    AwaitReceiver(second);
    Press(1, RedButton, first);
    Press(1, RedButton, second);
    EXPECT_EQ(Buzzers().SeatToBind(), 3);
    Press(1, RedButton, second);
    EXPECT_EQ(Buzzers().SeatToBind(), 3) << "bound already";
    w.BuzzerSetup->SkipBuzzerSetupButton->click();
    OpenPlaylist();
    NewLampWrites(first);
    NewLampWrites(second);

    Press(1, RedButton, second);
    EXPECT_EQ(Game().AnsweringSeat(), 2);
    EXPECT_EQ(NewLampWrites(second), std::vector<Bytes>{Lamp(1)});
    EXPECT_TRUE(NewLampWrites(first).empty());
    Press(1, Letter(RightChoice()), first);
    EXPECT_EQ(Game().AnsweringSeat(), 2) << "player 1 is not answering";
    Press(1, Letter(WrongChoice()), second);
    EXPECT_EQ(Game().Phase(), RoundPhase::Open);
    EXPECT_EQ(NewLampWrites(first), std::vector<Bytes>{LampsDark});
    EXPECT_EQ(NewLampWrites(second), std::vector<Bytes>{LampsDark});

    // A receiver plugged in again takes over the bindings of the one unplugged.
    Platform.HidDevices.Unplug(first);
    Receiver = Platform.HidDevices.Plug();
    Platform.HidDevices.AnnounceChange();
    AwaitReceiver(Receiver);
    EXPECT_EQ(ReceiversInUse().size(), 2u);
    EXPECT_EQ(NewLampWrites(), std::vector<Bytes>{LampsDark});
    QTest::keyClick(&w, Qt::Key_Escape);
    Press(1, RedButton);
    EXPECT_EQ(Game().AnsweringSeat(), 1);
    EXPECT_EQ(NewLampWrites(), std::vector<Bytes>{Lamp(1)});
    EXPECT_TRUE(NewLampWrites(second).empty());
}
