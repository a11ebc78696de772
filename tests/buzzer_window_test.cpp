// Buzzer receivers on the real window, played by a scripted receiver of the fake platform.
#include "tests/support/playlist_fixture.h"

#include <QTest>

using namespace harvoline;
using namespace harvoline::testing;

namespace {

const Bytes LampsDark(8, 0x00);

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

class BuzzerWindow : public PlaylistTest {
  protected:
    // The window with a receiver plugged in before it starts.
    TfrmMain& StartWithReceiver() {
        Receiver = Platform.HidDevices.Plug();
        TfrmMain& w = StartWindow();
        AwaitReceiver(nullptr);
        return w;
    }

    // Waits for the scan that takes a receiver other than the one in use, and counts the
    // reports its handler has dealt with.
    void AwaitReceiver(const TJvHidDevice* before) {
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return Window->BuzzerDevice != nullptr && Window->BuzzerDevice != before; },
            10000));
        TJvHidDevice& device = *Window->BuzzerDevice;
        const TJvHidDataEvent handler = device.DataHandler();
        device.SetDataHandler([this, handler](TJvHidDevice& hidDev, std::uint8_t id,
                                              const std::uint8_t* data, std::uint16_t size) {
            handler(hidDev, id, data, size);
            ++Handled;
        });
    }

    // One input report with the given button bytes, once the window has dealt with it.
    void Send(const Bytes& buttons) {
        Bytes report = {0x00, 0x7F, 0x7F};
        report.insert(report.end(), buttons.begin(), buttons.end());
        const int expected = ++Sent;
        Platform.HidDevices.QueueReport(Receiver, report);
        ASSERT_TRUE(QTest::qWaitFor([&] { return Handled == expected; }, 10000));
    }
    // A press and its release.
    void Press(int slot, Button button) {
        Send(Held(slot, button));
        Send({0x00, 0x00, 0xF0});
    }
    // Player seat takes controller slot.
    void Bind(int slot) { Press(slot, RedButton); }

    // The lamp reports written since the last call.
    std::vector<Bytes> NewLampWrites() {
        const std::vector<Bytes> all = Platform.HidDevices.Written(Receiver);
        std::vector<Bytes> fresh(all.begin() + static_cast<std::ptrdiff_t>(LampsSeen), all.end());
        LampsSeen = all.size();
        return fresh;
    }

    void OpenPlaylist() {
        Platform.DialogAnswers.push_back(WritePlaylist(WriteSongs(14)));
        Window->Start->click();
    }

    static int RightChoice(TfrmMain& w) {
        return static_cast<int>(w.AnswerList.All().indexOf(w.CorrectAnswer)) + 1;
    }
    static int WrongChoice(TfrmMain& w) { return RightChoice(w) == 1 ? 2 : 1; }
    static Button Letter(int choice) { return static_cast<Button>(choice - 1); }

    std::string Receiver;
    int Sent = 0;
    int Handled = 0;
    std::size_t LampsSeen = 0;
};

} // namespace

TEST_F(BuzzerWindow, AReceiverIsTakenAndAssignmentStartsAtPlayerOne) {
    const std::string keyboard =
        Platform.HidDevices.Plug({.ProductString = QStringLiteral("USB Keyboard")});
    const std::string nameless =
        Platform.HidDevices.Plug({.Attributes = {0x1a2b, 0x00c3, 1}, .ProductString = QString()});
    TfrmMain& w = StartWithReceiver();

    for (TJvHidDevice* device : w.HidCtl->Devices()) {
        EXPECT_TRUE(device->IsClaimed()) << device->PnPInfo().DeviceID;
    }
    TJvHidDevice* unnamed = w.HidCtl->Devices().at(1);
    ASSERT_EQ(unnamed->PnPInfo().DeviceID, nameless);
    EXPECT_EQ(TfrmMain::DescribeDevice(*unnamed), "Device VID=1A2B PID=00C3");
    EXPECT_EQ(w.BuzzerDevice->PnPInfo().DeviceID, Receiver);
    EXPECT_FALSE(unnamed->DataHandler());
    EXPECT_TRUE(Platform.HidDevices.Written(keyboard).empty());
    EXPECT_TRUE(Platform.HidDevices.Written(nameless).empty());

    EXPECT_EQ(w.BuzzerDevice->InputBufferCount(), 128);
    EXPECT_EQ(w.BuzzerDevice->ReaderBufferCount(), 128);
    EXPECT_EQ(NewLampWrites(), std::vector<Bytes>{LampsDark});
    EXPECT_TRUE(IsShown(w.BuzzerPanel));
    EXPECT_EQ(w.BuzzLabel->Caption(), "Buzzer!\nName1, bitte deinen Buzzer drücken");
    EXPECT_FALSE(IsEnabledFlag(w.Start));
    EXPECT_FALSE(w.LoadPlaylist->isEnabled());
    EXPECT_EQ(w.AssignmentCursor, 1);
}

