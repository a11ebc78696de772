#include "ui/phone_panel_view.h"

#include "model/game/quiz_game.h"
#include "ui/qr_code_view.h"
#include "ui/widgets/colours.h"
#include "ui/widgets/filled_panel.h"
#include "ui/widgets/make_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>

namespace harvoline {

namespace {

QLabel* PanelLabel(QWidget* parent, const QString& name, const QRect& geometry, int pixels) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setFont(PixelFont(pixels, true));
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

PhonePanelView::PhonePanelView(const QuizGame& game, QWidget* frame) : QObject(frame), Game(game) {
    Panel = new FilledPanel(frame, QStringLiteral("PhonePanel"));
    Panel->resize(620, 480);
    Panel->SetColor(0xFFFFFF);
    Panel->SetBevel(1, 2);
    JoinPrompt = PanelLabel(Panel, QStringLiteral("PhoneJoinPrompt"), {16, 8, 588, 40}, 26);
    JoinPrompt->setAlignment(Qt::AlignCenter);
    Code = new QrCodeView(Panel, QStringLiteral("PhoneJoinCode"));
    Code->setGeometry(16, 52, 340, 340);
    Address = PanelLabel(Panel, QStringLiteral("PhoneJoinAddress"), {16, 396, 588, 36}, 28);
    Address->setAlignment(Qt::AlignCenter);
    Address->setTextInteractionFlags(Qt::TextSelectableByMouse);
    for (int seat = 1; seat <= 4; ++seat) {
        const int top = 60 + 44 * (seat - 1);
        SeatLines[seat] =
            PanelLabel(Panel, QStringLiteral("PhoneSeat%1").arg(seat), {370, top, 150, 36}, 17);
        FreeButtons[seat] = MakeButton(Panel, QStringLiteral("PhoneFree%1").arg(seat), QString(),
                                       {522, top + 4, 82, 28}, PixelFont(13));
        connect(FreeButtons[seat], &QPushButton::clicked, this,
                [this, seat] { emit FreeSeatClicked(seat); });
    }
    LockJoining = new QCheckBox(Panel);
    LockJoining->setObjectName(QStringLiteral("PhoneLockJoining"));
    LockJoining->setGeometry(370, 240, 234, 30);
    LockJoining->setFont(PixelFont(15));
    LockJoining->setFocusPolicy(Qt::NoFocus);
    connect(LockJoining, &QCheckBox::toggled, this, &PhonePanelView::JoiningLockToggled);
    BuzzOrder = PanelLabel(Panel, QStringLiteral("PhoneBuzzOrder"), {370, 276, 234, 80}, 14);
    AddressChoice = new QComboBox(Panel);
    AddressChoice->setObjectName(QStringLiteral("PhoneAddressChoice"));
    AddressChoice->setGeometry(370, 360, 234, 28);
    AddressChoice->setFont(PixelFont(14));
    AddressChoice->setFocusPolicy(Qt::NoFocus);
    connect(AddressChoice, &QComboBox::activated, this,
            [this] { emit AddressChosen(AddressChoice->currentText()); });
    BuzzOrder->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    HideButton = MakeButton(Panel, QStringLiteral("PhoneHide"), QString(), {504, 440, 100, 28},
                            PixelFont(14));
    connect(HideButton, &QPushButton::clicked, Panel, &QWidget::hide);
    Panel->hide();
    ShowTexts();
    connect(&Game, &QuizGame::LanguageChanged, this, &PhonePanelView::ShowTexts);
}

void PhonePanelView::ShowTexts() {
    const GameConfig& config = Game.Config();
    JoinPrompt->setText(config.Text(PhonesJoinText));
    LockJoining->setText(config.Text(PhonesLockText));
    HideButton->setText(config.Text(PhonesHideText));
    for (int seat = 1; seat <= 4; ++seat) {
        FreeButtons[seat]->setText(config.Text(PhonesFreeText));
    }
}

void PhonePanelView::ShowJoin(const QString& url, const QString& hostAndPort) {
    Code->SetText(url);
    Address->setText(QStringLiteral("http://") + hostAndPort);
}

void PhonePanelView::ShowAddresses(const QStringList& addresses, const QString& inUse) {
    AddressChoice->clear();
    AddressChoice->addItems(addresses);
    if (!addresses.contains(inUse)) {
        AddressChoice->addItem(inUse);
    }
    AddressChoice->setCurrentText(inUse);
}

void PhonePanelView::ShowSeats(const std::array<bool, 5>& taken,
                               const std::array<bool, 5>& linked) {
    for (int seat = 1; seat <= 4; ++seat) {
        const QString name = Game.SeatAt(seat).Name;
        const QString mark = linked[seat]  ? QStringLiteral(" \u2714")
                             : taken[seat] ? QStringLiteral(" \u2026")
                                           : QString();
        SeatLines[seat]->setText(QStringLiteral("%1 %2%3").arg(seat).arg(name, mark));
        SeatLines[seat]->setVisible(Game.TakesPart(seat));
        FreeButtons[seat]->setVisible(Game.TakesPart(seat) && taken[seat]);
    }
}

void PhonePanelView::ShowOrder(const QString& order) {
    BuzzOrder->setText(order.isEmpty() ? QString()
                                       : Game.Config().Text(PhonesOrderText) + u'\n' + order);
}

void PhonePanelView::Show() {
    Panel->show();
    Panel->raise();
}

void PhonePanelView::Place(const QSize& window) {
    Panel->move((window.width() - Panel->width()) / 2, (window.height() - Panel->height()) / 2);
}

} // namespace harvoline
