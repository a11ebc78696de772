#pragma once

#include <QObject>
#include <array>

class QImage;
class QWidget;

namespace harvoline {

class FilledPanel;
class PictureBox;
class QuizGame;

// A cover round's picture under its 64 tiles, which spell "COVER!" across the third row.
// Tiles are numbered 1 to 64, row by row.
class CoverView : public QObject {
  public:
    CoverView(const QuizGame& game, QWidget* window);

    FilledPanel* CoverPanel;
    PictureBox* CoverPicture;
    std::array<FilledPanel*, 65> CoverTiles{};

    void SetPicture(const QImage& picture);
    // The picture and the tiles fill the panel's inside, whatever size the layout gave it.
    void PlaceGrid();

  private:
    void ShowCover();
    void ShowColours();
    void ShowRevealed();

    const QuizGame& Game;
};

} // namespace harvoline