TEST_F(BuzzerWindow, WithoutAReceiverNothingChanges) {
    Platform.HidDevices.Plug({.ProductString = QStringLiteral("Mouse")});
    TfrmMain& w = StartWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w.HidCtl->Devices().empty(); }, 10000));
    EXPECT_EQ(w.BuzzerDevice, nullptr);
    EXPECT_FALSE(IsShown(w.BuzzerPanel));
    EXPECT_TRUE(IsEnabledFlag(w.Start));
}

TEST_F(BuzzerWindow, AssignmentBindsEachRedButtonOnceAndEndsWithTheFourth) {
    TfrmMain& w = StartWithReceiver();
    Bind(3);
    EXPECT_EQ(w.BuzzerAssignment[1].BuzzKey, "00 04 F0");
    EXPECT_EQ(w.BuzzerAssignment[1].AnswerKeys[3], "00 08 F0");
    EXPECT_EQ(w.BuzzerAssignment[1].LampReport, ControllerTable[2].LampReport);
    EXPECT_EQ(w.AssignmentCursor, 2);
    const QString prompt = w.BuzzLabel->Caption();
    EXPECT_EQ(prompt, "Buzzer!\nName2, bitte deinen Buzzer drücken");

    // None of these binds anyone or changes the prompt.
    const std::pair<const char*, Bytes> refused[] = {
        {"an already bound red button", Held(3, RedButton)},
        {"an answer button", Held(1, ButtonA)},
        {"two red buttons held", {0x21, 0x00, 0xF0}},
        {"a release", {0x00, 0x00, 0xF0}},
        {"a report too short", {0x01, 0x00}},
    };
    for (const auto& [what, buttons] : refused) {
        Send(buttons);
        EXPECT_EQ(w.AssignmentCursor, 2) << what;
        EXPECT_EQ(w.BuzzLabel->Caption(), prompt) << what;
        EXPECT_TRUE(w.BuzzerAssignment[2].BuzzKey.isEmpty()) << what;
    }

    Bind(1);
    Bind(4);
    EXPECT_TRUE(IsShown(w.BuzzerPanel));
    EXPECT_FALSE(IsEnabledFlag(w.Start));
    EXPECT_FALSE(w.LoadPlaylist->isEnabled());
    const QString lastPrompt = w.BuzzLabel->Caption();
    Send(Held(2, RedButton));
    EXPECT_FALSE(IsShown(w.BuzzerPanel));
    EXPECT_TRUE(IsEnabledFlag(w.Start));
    EXPECT_TRUE(w.LoadPlaylist->isEnabled());
    EXPECT_EQ(w.BuzzLabel->Caption(), lastPrompt);
    EXPECT_EQ(w.BuzzerAssignment[4].BuzzKey, "20 00 F0");
    EXPECT_EQ(NewLampWrites(), std::vector<Bytes>{LampsDark}) << "binding lights nothing";
}

TEST_F(BuzzerWindow, ThePromptUsesTheNameOrEntryOneWithTheSeat) {
    TfrmMain& w = StartWithReceiver();
    w.Spieler[2]->SetCaption(QStringLiteral("Anna"));
    w.Spieler[3]->SetCaption(QString());
    Bind(1);
    EXPECT_EQ(w.BuzzLabel->Caption(), "Buzzer!\nAnna, bitte deinen Buzzer drücken");
    Bind(2);
    EXPECT_EQ(w.BuzzLabel->Caption(), "Buzzer!\nName3, bitte deinen Buzzer drücken");
}

TEST_F(BuzzerWindow, EscapeEndsAssignmentAndRedButtonsWaitForAPlaylist) {
    TfrmMain& w = StartWithReceiver();
    Bind(2);
    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_FALSE(IsShown(w.BuzzerPanel));
    EXPECT_TRUE(IsEnabledFlag(w.Start));
    EXPECT_TRUE(w.LoadPlaylist->isEnabled());
    EXPECT_EQ(w.AssignmentCursor, 2);
    EXPECT_EQ(w.BuzzerAssignment[1].BuzzKey, "20 00 F0");
    EXPECT_TRUE(w.BuzzerAssignment[2].BuzzKey.isEmpty());

    // Start still shows "Start": nobody can buzz yet.
    Press(2, RedButton);
    EXPECT_EQ(w.CurrentPlayer, 0);
    EXPECT_EQ(w.PlayerP[1]->Color(), MoneyGreen);

    // A player without a controller buzzes by key and lights no lamp.
    OpenPlaylist();
    NewLampWrites();
    QTest::keyClick(&w, Qt::Key_Y);
    EXPECT_EQ(w.CurrentPlayer, 2);
    EXPECT_TRUE(NewLampWrites().empty());
}

