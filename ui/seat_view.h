#pragma once

#include <QObject>
#include <QTimer>

class QAction;
class QLineEdit;
class QMenu;
class QPushButton;
class QWidget;

namespace harvoline {

class CaptionLabel;
class FilledPanel;
class PictureBox;
class QuizGame;

// One seat at the table: its panel, red while the seat holds the turn, with the player's
// picture, name and its editor, score, best time, buzz button and the lock-out overlay.
class SeatView : public QObject {
    Q_OBJECT

  public:
    SeatView(const QuizGame& game, int seat, QWidget* window);

    FilledPanel* Panel;
    PictureBox* Picture;
    CaptionLabel* Name;
    QLineEdit* NameEditor;
    CaptionLabel* Score;
    CaptionLabel* BestTime;
    QPushButton* BuzzButton;
    PictureBox* LockOutOverlay;
    // The quiz master's corrections, on a right-click or a long press on the score.
    QMenu* ScoreMenu;
    QAction* AddPointAction;
    QAction* TakePointAction;
    QAction* UndoScoreAction;
    QTimer LongPress;

    // The hints on the name and the picture stay until the player has chosen their own.
    bool NameHintOn = true;
    bool PictureHintOn = true;
    void ApplyHints();

    // A text page lies over the seats while it is open.
    void SetCoveredByPage(bool covered);
    // The editor stays open, empty, while its seat is away, for when the seat comes back.
    bool EditingName() const { return Editing; }
    void OpenNameEditor();
    void CloseNameEditor();
    // The undo item names the change it takes back.
    void OpenScoreMenu(const QPoint& globalPos);

  signals:
    void NameDoubleClicked(int seat);
    void PictureDoubleClicked(int seat);
    // Enter pressed, or the focus moved on inside the window.
    void NameEditFinished(int seat);
    void ScoreCorrected(int seat, int points);
    void ScoreChangeUndone(int seat);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void ShowSeat();
    void ShowMark();
    void ShowBuzzButton();
    void CreateScoreMenu();
    bool ScoreEvent(QEvent* event);

    const QuizGame& Game;
    const int SeatNumber;
    bool CoveredByPage = false;
    bool Editing = false;
};

} // namespace harvoline
