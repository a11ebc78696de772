#pragma once

#include <QObject>
#include <array>

class QWidget;

namespace harvoline {

struct EmbeddedPicture;
class PictureBox;
class QuizGame;

// The song's own picture at the top right, the last clue of a song round, under four masks
// that open one by one. Masks are numbered 1 to 4.
class MiniCoverView : public QObject {
  public:
    MiniCoverView(const QuizGame& game, QWidget* frame);

    PictureBox* MiniCover;
    std::array<PictureBox*, 5> MiniCoverMasks{};

    // False when the picture cannot be decoded; the small cover then stays empty.
    bool ShowPicture(const EmbeddedPicture& picture);
    void ClearPicture();
    // The masks' white is drawn transparent.
    void PrepareMasks();
    void MoveTo(int left);

  private:
    void ShowMiniCover();

    const QuizGame& Game;
};

} // namespace harvoline