TEST_F(BuzzerWindow, OnlyTheAnsweringPlayersButtonsAnswerAndTheRedPanelMovesOn) {
    TfrmMain& w = StartWithReceiver();
    Bind(1);
    Bind(2);
    w.NoMoreBuzzers->click();
    OpenPlaylist();
    const int right = RightChoice(w);
    const int wrong = WrongChoice(w);
    NewLampWrites();

    Press(2, RedButton);
    EXPECT_EQ(w.CurrentPlayer, 2);
    EXPECT_EQ(NewLampWrites(), std::vector<Bytes>{Lamp(2)});
    Press(1, Letter(right));
    EXPECT_EQ(w.CurrentPlayer, 2) << "player 1 is not answering";
    Press(1, RedButton);
    EXPECT_EQ(w.CurrentPlayer, 2) << "BuzzIn refuses while player 2 answers";
    EXPECT_EQ(w.PlayerP[1]->Color(), MoneyGreen);

    Press(2, Letter(wrong));
    EXPECT_EQ(w.PlayerPunkte[2]->Caption(), "-3");
    EXPECT_TRUE(IsShown(w.Gitter[2]));
    EXPECT_EQ(w.CurrentPlayer, 0);
    EXPECT_EQ(NewLampWrites(), std::vector<Bytes>{LampsDark});
    Press(2, RedButton);
    EXPECT_EQ(w.CurrentPlayer, 0) << "locked out";

    Press(1, RedButton);
    EXPECT_EQ(w.CurrentPlayer, 1);
    EXPECT_EQ(NewLampWrites(), std::vector<Bytes>{Lamp(1)});
    Press(1, Letter(wrong));
    EXPECT_EQ(w.CurrentPlayer, 1) << "the wrong choice's button is disabled";
    Press(1, Letter(right));
    EXPECT_EQ(w.CurrentPlayer, 99);
    EXPECT_EQ(w.PlayerPunkte[1]->Caption(), "2");
    EXPECT_EQ(w.PlayerP[1]->Color(), Red);
    EXPECT_TRUE(NewLampWrites().empty()) << "the winner's lamp stays lit";

    const int songsLeft = static_cast<int>(w.SongList.size());
    Press(2, RedButton);
    EXPECT_EQ(w.CurrentPlayer, 99) << "only the red panel's button starts the next song";
    w.Start->setEnabled(false);
    Press(1, RedButton);
    EXPECT_EQ(w.CurrentPlayer, 99) << "not while Start is disabled";
    w.Start->setEnabled(true);
    Press(1, RedButton);
    EXPECT_EQ(w.CurrentPlayer, 0);
    EXPECT_EQ(static_cast<int>(w.SongList.size()), songsLeft - 1);
    EXPECT_EQ(w.PlayerP[1]->Color(), MoneyGreen);
    EXPECT_EQ(NewLampWrites(), std::vector<Bytes>{LampsDark});
}

TEST_F(BuzzerWindow, AHiddenPlayersControllerCannotBuzz) {
    TfrmMain& w = StartWithReceiver();
    Bind(1);
    Bind(2);
    Bind(3);
    Bind(4);
    OpenPlaylist();
    w.PlayerP[3]->hide();
    Press(3, RedButton);
    EXPECT_EQ(w.CurrentPlayer, 0);
    Press(4, RedButton);
    EXPECT_EQ(w.CurrentPlayer, 4);
}

