#pragma once

#include <QImage>
#include <QObject>
#include <array>

class QWidget;

namespace harvoline {

class CaptionLabel;
class PictureBox;
class QuizGame;

// The page that closes a playlist: the seats that took part, best first, with their
// pictures, names, scores and best times, and the winners marked. After a single-player
// game it shows the player's result and place among the highscores instead. Rows are
// numbered 1 to 4 from the top.
class StandingsView : public QObject {
  public:
    StandingsView(const QuizGame& game, QWidget* frame);

    QWidget* Page;
    CaptionLabel* Title;
    std::array<PictureBox*, 5> RowPictures{};
    std::array<CaptionLabel*, 5> RowNames{};
    std::array<CaptionLabel*, 5> RowScores{};
    std::array<CaptionLabel*, 5> RowTimes{};
    std::array<CaptionLabel*, 5> RowMarks{};
    // The single-player result and its place among the highscores.
    CaptionLabel* Note;

    // The seats' pictures are the window's, indexed by seat.
    void ShowStandings(const std::array<QImage, 5>& pictures);
    void ShowSingleResult(const QImage& picture);
    bool IsOpen() const;
    void Hide();

  private:
    void ShowRow(int row, int seat, const QImage& picture, const QString& place);
    void HideRows(int fromRow);
    void SetRowShown(int row, bool shown);

    const QuizGame& Game;
};

} // namespace harvoline
