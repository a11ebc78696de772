// Start-up, layout pass, moving and sizing, the icon's menu, the text pages and closing.
#include "app/layout.h"
#include "app/main_window.h"
#include "model/config/text_file.h"
#include "model/game/highscores.h"

#include <QApplication>
#include <QMouseEvent>
#include <QToolTip>
#include <QWindow>

namespace harvoline {

namespace {
constexpr std::uint32_t HintColor = 0x00A8FF;
}

void TfrmMain::FormActivate() {
    StartedUp = true;
    FreshPlaylist = false;
    SongList.clear();
    CoverList.clear();
    VideoList.clear();
    AnswerList.Clear();
    LanguageTable.clear();
    ErrorLog.clear();
    Settings.Replace({});
    RoundCounter = 0;
    CoverInterval = 10;
    CoverPanel->move(120, CoverPanel->y());
    ScanCovers();
    DetectVideoSupport();
    ResetBuzzerTable();
    Os.Randomize();

    QPalette tips = QToolTip::palette();
    tips.setColor(QPalette::ToolTipBase, ColorFromValue(HintColor));
    QToolTip::setPalette(tips);
    Info1->SetColor(HintColor);
    Info2->SetColor(HintColor);
    for (TLabel* hint : {info3, Info4}) {
        QPalette p = hint->palette();
        p.setColor(QPalette::Window, ColorFromValue(HintColor));
        hint->setPalette(p);
        hint->setAutoFillBackground(true);
    }

    SingleGameTime = 0;
    SinglePlayerMode = false;
    VideoRoundActive = false;
    ClearAnswerLines();
    ReadSettings();
    SettingsRead = true;
    FormResize();
    for (int i = 1; i <= 4; ++i) {
        MiniDeck[i]->SetTransparentColor(0xFFFFFF);
    }
}

void TfrmMain::ResetBuzzerTable() {
    BuzzerAssignment = {};
}

void TfrmMain::ClearAnswerLines() {
    for (int i = 1; i <= 4; ++i) {
        AnswerLabel[i]->SetCaption(QString());
        Schatten[i]->SetCaption(QString());
    }
}

void TfrmMain::FormResize() {
    LayoutInput in;
    in.Window = size();
    in.TitelWidth = Titel->width();
    in.TitelHeight = Titel->height();
    in.Bevel1Left = Bevel1->x();
    in.Player = PlayerP[1]->size();
    in.CoverPanelSize = CoverPanel->height();
    in.TimesUpTop = TimesUp->y();
    in.TimesUpHeight = TimesUp->height();
    in.BuzzerPanel = BuzzerPanel->size();
    in.MiniCoverWidth = MiniCover->width();
    const LayoutResult out = ComputeLayout(in);

    Titel->move(out.TitelLeft, Titel->y());
    HVIcon->move(out.HVIconLeft, HVIcon->y());
    Bevel1->resize(out.Bevel1Width, Bevel1->height());
    for (int seat = 1; seat <= 4; ++seat) {
        PlayerP[seat]->move(out.PlayerLeft[seat - 1], out.PlayerTop);
    }
    CoverPanel->setGeometry(QRect(out.CoverPanelPos, QSize(out.CoverPanelSize, out.CoverPanelSize)));
    PlaceCoverGrid();
    BuzzerPanel->move(out.BuzzerPanelPos);
    MiniCover->move(out.MiniCoverLeft, MiniCover->y());
    for (int i = 1; i <= 4; ++i) {
        MiniDeck[i]->move(MiniCover->pos());
    }
    Resize->move(out.ResizePos);
    // The text pages wrap inside the window, left of the page's Ok button.
    for (TLabel* page : {Hilfe, InfoText}) {
        page->resize(width() - page->x() - 15, page->height());
        page->FitToText();
    }
    UpdateSongCount();
}

void TfrmMain::UpdateSongCount() {
    Anzahl->SetCaption(QString::number(SongList.size()) + u' ' + LanguageEntry(7));
    Anzahl->move(width() - 15 - Anzahl->width(), Anzahl->y());
}

void TfrmMain::HideStartHints() {
    Timer4->stop();
    Info1->hide();
    Info2->hide();
    Info3Panel->hide();
    Info4Panel->hide();
}

void TfrmMain::Timer4Timer() { HideStartHints(); }

void TfrmMain::FormClose() {
    if (Closed) {
        return;
    }
    Closed = true;
    // A window closed before its settings were read must not wipe the file.
    if (SettingsRead && !SettingsUnreadable) {
        WriteSettings();
    }
    WriteErrorLog();
    // Lamps left lit would outlast the game on a receiver that stays plugged in.
    ClearLamps();
}

// Moving and sizing -----------------------------------------------------------------------

void TfrmMain::TitelMouseDown() { DragMode = Drag::PendingMove; }

void TfrmMain::ResizeMouseDown() {
    QWindow* window = windowHandle();
    if (window == nullptr || !window->startSystemResize(Qt::BottomEdge | Qt::RightEdge)) {
        DragMode = Drag::Size;
    }
}

void TfrmMain::DragWindow(const QPoint& globalPos) {
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

void TfrmMain::TitelDblClick() {
    HideStartHints();
    if (isMaximized()) {
        showNormal();
    } else {
        showMaximized();
    }
}

// The icon and its menu -------------------------------------------------------------------

void TfrmMain::HVIconClick() {
    HideStartHints();
    OpenMenuAt(QPoint(x() + HVIcon->x() + 20, y() + 35));
}

void TfrmMain::OpenMenuAt(const QPoint& globalPos) { Menu->popup(globalPos); }

void TfrmMain::HVIconDblClick() { close(); }

void TfrmMain::Beenden1Click() { close(); }

void TfrmMain::LoadPlaylistClick() {
    // The quiz master's choice must not cost the answering player: left open, the answer
    // window would run out while the dialog is open.
    if (PlayerAnswering()) {
        ReopenRound();
    }
    const int endsBefore = PlaylistEnds;
    if (OpenPlaylist()) {
        FinishRoundStart(endsBefore);
    }
}

// Text pages ------------------------------------------------------------------------------

void TfrmMain::OpenTextPage() {
    Hilfe->hide();
    InfoText->hide();
    if (IsShown(EndHelp)) {
        return;
    }
    for (int seat = 1; seat <= 4; ++seat) {
        SavedPanelVisibility[seat] = IsShown(PlayerP[seat]);
        PlayerP[seat]->hide();
    }
    LoadPlaylist->setEnabled(false);
    Background->setEnabled(false);
    EndHelp->show();
    UpdateStartEnabled();
}

void TfrmMain::Hilfe1Click() {
    OpenTextPage();
    Hilfe->show();
}

void TfrmMain::InfoClick() {
    OpenTextPage();
    QString text = LanguageEntry(12) + u'\n';
    for (int i = FirstHighscoreLine; i < Settings.Count() && i < 26; ++i) {
        text += u'\n' + QString::number(i - 10) + QStringLiteral(") ") +
                ScrambleLine(Settings.Line(i), -1);
    }
    text += QStringLiteral("\n\nHarvoline - made for quiz nights with friends.");
    InfoText->SetCaption(text);
    InfoText->show();
}

void TfrmMain::EndHelpClick() {
    Hilfe->hide();
    InfoText->hide();
    EndHelp->hide();
    for (int seat = 1; seat <= 4; ++seat) {
        PlayerP[seat]->setVisible(SavedPanelVisibility[seat]);
    }
    UpdateStartEnabled();
    LoadPlaylist->setEnabled(true);
    Background->setEnabled(true);
}

void TfrmMain::BackgroundClick() { HideStartHints(); }

// Mouse events of the frame's pictures and the title --------------------------------------

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
    if (PlayerPanelEvent(watched, event)) {
        return true;
    }
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
        type != QEvent::MouseMove && type != QEvent::MouseButtonRelease) {
        return QWidget::eventFilter(watched, event);
    }
    auto* mouse = static_cast<QMouseEvent*>(event);
    const bool press = type == QEvent::MouseButtonPress;
    const bool doubleClick = type == QEvent::MouseButtonDblClick;

