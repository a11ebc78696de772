#pragma once

#include <QObject>
#include <array>

class QPushButton;
class QWidget;

namespace harvoline {

class CaptionLabel;
class FilledPanel;
class QuizGame;

// The four answer lines with the grey shadows that keep a wrong choice readable, and the
// coloured choice buttons beside them while a seat answers. Arrays are indexed by choice,
// 1 to 4.
class AnswerBoardView : public QObject {
  public:
    // The lines lie on the frame, the buttons on the window above it.
    AnswerBoardView(const QuizGame& game, QWidget* frame, QWidget* window);

    std::array<CaptionLabel*, 5> AnswerShadows{};
    std::array<CaptionLabel*, 5> AnswerLines{};
    std::array<FilledPanel*, 5> ChoiceFrames{};
    std::array<QPushButton*, 5> ChoiceButtons{};

    // The lines end left of the small cover; their fonts grow with the window's scale.
    void FitLines(int right, double scale);

  private:
    void ShowLines();
    void ShowChoiceButtons();

    const QuizGame& Game;
    int Right;
    double Scale = 1.0;
};

} // namespace harvoline
