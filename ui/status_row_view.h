#pragma once

#include <QObject>

class QFrame;
class QWidget;

namespace harvoline {

class CaptionLabel;
class FilledPanel;
class QuizGame;

// The row across the frame: the count of songs still to come, the round's clock, the
// points at stake, and the bar that shrinks while a seat answers.
class StatusRowView : public QObject {
  public:
    StatusRowView(const QuizGame& game, QWidget* frame);

    CaptionLabel* SongCountLabel;
    CaptionLabel* RoundClockLabel;
    CaptionLabel* PointsLabel;
    QFrame* AnswerTimeTrack;
    FilledPanel* AnswerTimeBar;
    // The single-player game's time left, inside the answer bar's track.
    CaptionLabel* TimeLeftLabel;

    // The colour the settings name for the clock and the points.
    void ApplyClockColour();
    // The count, right-aligned with the end of the track.
    void ShowSongCount();
    // In single-player mode, right-aligned in the track.
    void ShowTimeLeft();

  private:
    void ShowClock();
    void ShowPoints();
    void ShowAnswerTime();

    const QuizGame& Game;
};

} // namespace harvoline