TEST_F(BuzzerWindow, UnpluggedMidGameTheKeysPlayOnAndAReplugStartsAssignmentAgain) {
    TfrmMain& w = StartWithReceiver();
    Bind(1);
    Bind(2);
    w.NoMoreBuzzers->click();
    OpenPlaylist();
    TJvHidDevice* first = w.BuzzerDevice;

    Platform.HidDevices.Unplug(Receiver);
    Platform.HidDevices.AnnounceChange();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !first->IsPluggedIn(); }, 10000));
    EXPECT_FALSE(IsShown(w.BuzzerPanel));
    const std::size_t lampsBefore = Platform.HidDevices.Written(Receiver).size();
    QTest::keyClick(&w, Qt::Key_Q);
    EXPECT_EQ(w.CurrentPlayer, 1);
    EXPECT_EQ(Platform.HidDevices.Written(Receiver).size(), lampsBefore);
    QTest::keyClick(&w, static_cast<Qt::Key>(Qt::Key_0 + RightChoice(w)));
    EXPECT_EQ(w.CurrentPlayer, 99);

    Receiver = Platform.HidDevices.Plug();
    LampsSeen = 0;
    Platform.HidDevices.AnnounceChange();
    AwaitReceiver(first);
    EXPECT_TRUE(IsShown(w.BuzzerPanel));
    EXPECT_EQ(w.AssignmentCursor, 1);
    EXPECT_EQ(NewLampWrites(), std::vector<Bytes>{LampsDark});

    Bind(1);
    Bind(2);
    EXPECT_EQ(w.AssignmentCursor, 1) << "both are bound already";
    // A new controller takes player 1, which frees player 1's old one for player 2.
    Bind(3);
    Bind(1);
    EXPECT_EQ(w.BuzzerAssignment[1].BuzzKey, "00 04 F0");
    EXPECT_EQ(w.BuzzerAssignment[2].BuzzKey, "01 00 F0");
    EXPECT_EQ(w.AssignmentCursor, 3);
}

// Four controllers bound, then five rounds played with nothing but the receiver.
TEST_F(BuzzerWindow, AWholeGameDrivenByBuzzers) {
    TfrmMain& w = StartWithReceiver();
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
            ASSERT_EQ(w.CurrentPlayer, 0);
            EXPECT_EQ(NewLampWrites(), std::vector<Bytes>{LampsDark});
        }
        const int seat = (round - 1) % 4 + 1;
        if (round == 3) {
            // Player 4 tries first and misses.
            Press(slotOf(4), RedButton);
            EXPECT_EQ(NewLampWrites(), std::vector<Bytes>{Lamp(slotOf(4))});
            Press(slotOf(4), Letter(WrongChoice(w)));
            scores[4] -= 3;
            EXPECT_EQ(NewLampWrites(), std::vector<Bytes>{LampsDark});
        }
        Press(slotOf(seat), RedButton);
        ASSERT_EQ(w.CurrentPlayer, seat);
        EXPECT_EQ(NewLampWrites(), std::vector<Bytes>{Lamp(slotOf(seat))});
        const int points = w.PointsValue;
        Press(slotOf(seat), Letter(RightChoice(w)));
        ASSERT_EQ(w.CurrentPlayer, 99);
        scores[seat] += points;
        winner = seat;
        for (int p = 1; p <= 4; ++p) {
            EXPECT_EQ(w.Score(p), scores[p]) << "player " << p;
        }
    }
    EXPECT_EQ(scores, (std::array<int, 5>{0, 6, 3, 2, 0}));
}

// Start enabled under a running answer window would start a round that the window's end
// then charges to nobody.
TEST_F(BuzzerWindow, AReceiverPluggedInWhileAPlayerAnswersKeepsStartForTheAnswer) {
    TfrmMain& w = StartWindow();
    OpenPlaylist();
    QTest::keyClick(&w, Qt::Key_Q);
    ASSERT_EQ(w.CurrentPlayer, 1);
    // The answer window waits for the test, not for the clock.
    w.Timer3->stop();

    Receiver = Platform.HidDevices.Plug();
    Platform.HidDevices.AnnounceChange();
    AwaitReceiver(nullptr);
    Bind(1);
    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_FALSE(IsShown(w.BuzzerPanel));
    EXPECT_FALSE(IsEnabledFlag(w.Start));
    EXPECT_TRUE(w.LoadPlaylist->isEnabled());

    Press(1, Letter(RightChoice(w)));
    EXPECT_EQ(w.CurrentPlayer, 99);
    EXPECT_TRUE(IsEnabledFlag(w.Start));
}

TEST_F(BuzzerWindow, AnErrorWhileTakingAReceiverLeavesNoneInUseAndShowsNothing) {
    Receiver = Platform.HidDevices.Plug({.WritesThrow = true});
    TfrmMain& w = StartWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w.HidCtl->Devices().empty(); }, 10000));
    EXPECT_TRUE(w.HidCtl->Devices().front()->IsClaimed());
    EXPECT_EQ(w.BuzzerDevice, nullptr);
    EXPECT_FALSE(IsShown(w.BuzzerPanel));
    EXPECT_TRUE(IsEnabledFlag(w.Start));
    EXPECT_TRUE(Platform.Errors.isEmpty());
}
