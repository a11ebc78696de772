#pragma once

#include <QObject>
#include <QTimer>

class QWidget;

namespace harvoline {

class CaptionLabel;
class FilledPanel;
class QuizGame;

// The four yellow hints a new user sees at the start: the menu behind the icon, the title
// that maximises the window, and the player's own picture and name. They go after 15
// seconds, at a click on one of them or on the background, or when the game starts.
class StartHints : public QObject {
  public:
    StartHints(const QuizGame& game, QWidget* frame, QWidget* seatPanel);

    FilledPanel* TitleHint;
    FilledPanel* MenuHint;
    FilledPanel* PictureHint;
    CaptionLabel* PictureHintText;
    FilledPanel* NameHint;
    CaptionLabel* NameHintText;
    QTimer StartHintsTimer;

    // The hint colour, which tool tips take too.
    void UseHintColour();
    void Hide();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void ShowTexts();

    const QuizGame& Game;
};

} // namespace harvoline
