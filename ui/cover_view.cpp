#include "ui/cover_view.h"

#include "model/game/quiz_game.h"
#include "ui/widgets/colours.h"
#include "ui/widgets/filled_panel.h"
#include "ui/widgets/make_controls.h"
#include "ui/widgets/picture_box.h"

namespace harvoline {

namespace {

// The tiles that carry the letters of "COVER!".
constexpr int FirstLetterTile = 18;
constexpr int LastLetterTile = 23;

} // namespace

CoverView::CoverView(const QuizGame& game, QWidget* window) : QObject(window), Game(game) {
    CoverPanel = new FilledPanel(window, QStringLiteral("CoverPanel"));
    CoverPanel->setGeometry(120, 0, 566, 566);
    CoverPanel->SetColor(Yellow);
    CoverPanel->SetBevel(0, 2);
    CoverPicture = new PictureBox(CoverPanel, QStringLiteral("CoverPicture"),
                                  PictureBox::Fit::CentreShrinkOnly);
    static const QString letters = QStringLiteral("COVER!");
    for (int tile = 1; tile <= QuizGame::TileCount; ++tile) {
        CoverTiles[tile] = new FilledPanel(CoverPanel, QStringLiteral("CoverTile%1").arg(tile));
        CoverTiles[tile]->SetColor(Yellow);
        if (tile >= FirstLetterTile && tile <= LastLetterTile) {
            CoverTiles[tile]->setFont(PixelFont(48, true));
            CoverTiles[tile]->SetCaption(letters.mid(tile - FirstLetterTile, 1));
        }
    }
    PlaceGrid();
    CoverPanel->hide();
    connect(&Game, &QuizGame::CoverChanged, this, &CoverView::ShowCover);
    connect(&Game, &QuizGame::CoverRevealed, this, &CoverView::ShowRevealed);
    connect(&Game, &QuizGame::TileOpened, this, [this](int tile) { CoverTiles[tile]->hide(); });
    connect(&Game, &QuizGame::RoundColoursDrawn, this, &CoverView::ShowColours);
}

void CoverView::SetPicture(const QImage& picture) {
    CoverPicture->SetPicture(picture);
}

// 70-pixel tiles at the panel's design size, smaller ones when the layout shrinks the panel
// to fit a low window.
void CoverView::PlaceGrid() {
    const int inside = CoverPanel->width() - 6;
    CoverPicture->setGeometry(3, 3, inside, inside);
    const auto edge = [inside](int step) { return 3 + inside * step / 8; };
    for (int tile = 1; tile <= QuizGame::TileCount; ++tile) {
        const int column = (tile - 1) % 8;
        const int row = (tile - 1) / 8;
        CoverTiles[tile]->setGeometry(QRect(QPoint(edge(column), edge(row)),
                                            QPoint(edge(column + 1) - 1, edge(row + 1) - 1)));
    }
}

// The tiles matter only while the cover shows; a buzz hides it at once.
void CoverView::ShowCover() {
    if (!Game.CoverShown()) {
        CoverPanel->hide();
        return;
    }
    for (int tile = 1; tile <= QuizGame::TileCount; ++tile) {
        CoverTiles[tile]->setVisible(Game.TileCovered(tile));
    }
    CoverPanel->show();
}

// The players see the whole cover at once.
void CoverView::ShowRevealed() {
    ShowCover();
    CoverPanel->repaint();
}

void CoverView::ShowColours() {
    CoverPanel->SetColor(Game.FrameColour());
    for (int tile = FirstLetterTile; tile <= LastLetterTile; ++tile) {
        CoverTiles[tile]->SetCaptionColor(Game.LetterColour(tile - FirstLetterTile));
    }
}

} // namespace harvoline
