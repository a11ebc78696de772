#include "app/phone_buzzers.h"

#include "model/game/quiz_game.h"
#include "model/game/report_errors.h"
#include "model/input/buzz_decision.h"
#include "phones/lan_address.h"
#include "platform/platform.h"
#include "ui/main_window.h"
#include "ui/phone_panel_view.h"
#include "ui/widgets/filled_panel.h"

#include <QAction>
#include <QCheckBox>

namespace harvoline {

PhoneBuzzers::PhoneBuzzers(Platform& platform, QuizGame& game, MainWindow& window,
                           BuzzDecision& decision)
    : Os(platform), Game(game), Window(window), Decision(decision), Phones(game) {
    PhonePanelView* panel = Window.PhonePanel;
    connect(Window.PhonesAction, &QAction::toggled, this,
            [this](bool on) { ReportErrors(Os, [this, on] { Switch(on); }); });
    connect(Window.PhoneJoinAction, &QAction::triggered, panel, &PhonePanelView::Show);
    connect(&Phones, &PhoneInput::SeatsChanged, this, &PhoneBuzzers::ShowSeats);
    connect(panel, &PhonePanelView::FreeSeatClicked, &Phones, &PhoneInput::FreeSeat);
    connect(panel, &PhonePanelView::JoiningLockToggled, &Phones, &PhoneInput::SetJoiningLocked);
    connect(&Game, &QuizGame::PhaseChanged, this, &PhoneBuzzers::ShowOrder);
    connect(panel, &PhonePanelView::AddressChosen, this, [this](const QString& address) {
        ReportErrors(Os, [this, address] {
            Phones.ChooseAddress(address);
            ShowJoin();
        });
    });
}

void PhoneBuzzers::Switch(bool on) {
    PhonePanelView* panel = Window.PhonePanel;
    if (on && !Phones.On() && !Phones.SwitchOn()) {
        Window.PhonesAction->setChecked(false);
        Os.ShowMessage(Game.Config().Text(PhonesNoAddressText));
        return;
    }
    Window.PhoneJoinAction->setEnabled(on);
    if (!on) {
        Phones.SwitchOff();
        panel->Panel->hide();
        return;
    }
    panel->LockJoining->setChecked(false);
    ShowJoin();
    panel->Show();
}

void PhoneBuzzers::ShowJoin() {
    PhonePanelView* panel = Window.PhonePanel;
    QStringList addresses;
    for (const QHostAddress& address : CandidateAddresses()) {
        addresses << address.toString();
    }
    panel->ShowAddresses(addresses, Phones.Address());
    panel->ShowJoin(Phones.JoinUrl(), Phones.HostAndPort());
}

void PhoneBuzzers::ShowSeats() {
    std::array<bool, 5> taken{};
    std::array<bool, 5> linked{};
    for (int seat = 1; seat <= 4; ++seat) {
        taken[seat] = Phones.SeatTaken(seat);
        linked[seat] = Phones.PhoneLinked(seat);
    }
    Window.PhonePanel->ShowSeats(taken, linked);
    // Only a change of the phones' need sets the window, which other inputs may set too.
    if (Phones.DecisionWindowMs() != WindowMs) {
        WindowMs = Phones.DecisionWindowMs();
        Decision.SetWindowMs(WindowMs);
    }
}

// Once a seat has the turn, the panel tells how close the others were.
void PhoneBuzzers::ShowOrder() {
    if (Game.Phase() != RoundPhase::Answering || Decision.LastOrder().empty()) {
        return;
    }
    const std::vector<BuzzClaim>& order = Decision.LastOrder();
    QStringList lines;
    for (const BuzzClaim& claim : order) {
        const QString name = Game.SeatAt(claim.Seat).Name;
        const double gapMs = (claim.PressedAtUs - order.front().PressedAtUs) / 1000.0;
        lines << (claim.Seat == order.front().Seat
                      ? name
                      : QStringLiteral("%1  +%2 ms").arg(name).arg(gapMs, 0, 'f', 1));
    }
    Window.PhonePanel->ShowOrder(lines.join(u'\n'));
}

} // namespace harvoline
