// The window's events: showing, sizing and closing, moving by the title, sizing by the grip,
// the icon's menu, and the gestures on the background and the seats.
#include "model/errors.h"
#include "model/game/quiz_game.h"
#include "platform/platform.h"
#include "ui/main_window.h"
#include "ui/seat_view.h"
#include "ui/widgets/caption_label.h"
#include "ui/widgets/filled_panel.h"
#include "ui/widgets/picture_box.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QWindow>

namespace harvoline {

namespace {

// Qt leaves the focus on a hidden editor, which would then swallow the players' letters.
void FocusWindowInstead(QLineEdit* editor, QWidget* window) {
    if (editor->hasFocus()) {
        window->setFocus(Qt::OtherFocusReason);
    }
}

} // namespace

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!Started) {
        emit FirstShown();
    }
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Frame->setGeometry(rect());
    Background->setGeometry(3, 3, width() - 6, height() - 6);
    StatusBand->resize(width() - 6, StatusBand->height());
    if (Started) {
        Handle([this] { ApplyLayout(); });
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    emit Closing();
    event->accept();
}

// The seats ---------------------------------------------------------------------------------

void MainWindow::EditName(int seat) {
    HideStartHints();
    Seats[seat]->OpenNameEditor();
}

void MainWindow::FinishNameEdit(int seat) {
    SeatView* view = Seats[seat];
    // Closing takes the focus from the editor, which reports the loss once more.
    if (!view->EditingName()) {
        return;
    }
    // An empty name takes the seat out; its editor stays open for when it comes back.
    if (Game.RenameSeat(seat, view->NameEditor->text())) {
        view->NameHintOn = false;
        view->ApplyHints();
        view->CloseNameEditor();
    }
    FocusWindowInstead(view->NameEditor, this);
}

std::optional<MainWindow::ChosenPicture> MainWindow::PickPicture() {
    const std::optional<QString> chosen = Game.Config().ChooseFile(Game.Config().PictureDialog());
    if (!chosen) {
        return std::nullopt;
    }
    const QString path = QFileInfo(*chosen).absoluteFilePath();
    try {
        return ChosenPicture{path, Os.LoadPicture(path)};
    } catch (const HarvolineError& error) {
        Os.ShowMessage(QStringLiteral("%1\n\nThe picture shown before stays.")
                           .arg(QString::fromUtf8(error.what())));
        return std::nullopt;
    }
}

void MainWindow::ChooseSeatPicture(int seat) {
    HideStartHints();
    const std::optional<ChosenPicture> chosen = PickPicture();
    if (!chosen) {
        return;
    }
    SeatView* view = Seats[seat];
    view->Picture->SetPicture(chosen->Picture);
    view->PictureHintOn = false;
    view->ApplyHints();
    Game.SetSeatPicture(seat, chosen->Path);
}

// Each double-click brings one seat back; with all four seated it chooses a new background.
void MainWindow::BackgroundDoubleClicked() {
    if (!Game.LeaveSinglePlayer()) {
        return;
    }
    HideStartHints();
    if (Game.BringBackASeat()) {
        return;
    }
    const std::optional<ChosenPicture> chosen = PickPicture();
    if (!chosen) {
        return;
    }
    Background->SetPicture(chosen->Picture);
    Game.SetBackgroundPicture(chosen->Path);
}

// Moving, sizing and the menu ----------------------------------------------------------------

void MainWindow::TitlePressed() {
    DragMode = Drag::PendingMove;
}

void MainWindow::GripPressed() {
    QWindow* window = windowHandle();
    if (window == nullptr || !window->startSystemResize(Qt::BottomEdge | Qt::RightEdge)) {
        DragMode = Drag::Size;
    }
}

void MainWindow::DragWindow(const QPoint& globalPos) {
    const QPoint delta = globalPos - DragStart;
    if (DragMode == Drag::PendingMove) {
        if (delta.manhattanLength() < QApplication::startDragDistance()) {
            return;
        }
        QWindow* window = windowHandle();
        if (window != nullptr && window->startSystemMove()) {
            DragMode = Drag::None;
            return;
        }
        DragMode = Drag::Move;
    }
    if (DragMode == Drag::Move) {
        move(DragStartGeometry.topLeft() + delta);
    } else if (DragMode == Drag::Size) {
        resize(std::max(DragStartGeometry.width() + delta.x(), 100),
               std::max(DragStartGeometry.height() + delta.y(), 100));
    }
}

void MainWindow::TitleDoubleClicked() {
    HideStartHints();
    if (isMaximized()) {
        showNormal();
    } else {
        showMaximized();
    }
}

void MainWindow::IconClicked() {
    HideStartHints();
    OpenMenuAt(QPoint(x() + MenuIcon->x() + 20, y() + 35));
}

void MainWindow::OpenMenuAt(const QPoint& globalPos) {
    Menu->popup(globalPos);
}

// Mouse events of the frame's pictures and the title --------------------------------------

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
        type != QEvent::MouseMove && type != QEvent::MouseButtonRelease) {
        return QWidget::eventFilter(watched, event);
    }
    return FrameMouseEvent(watched, event);
}

bool MainWindow::FrameMouseEvent(QObject* watched, QEvent* event) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    const QEvent::Type type = event->type();
    const bool press = type == QEvent::MouseButtonPress;
    if (type == QEvent::MouseMove) {
        if (DragMode != Drag::None && (mouse->buttons() & Qt::LeftButton)) {
            DragWindow(mouse->globalPosition().toPoint());
        }
        return false;
    }
    if (type == QEvent::MouseButtonRelease) {
        DragMode = Drag::None;
        if (watched == MenuIcon && mouse->button() == Qt::LeftButton &&
            !IconClickDelay.isActive() && IconClickArmed) {
            IconClickArmed = false;
            IconClickDelay.start();
        }
        return false;
    }
    if (press) {
        DragStart = mouse->globalPosition().toPoint();
        DragStartGeometry = geometry();
    }
    if (watched == TitleLabel) {
        Handle([&] { press ? TitlePressed() : TitleDoubleClicked(); });
        return true;
    }
    if (watched == ResizeGrip && press) {
        Handle([this] { GripPressed(); });
        return true;
    }
    if (watched == MenuIcon) {
        if (press && mouse->button() == Qt::RightButton) {
            HideStartHints();
            OpenMenuAt(mouse->globalPosition().toPoint());
        } else if (press) {
            IconClickArmed = true;
        } else {
            IconClickDelay.stop();
            IconClickArmed = false;
            Handle([this] { close(); });
        }
        return true;
    }
    // The background does not react while a text page lies over it.
    if (watched == Background && !PageOpen) {
        if (press) {
            HideStartHints();
        } else {
            Handle([this] { BackgroundDoubleClicked(); });
        }
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace harvoline
