#include "ui/buzzer_setup_view.h"

#include "model/game/quiz_game.h"
#include "model/input/buzzer_input.h"
#include "model/input/gamepad_input.h"
#include "ui/widgets/colours.h"
#include "ui/widgets/filled_panel.h"
#include "ui/widgets/make_controls.h"

namespace harvoline {

namespace {

constexpr int PanelHeight = 73;
constexpr int LegendHeight = 52;

} // namespace

BuzzerSetupView::BuzzerSetupView(const QuizGame& game, const BuzzerInput& buzzers, QWidget* frame)
    : QObject(frame), Game(game), Buzzers(buzzers) {
    BuzzerSetupPanel = new FilledPanel(frame, QStringLiteral("BuzzerSetupPanel"));
    BuzzerSetupPanel->setGeometry(208, 130, 385, PanelHeight);
    BuzzerSetupPanel->SetColor(MoneyGreen);
    BuzzerSetupPanel->setFont(PixelFont(19));
    BuzzerSetupPrompt =
        new CaptionLabel(BuzzerSetupPanel, QStringLiteral("BuzzerSetupPrompt"), false);
    BuzzerSetupPrompt->setGeometry(BuzzerSetupPanel->rect());
    // From the top, so that the two lines of a prompt stand clear of the button below them.
    BuzzerSetupPrompt->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    BuzzerSetupPrompt->setContentsMargins(0, 2, 0, 0);
    BuzzerSetupPrompt->setWordWrap(true);
    SkipBuzzerSetupButton = MakeButton(BuzzerSetupPanel, QStringLiteral("SkipBuzzerSetupButton"),
                                       QStringLiteral("Abbruch"), {312, 48, 70, 20}, frame->font());
    GamepadLegend = new CaptionLabel(BuzzerSetupPanel, QStringLiteral("GamepadLegend"), false);
    GamepadLegend->setGeometry(8, 48, 369, LegendHeight - 4);
    GamepadLegend->setFont(PixelFont(12));
    GamepadLegend->setWordWrap(true);
    GamepadLegend->hide();
    BuzzerSetupPanel->hide();
    connect(&Buzzers, &BuzzerInput::SetupChanged, this, &BuzzerSetupView::ShowSetup);
    connect(&Game, &QuizGame::LanguageChanged, this, &BuzzerSetupView::ShowTexts);
}

QString BuzzerSetupView::Prompt(int seat) const {
    const QString name = Game.SeatAt(seat).Name;
    const QString who = name.isEmpty() ? Game.Config().Text(1) + QString::number(seat) : name;
    return QStringLiteral("Buzzer!\n") + who + QStringLiteral(", ") + Game.Config().Text(32);
}

void BuzzerSetupView::FollowGamepads(const GamepadInput& pads) {
    Pads = &pads;
    connect(Pads, &GamepadInput::SetupChanged, this, &BuzzerSetupView::ShowSetup);
}

bool BuzzerSetupView::ShowsPads() const {
    return !Buzzers.SetupOpen() && Pads && Pads->SetupOpen();
}

// The prompt names the next seat to bind; once all are bound it stays as it was.
void BuzzerSetupView::ShowSetup() {
    const bool pads = ShowsPads();
    ShowLegend(pads);
    if (pads) {
        GamepadLegend->SetCaption(Game.Config().Text(GamepadLegendText));
        BuzzerSetupPrompt->SetCaption(
            Game.Config().Text(GamepadPromptText).arg(Pads->SeatToBind()));
    } else if (Buzzers.SeatToBind() <= 4) {
        BuzzerSetupPrompt->SetCaption(Prompt(Buzzers.SeatToBind()));
    }
    BuzzerSetupPanel->setVisible(Buzzers.SetupOpen() || pads);
}

void BuzzerSetupView::ShowTexts() {
    SkipBuzzerSetupButton->setText(Game.Config().Text(25));
    const int seat = Buzzers.SetupOpen() ? Buzzers.SeatToBind() : 1;
    BuzzerSetupPrompt->SetCaption(Prompt(seat));
    if (ShowsPads()) {
        ShowSetup();
    }
}

void BuzzerSetupView::ShowLegend(bool shown) {
    GamepadLegend->setVisible(shown);
    const int height = shown ? PanelHeight + LegendHeight : PanelHeight;
    const QRect place = BuzzerSetupPanel->geometry();
    if (place.height() == height) {
        return;
    }
    BuzzerSetupPanel->setGeometry(place.x(), place.y() + place.height() - height, place.width(),
                                  height);
    BuzzerSetupPrompt->setGeometry(BuzzerSetupPanel->rect());
    SkipBuzzerSetupButton->move(SkipBuzzerSetupButton->x(), height - 25);
}

} // namespace harvoline
