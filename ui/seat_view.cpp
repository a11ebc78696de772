#include "ui/seat_view.h"

#include "model/game/quiz_game.h"
#include "ui/party_texts.h"
#include "ui/widgets/colours.h"
#include "ui/widgets/filled_panel.h"
#include "ui/widgets/make_controls.h"
#include "ui/widgets/picture_box.h"

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QTextDocument>

namespace harvoline {

namespace {

constexpr const char* BuzzCaptions[5] = {"", "&Q", "&Y", "&M", "&P"};
// As long as a finger rests before a touch screen shows its own context menu.
constexpr int LongPressMs = 600;

// Bars and a red cross over a dimmed panel: a locked-out player is seen across the room.
QImage LockOutPicture(const QSize& size) {
    QImage picture(size, QImage::Format_ARGB32_Premultiplied);
    picture.fill(QColor(0, 0, 0, 90));
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(40, 40, 40, 200), 6));
    for (int x = 14; x < size.width(); x += 27) {
        painter.drawLine(x, 0, x, size.height());
    }
    painter.setPen(QPen(QColor(255, 0, 0, 210), 14, Qt::SolidLine, Qt::RoundCap));
    const int margin = 30;
    painter.drawLine(margin, margin, size.width() - margin, size.height() - margin);
    painter.drawLine(size.width() - margin, margin, margin, size.height() - margin);
    return picture;
}

bool IsEnterKey(const QEvent* event) {
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

SeatView::SeatView(const QuizGame& game, int seat, QWidget* window)
    : QObject(window), Game(game), SeatNumber(seat) {
    Panel = new FilledPanel(window, QStringLiteral("SeatPanel%1").arg(seat));
    Panel->setGeometry(5 + 200 * (seat - 1), 248, 190, 313);
    Panel->SetColor(MoneyGreen);

    Picture = new PictureBox(Panel, QStringLiteral("SeatPicture%1").arg(seat),
                             PictureBox::Fit::CentreShrinkOnly);
    Picture->setGeometry(10, 10, 170, 230);
    Picture->SetPicture(QImage(QStringLiteral(":/player%1.png").arg(seat)));
    Picture->installEventFilter(this);

    Name =
        MakeLabel(Panel, QStringLiteral("SeatName%1").arg(seat), {10, 240}, PixelFont(24), false);
    Name->resize(135, 29);
    Name->installEventFilter(this);

    NameEditor = new QLineEdit(Panel);
    NameEditor->setObjectName(QStringLiteral("SeatNameEditor%1").arg(seat));
    NameEditor->setGeometry(10, 240, 135, 37);
    NameEditor->setFont(PixelFont(24));
    NameEditor->hide();
    NameEditor->installEventFilter(this);

    Score = MakeLabel(Panel, QStringLiteral("SeatScore%1").arg(seat), {10, 278}, PixelFont(24));
    Score->SetCaption(QString::number(Game.Score(seat)));
    BestTime =
        MakeLabel(Panel, QStringLiteral("SeatBestTime%1").arg(seat), {88, 278}, PixelFont(24));
    BestTime->SetCaption(Game.SeatAt(seat).BestTimeText);

    BuzzButton = MakeButton(Panel, QStringLiteral("BuzzButton%1").arg(seat),
                            QString::fromLatin1(BuzzCaptions[seat]), {144, 240, 37, 37},
                            PixelFont(24, true));
    BuzzButton->setEnabled(false);

    LockOutOverlay =
        new PictureBox(Panel, QStringLiteral("LockOutOverlay%1").arg(seat), PictureBox::Fit::Plain);
    LockOutOverlay->setGeometry(Panel->rect());
    LockOutOverlay->SetPicture(LockOutPicture(Panel->size()));
    LockOutOverlay->setAttribute(Qt::WA_TransparentForMouseEvents);
    LockOutOverlay->hide();
    CreateScoreMenu();

    connect(&Game, &QuizGame::SeatChanged, this, [this](int changed) {
        if (changed == SeatNumber) {
            ShowSeat();
        }
    });
    connect(&Game, &QuizGame::SeatMarked, this, [this](int marked) {
        if (marked == SeatNumber) {
            ShowMark();
        }
    });
    connect(&Game, &QuizGame::PhaseChanged, this, &SeatView::ShowBuzzButton);
    connect(&Game, &QuizGame::LanguageChanged, this, &SeatView::ApplyHints);
}

void SeatView::CreateScoreMenu() {
    Score->installEventFilter(this);
    ScoreMenu = new QMenu(Panel);
    ScoreMenu->setObjectName(QStringLiteral("ScoreMenu%1").arg(SeatNumber));
    AddPointAction = ScoreMenu->addAction(QStringLiteral("+1"));
    TakePointAction = ScoreMenu->addAction(QStringLiteral("-1"));
    UndoScoreAction = ScoreMenu->addAction(QString());
    connect(AddPointAction, &QAction::triggered, this,
            [this] { emit ScoreCorrected(SeatNumber, +1); });
    connect(TakePointAction, &QAction::triggered, this,
            [this] { emit ScoreCorrected(SeatNumber, -1); });
    connect(UndoScoreAction, &QAction::triggered, this,
            [this] { emit ScoreChangeUndone(SeatNumber); });
    LongPress.setSingleShot(true);
    LongPress.setInterval(LongPressMs);
    connect(&LongPress, &QTimer::timeout, this,
            [this] { OpenScoreMenu(Score->mapToGlobal(Score->rect().center())); });
}

void SeatView::OpenScoreMenu(const QPoint& globalPos) {
    const std::optional<int> last = Game.LastScoreChange(SeatNumber);
    UndoScoreAction->setText(
        Game.Config()
            .Text(UndoScoreText)
            .arg(last ? QString::asprintf("%+d", *last) : QStringLiteral("-")));
    UndoScoreAction->setEnabled(last.has_value());
    ScoreMenu->popup(globalPos);
}

bool SeatView::ScoreEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::ContextMenu:
        OpenScoreMenu(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            LongPress.start();
        }
        return false;
    case QEvent::MouseButtonRelease:
        LongPress.stop();
        return false;
    default:
        return false;
    }
}

