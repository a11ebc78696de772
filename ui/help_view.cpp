#include "ui/help_view.h"

#include "model/config/language.h"
#include "model/config/settings.h"
#include "model/game/highscores.h"
#include "model/game/quiz_game.h"
#include "ui/widgets/colours.h"
#include "ui/widgets/make_controls.h"

namespace harvoline {

namespace {

// The about page lists the best fifteen.
constexpr int LastHighscoreLineShown = 25;

CaptionLabel* MakePage(QWidget* frame, const QString& name) {
    CaptionLabel* page = MakeLabel(frame, name, {18, 258}, PixelFont(13, true));
    page->SetFontColor(Lime);
    page->setWordWrap(true);
    page->hide();
    return page;
}

} // namespace

HelpView::HelpView(const QuizGame& game, QWidget* frame)
    : QObject(frame), Game(game), HelpBody(DefaultHelpText()) {
    HelpText = MakePage(frame, QStringLiteral("HelpText"));
    HelpText->SetCaption(HelpBody);
    AboutText = MakePage(frame, QStringLiteral("AboutText"));
    CloseHelpButton = MakeButton(frame, QStringLiteral("CloseHelpButton"), QStringLiteral("Ok"),
                                 {746, 519, 49, 43}, PixelFont(24));
    CloseHelpButton->hide();
    connect(&Game, &QuizGame::NotesChanged, this, &HelpView::ShowHelpText);
    connect(&Game, &QuizGame::LanguageChanged, this, &HelpView::TakeLanguagesHelp);
}

// What the start found out about covers, videos and receivers stays under any help text.
void HelpView::ShowHelpText() {
    HelpText->SetCaption(HelpBody + Game.Notes());
}

void HelpView::TakeLanguagesHelp() {
    const QString help = HelpTextOf(Game.Config().Language());
    if (!help.isEmpty()) {
        HelpBody = help;
        ShowHelpText();
    }
}

void HelpView::ShowHelp() {
    HelpText->show();
}

void HelpView::ShowAbout() {
    const SettingsLines& settings = Game.Config().Settings();
    QString text = Game.Config().Text(12) + u'\n';
    for (int i = FirstHighscoreLine; i < settings.Count() && i <= LastHighscoreLineShown; ++i) {
        text += u'\n' + QString::number(i - 10) + QStringLiteral(") ") +
                ScrambleLine(settings.Line(i), -1);
    }
    text += QStringLiteral("\n\nHarvoline - made for quiz nights with friends.");
    AboutText->SetCaption(text);
    AboutText->show();
}

void HelpView::HidePages() {
    HelpText->hide();
    AboutText->hide();
}

void HelpView::FitPages(int windowWidth) {
    for (CaptionLabel* page : {HelpText, AboutText}) {
        page->resize(windowWidth - page->x() - 15, page->height());
        page->FitToText();
    }
}

} // namespace harvoline
