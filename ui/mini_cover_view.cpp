#include "ui/mini_cover_view.h"

#include "model/errors.h"
#include "model/game/quiz_game.h"
#include "model/media/tag_library.h"
#include "ui/pictures/picture_loader.h"
#include "ui/widgets/picture_box.h"

namespace harvoline {

MiniCoverView::MiniCoverView(const QuizGame& game, QWidget* frame) : QObject(frame), Game(game) {
    MiniCover = new PictureBox(frame, QStringLiteral("MiniCover"), PictureBox::Fit::Proportional);
    MiniCover->setGeometry(632, 34, 161, 161);
    MiniCover->hide();
    for (int mask = 1; mask <= 4; ++mask) {
        MiniCoverMasks[mask] = new PictureBox(frame, QStringLiteral("MiniCoverMask%1").arg(mask),
                                              PictureBox::Fit::Proportional);
        MiniCoverMasks[mask]->setGeometry(MiniCover->geometry());
        MiniCoverMasks[mask]->SetPicture(QImage(QStringLiteral(":/mask%1.png").arg(mask)));
        MiniCoverMasks[mask]->hide();
    }
    connect(&Game, &QuizGame::MiniCoverChanged, this, &MiniCoverView::ShowMiniCover);
}

bool MiniCoverView::ShowPicture(const EmbeddedPicture& picture) {
    // Decoded in memory: a picture file written into the current folder would replace a
    // user's file of the same name.
    try {
        MiniCover->SetPicture(DecodePicture(picture.Data, PictureExtension(picture.Kind)));
        return true;
    } catch (const HarvolineError&) {
        // A picture that cannot be decoded is simply not shown.
        return false;
    }
}

void MiniCoverView::ClearPicture() {
    MiniCover->SetPicture(QImage());
}

void MiniCoverView::PrepareMasks() {
    for (int mask = 1; mask <= 4; ++mask) {
        MiniCoverMasks[mask]->SetTransparentColor(0xFFFFFF);
    }
}

void MiniCoverView::MoveTo(int left) {
    MiniCover->move(left, MiniCover->y());
    for (int mask = 1; mask <= 4; ++mask) {
        MiniCoverMasks[mask]->move(MiniCover->pos());
    }
}

void MiniCoverView::ShowMiniCover() {
    MiniCover->setVisible(Game.MiniCoverShown());
    for (int mask = 1; mask <= 4; ++mask) {
        MiniCoverMasks[mask]->setVisible(Game.MaskOn(mask));
    }
}

} // namespace harvoline