void SeatView::ShowSeat() {
    const Seat& seat = Game.SeatAt(SeatNumber);
    Name->ShowCaption(seat.Name);
    Score->ShowCaption(QString::number(seat.Score));
    BestTime->ShowCaption(seat.BestTimeText);
    const std::uint32_t colour = seat.Marked ? Red : MoneyGreen;
    if (Panel->Color() != colour) {
        Panel->SetColor(colour);
    }
    LockOutOverlay->setVisible(seat.LockedOut);
    Panel->setVisible(seat.TakesPart && !CoveredByPage);
}

// The players look at the panel: it turns red now, not with the next full repaint.
void SeatView::ShowMark() {
    Panel->SetColor(Red);
    Panel->repaint();
}

void SeatView::ShowBuzzButton() {
    BuzzButton->setEnabled(Game.PlaylistRunning());
}

void SeatView::SetCoveredByPage(bool covered) {
    CoveredByPage = covered;
    ShowSeat();
}

void SeatView::ApplyHints() {
    // A tool tip that looks like markup is shown as rich text; the language file's text is
    // shown as written.
    const auto hint = [this](bool on, int entry) {
        return on ? Qt::convertFromPlainText(Game.Config().Text(entry)) : QString();
    };
    Picture->setToolTip(hint(PictureHintOn, 21));
    Name->setToolTip(hint(NameHintOn, 22));
}

void SeatView::OpenNameEditor() {
    Editing = true;
    NameEditor->setText(Game.SeatAt(SeatNumber).Name);
    NameEditor->show();
    NameEditor->setFocus(Qt::OtherFocusReason);
}

void SeatView::CloseNameEditor() {
    // Hiding the editor moves the focus away, which finishes the edit a second time.
    Editing = false;
    NameEditor->hide();
}

bool SeatView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Score) {
        return ScoreEvent(event);
    }
    switch (event->type()) {
    case QEvent::MouseButtonDblClick:
        if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) {
            return false;
        }
        if (watched == Name) {
            emit NameDoubleClicked(SeatNumber);
            return true;
        }
        if (watched == Picture) {
            emit PictureDoubleClicked(SeatNumber);
            return true;
        }
        return false;
    case QEvent::FocusOut: {
        // Another program or a popup taking the focus does not close the editor.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (watched == NameEditor && reason != Qt::ActiveWindowFocusReason &&
            reason != Qt::PopupFocusReason) {
            emit NameEditFinished(SeatNumber);
        }
        return false;
    }
    case QEvent::KeyPress:
        // Enter belongs to the editor: passed on, it would press Start and end the round's
        // cover or video while a player only confirms a name.
        return watched == NameEditor && IsEnterKey(event);
    case QEvent::KeyRelease:
        if (watched == NameEditor && IsEnterKey(event)) {
            emit NameEditFinished(SeatNumber);
        }
        return false;
    default:
        return false;
    }
}

} // namespace harvoline
