#include "ui/start_hints.h"

#include "model/game/quiz_game.h"
#include "ui/widgets/caption_label.h"
#include "ui/widgets/colours.h"
#include "ui/widgets/filled_panel.h"

#include <QEvent>
#include <QToolTip>

namespace harvoline {

namespace {

constexpr std::uint32_t HintColor = 0x00A8FF;

FilledPanel* MakeHint(QWidget* parent, const QString& name, const QRect& geometry) {
    auto* hint = new FilledPanel(parent, name);
    hint->setGeometry(geometry);
    hint->SetColor(Yellow);
    return hint;
}

CaptionLabel* MakeHintText(FilledPanel* hint, const QString& name) {
    auto* text = new CaptionLabel(hint, name, false);
    text->setGeometry(hint->rect());
    text->setAlignment(Qt::AlignCenter);
    text->setWordWrap(true);
    return text;
}

} // namespace

StartHints::StartHints(const QuizGame& game, QWidget* frame, QWidget* seatPanel)
    : QObject(frame), Game(game) {
    TitleHint = MakeHint(frame, QStringLiteral("TitleHint"), {472, 32, 249, 22});
    MenuHint = MakeHint(frame, QStringLiteral("MenuHint"), {88, 16, 193, 22});
    PictureHint = MakeHint(seatPanel, QStringLiteral("PictureHint"), {13, 96, 172, 28});
    PictureHintText = MakeHintText(PictureHint, QStringLiteral("PictureHintText"));
    NameHint = MakeHint(seatPanel, QStringLiteral("NameHint"), {0, 264, 193, 33});
    NameHintText = MakeHintText(NameHint, QStringLiteral("NameHintText"));
    for (FilledPanel* hint : {TitleHint, MenuHint, PictureHint, NameHint}) {
        hint->installEventFilter(this);
    }
    StartHintsTimer.setObjectName(QStringLiteral("StartHintsTimer"));
    StartHintsTimer.setInterval(15000);
    connect(&StartHintsTimer, &QTimer::timeout, this, &StartHints::Hide);
    StartHintsTimer.start();
    connect(&Game, &QuizGame::LanguageChanged, this, &StartHints::ShowTexts);
}

void StartHints::UseHintColour() {
    QPalette tips = QToolTip::palette();
    tips.setColor(QPalette::ToolTipBase, ColorFromValue(HintColor));
    QToolTip::setPalette(tips);
    TitleHint->SetColor(HintColor);
    MenuHint->SetColor(HintColor);
    for (CaptionLabel* text : {PictureHintText, NameHintText}) {
        QPalette p = text->palette();
        p.setColor(QPalette::Window, ColorFromValue(HintColor));
        text->setPalette(p);
        text->setAutoFillBackground(true);
    }
}

void StartHints::Hide() {
    StartHintsTimer.stop();
    for (FilledPanel* hint : {TitleHint, MenuHint, PictureHint, NameHint}) {
        hint->hide();
    }
}

void StartHints::ShowTexts() {
    TitleHint->SetCaption(Game.Config().Text(23));
    MenuHint->SetCaption(Game.Config().Text(24));
    PictureHintText->SetCaption(Game.Config().Text(21));
    NameHintText->SetCaption(Game.Config().Text(22));
}

// A user who clicks a hint has read it.
bool StartHints::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        Hide();
        return true;
    }
    return false;
}

} // namespace harvoline
