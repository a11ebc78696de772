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

  private:
    void ShowLines();
    void ShowChoiceButtons();

    const QuizGame& Game;
};

} // namespace harvoline