    if (type == QEvent::MouseMove) {
        if (DragMode != Drag::None && (mouse->buttons() & Qt::LeftButton)) {
            DragWindow(mouse->globalPosition().toPoint());
        }
        return false;
    }
    if (type == QEvent::MouseButtonRelease) {
        DragMode = Drag::None;
        if (watched == HVIcon && mouse->button() == Qt::LeftButton && !IconClickDelay->isActive() &&
            IconClickArmed) {
            IconClickArmed = false;
            IconClickDelay->start();
        }
        return false;
    }
    if (press) {
        DragStart = mouse->globalPosition().toPoint();
        DragStartGeometry = geometry();
    }

    // A user who clicks a hint has read it.
    if (press &&
        (watched == Info1 || watched == Info2 || watched == Info3Panel || watched == Info4Panel)) {
        HideStartHints();
        return true;
    }
    if (watched == Titel) {
        Guarded([&] { press ? TitelMouseDown() : TitelDblClick(); });
        return true;
    }
    if (watched == Resize && press) {
        Guarded([this] { ResizeMouseDown(); });
        return true;
    }
    if (watched == HVIcon) {
        if (press && mouse->button() == Qt::RightButton) {
            HideStartHints();
            OpenMenuAt(mouse->globalPosition().toPoint());
        } else if (press) {
            IconClickArmed = true;
        } else if (doubleClick) {
            IconClickDelay->stop();
            IconClickArmed = false;
            Guarded([this] { HVIconDblClick(); });
        }
        return true;
    }
    if (watched == Background && IsEnabledFlag(Background)) {
        if (press) {
            Guarded([this] { BackgroundClick(); });
        } else if (doubleClick) {
            Guarded([this] { BackgroundDblClick(); });
        }
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace harvoline
