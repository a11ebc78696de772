#pragma once

#include <QObject>

class QPushButton;
class QWidget;

namespace harvoline {

class CaptionLabel;
class QuizGame;

// The two text pages, the short help and the highscores, and their Ok button.
class HelpView : public QObject {
  public:
    HelpView(const QuizGame& game, QWidget* frame);

    CaptionLabel* HelpText;
    CaptionLabel* AboutText;
    QPushButton* CloseHelpButton;

    void ShowHelp();
    // The highscores from the settings, unscrambled.
    void ShowAbout();
    void HidePages();
    // The pages wrap inside the window, left of the Ok button.
    void FitPages(int windowWidth);

  private:
    void ShowHelpText();
    void TakeLanguagesHelp();

    const QuizGame& Game;
    // The help of the last language that brought one, else the built-in one.
    QString HelpBody;
};

} // namespace harvoline
