#pragma once

#include <QObject>

class QPushButton;
class QWidget;

namespace harvoline {

class BuzzerInput;
class CaptionLabel;
class FilledPanel;
class QuizGame;

// The panel that asks the players in turn to press the red button of their controller.
class BuzzerSetupView : public QObject {
  public:
    BuzzerSetupView(const QuizGame& game, const BuzzerInput& buzzers, QWidget* frame);

    FilledPanel* BuzzerSetupPanel;
    CaptionLabel* BuzzerSetupPrompt;
    QPushButton* SkipBuzzerSetupButton;

  private:
    void ShowSetup();
    void ShowTexts();
    QString Prompt(int seat) const;

    const QuizGame& Game;
    const BuzzerInput& Buzzers;
};

} // namespace harvoline
