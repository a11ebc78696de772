#include "ui/status_row_view.h"

#include "model/game/quiz_game.h"
#include "ui/party_texts.h"
#include "ui/widgets/colours.h"
#include "ui/widgets/filled_panel.h"
#include "ui/widgets/make_controls.h"

#include <QFrame>
#include <cmath>

namespace harvoline {

namespace {

constexpr int TimeLeftMargin = 10;

// Whole seconds, rounded up: 0:00 shows only once the time is up.
QString MinutesAndSeconds(int ms) {
    const int seconds = (ms + 999) / 1000;
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QChar(u'0'));
}

} // namespace

StatusRowView::StatusRowView(const QuizGame& game, QWidget* frame) : QObject(frame), Game(game) {
    SongCountLabel = MakeLabel(frame, QStringLiteral("SongCountLabel"), {0, 8}, frame->font());
    SongCountLabel->SetFontColor(0xC0FFFF);

    RoundClockLabel =
        MakeLabel(frame, QStringLiteral("RoundClockLabel"), {136, 206}, PixelFont(24));
    RoundClockLabel->SetCaption(Game.RoundClockText());
    PointsLabel = MakeLabel(frame, QStringLiteral("PointsLabel"), {240, 206}, PixelFont(24));

    AnswerTimeTrack = new QFrame(frame);
    AnswerTimeTrack->setObjectName(QStringLiteral("AnswerTimeTrack"));
    AnswerTimeTrack->setFrameStyle(QFrame::Box | QFrame::Sunken);
    AnswerTimeTrack->setGeometry(360, 200, 433, 41);

    TimeLeftLabel = MakeLabel(frame, QStringLiteral("TimeLeftLabel"), {0, 206}, PixelFont(24));
    TimeLeftLabel->hide();

    AnswerTimeBar = new FilledPanel(frame, QStringLiteral("AnswerTimeBar"));
    AnswerTimeBar->setGeometry(360, 200, 321, 41);
    AnswerTimeBar->SetColor(MoneyGreen);
    AnswerTimeBar->hide();

    connect(&Game, &QuizGame::SongCountChanged, this, &StatusRowView::ShowSongCount);
    connect(&Game, &QuizGame::ClockChanged, this, &StatusRowView::ShowClock);
    connect(&Game, &QuizGame::PointsChanged, this, &StatusRowView::ShowPoints);
    connect(&Game, &QuizGame::LanguageChanged, this, &StatusRowView::ShowPoints);
    connect(&Game, &QuizGame::PhaseChanged, this, &StatusRowView::ShowAnswerTime);
    connect(&Game, &QuizGame::AnswerTimeChanged, this, &StatusRowView::ShowAnswerTime);
    connect(&Game, &QuizGame::SingleGameTimeChanged, this, &StatusRowView::ShowTimeLeft);
    connect(&Game, &QuizGame::LanguageChanged, this, &StatusRowView::ShowTimeLeft);
}

void StatusRowView::ApplyClockColour() {
    if (const std::optional<std::uint32_t> colour = Game.Config().ClockColour()) {
        RoundClockLabel->SetFontColor(*colour);
        PointsLabel->SetFontColor(*colour);
        TimeLeftLabel->SetFontColor(*colour);
    }
}

void StatusRowView::ShowSongCount() {
    SongCountLabel->SetCaption(QString::number(Game.Songs().Size()) + u' ' + Game.Config().Text(7));
    // The track ends where the count does, also on a magnified window.
    SongCountLabel->move(AnswerTimeTrack->geometry().right() + 1 - SongCountLabel->width(),
                         SongCountLabel->y());
}

void StatusRowView::ShowClock() {
    RoundClockLabel->SetCaption(Game.RoundClockText());
    RoundClockLabel->repaint();
}

void StatusRowView::ShowPoints() {
    PointsLabel->SetCaption(Game.Config().Text(2) + QStringLiteral(": ") +
                            QString::number(Game.PointsAtStake()));
}

// The bar starts as long as its track and loses a 120th of it at each tick.
void StatusRowView::ShowAnswerTime() {
    const bool answering = Game.Phase() == RoundPhase::Answering;
    if (answering) {
        const int full = AnswerTimeTrack->width();
        const auto shrink = static_cast<int>(std::nearbyint(
            static_cast<double>(full) * Game.AnswerTicks() / QuizGame::AnswerWindowTicks));
        AnswerTimeBar->resize(full - shrink, AnswerTimeBar->height());
    }
    AnswerTimeBar->setVisible(answering);
}

void StatusRowView::ShowTimeLeft() {
    const SinglePlayerClock& single = Game.SingleGame();
    TimeLeftLabel->setVisible(single.SinglePlayer);
    if (!single.SinglePlayer) {
        return;
    }
    TimeLeftLabel->ShowCaption(
        Game.Config().Text(TimeLeftText).arg(MinutesAndSeconds(single.TimeLeftMs())));
    const QRect track = AnswerTimeTrack->geometry();
    TimeLeftLabel->move(track.right() - TimeLeftMargin - TimeLeftLabel->width(),
                        track.top() + (track.height() - TimeLeftLabel->height()) / 2);
}

} // namespace harvoline
