#include "ui/answer_board_view.h"

#include "model/game/colours.h"
#include "model/game/quiz_game.h"
#include "ui/widgets/colours.h"
#include "ui/widgets/filled_panel.h"
#include "ui/widgets/make_controls.h"

namespace harvoline {

namespace {

constexpr int LineTops[5] = {0, 34, 74, 114, 154};
constexpr int LinePixels = 32;
// Still read across a room; a longer answer is elided in the middle.
constexpr int LeastLinePixels = 16;
// Where the small cover stands at the design size, and the room left before it.
constexpr int MiniCoverLeft = 632;
constexpr int CoverGap = 4;

std::uint32_t LineColour(LineMark mark) {
    switch (mark) {
    case LineMark::Right:
        return Red;
    case LineMark::Revealed:
        return Yellow;
    case LineMark::Choice:
        break;
    }
    return Lime;
}

void SetColourIfNew(CaptionLabel* label, std::uint32_t colour) {
    if (label->palette().color(QPalette::WindowText) != ColorFromValue(colour)) {
        label->SetFontColor(colour);
    }
}

} // namespace

AnswerBoardView::AnswerBoardView(const QuizGame& game, QWidget* frame, QWidget* window)
    : QObject(frame), Game(game), Right(MiniCoverLeft - CoverGap) {
    for (int choice = 1; choice <= 4; ++choice) {
        AnswerShadows[choice] = MakeLabel(frame, QStringLiteral("AnswerShadow%1").arg(choice),
                                          {52, LineTops[choice] + 2}, PixelFont(32));
        AnswerShadows[choice]->SetFontColor(Gray);
        AnswerLines[choice] = MakeLabel(frame, QStringLiteral("AnswerLine%1").arg(choice),
                                        {50, LineTops[choice]}, PixelFont(32));
        AnswerLines[choice]->SetFontColor(Lime);
    }
    for (int choice = 1; choice <= 4; ++choice) {
        ChoiceFrames[choice] = new FilledPanel(window, QStringLiteral("ChoiceFrame%1").arg(choice));
        ChoiceFrames[choice]->setGeometry(8, LineTops[choice], 37, 37);
        ChoiceFrames[choice]->SetColor(ChoiceColours[choice]);
        ChoiceButtons[choice] =
            MakeButton(ChoiceFrames[choice], QStringLiteral("ChoiceButton%1").arg(choice),
                       QStringLiteral("&%1").arg(choice), {3, 3, 30, 30}, PixelFont(24, true));
        ChoiceFrames[choice]->hide();
    }
    connect(&Game, &QuizGame::ClueChanged, this, &AnswerBoardView::ShowLines);
    connect(&Game, &QuizGame::PhaseChanged, this, &AnswerBoardView::ShowChoiceButtons);
}

void AnswerBoardView::ShowLines() {
    for (int choice = 1; choice <= 4; ++choice) {
        const ChoiceLine& line = Game.Line(choice);
        const int width = Right - AnswerShadows[choice]->x();
        const auto pixels = [this](int design) { return static_cast<int>(design * Scale); };
        AnswerLines[choice]->ShowFitted(line.Text, width, pixels(LinePixels),
                                        pixels(LeastLinePixels));
        AnswerShadows[choice]->ShowFitted(line.Shadow, width, pixels(LinePixels),
                                          pixels(LeastLinePixels));
        SetColourIfNew(AnswerLines[choice], LineColour(line.Mark));
        ChoiceButtons[choice]->setEnabled(line.Open);
    }
}

// The buttons show only while a seat answers.
void AnswerBoardView::ShowChoiceButtons() {
    const bool answering = Game.Phase() == RoundPhase::Answering;
    for (FilledPanel* choiceFrame : ChoiceFrames) {
        if (choiceFrame != nullptr) {
            choiceFrame->setVisible(answering);
        }
    }
}

void AnswerBoardView::FitLines(int right, double scale) {
    Right = right - CoverGap;
    Scale = scale;
    ShowLines();
}

} // namespace harvoline
