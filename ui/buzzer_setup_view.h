#pragma once

#include <QObject>

class QPushButton;
class QWidget;

namespace harvoline {

class BuzzerInput;
class CaptionLabel;
class FilledPanel;
class GamepadInput;
class QuizGame;

// The panel that asks the players in turn to press the red button of their controller, or
// a button on their gamepad, with the pads' buttons below.
class BuzzerSetupView : public QObject {
  public:
    BuzzerSetupView(const QuizGame& game, const BuzzerInput& buzzers, QWidget* frame);

    // The pads are asked for when no receiver is being bound.
    void FollowGamepads(const GamepadInput& pads);

    FilledPanel* BuzzerSetupPanel;
    CaptionLabel* BuzzerSetupPrompt;
    QPushButton* SkipBuzzerSetupButton;
    CaptionLabel* GamepadLegend;

  private:
    void ShowSetup();
    void ShowTexts();
    QString Prompt(int seat) const;
    bool ShowsPads() const;
    // The legend makes the panel taller; it grows upwards, its foot staying where it was.
    void ShowLegend(bool shown);

    const QuizGame& Game;
    const BuzzerInput& Buzzers;
    const GamepadInput* Pads = nullptr;
};

} // namespace harvoline
