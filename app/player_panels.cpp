// The players' seats: names, own pictures, leaving and rejoining, and the background picture.
#include "app/main_window.h"
#include "model/config/text_file.h"

#include <QFileInfo>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <optional>

namespace harvoline {

namespace {

struct ChosenPicture {
    QString Path;
    QImage Picture;
};

// The picture of the chosen file, or nothing when none was chosen or the file cannot be
// loaded; in that case the user is told what failed and everything stays as it was.
std::optional<ChosenPicture> PickPicture(Platform& os, const std::optional<QString>& chosen) {
    if (!chosen) {
        return std::nullopt;
    }
    const QString path = QFileInfo(*chosen).absoluteFilePath();
    try {
        return ChosenPicture{path, os.LoadPicture(path)};
    } catch (const HarvolineError& error) {
        os.ShowMessage(QStringLiteral("%1\n\nThe picture shown before stays.")
                           .arg(QString::fromUtf8(error.what())));
        return std::nullopt;
    }
}

template <typename T> int SeatOf(const std::array<T*, 5>& controls, const QObject* watched) {
    for (int seat = 1; seat <= 4; ++seat) {
        if (controls[seat] == watched) {
            return seat;
        }
    }
    return 0;
}

// Qt leaves the focus on a hidden editor, which would then swallow the players' letters.
void FocusWindowInstead(QLineEdit* editor, QWidget* window) {
    if (editor->hasFocus()) {
        window->setFocus(Qt::OtherFocusReason);
    }
}

bool IsEnterKey(const QEvent* event) {
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

void TfrmMain::SpielerDblClick(int seat) {
    HideStartHints();
    Edit[seat]->setText(Spieler[seat]->Caption());
    Edit[seat]->show();
    Edit[seat]->setFocus(Qt::OtherFocusReason);
}

void TfrmMain::EditExit(int seat) {
    // Closing takes the focus from the editor, which reports the loss once more.
    if (!IsShown(Edit[seat])) {
        return;
    }
    // A pasted name may hold line breaks; its lines become one.
    const QString name = OneLine(Edit[seat]->text());
    if (name.isEmpty()) {
        // The editor stays open, empty, for when the seat is brought back.
        PlayerP[seat]->hide();
        FocusWindowInstead(Edit[seat], this);
        return;
    }
    Spieler[seat]->SetCaption(name);
    NameHintOn[seat] = false;
    ApplyHints(seat);
    Settings.SetLine(seat, RenamedPlayerLine(Settings.Line(seat), name));
    Edit[seat]->hide();
    FocusWindowInstead(Edit[seat], this);
}

void TfrmMain::EditKeyUp(int seat, int key) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        EditExit(seat);
    }
}

void TfrmMain::ImageDblClick(int seat) {
    HideStartHints();
    const std::optional<ChosenPicture> chosen = PickPicture(Os, ChooseFile(OpenPicture));
    if (!chosen) {
        return;
    }
    Image[seat]->SetPicture(chosen->Picture);
    PictureHintOn[seat] = false;
    ApplyHints(seat);
    Settings.SetLine(
        seat, PlayerSettingsLine(LanguageEntry(1), seat, chosen->Path, Spieler[seat]->Caption()));
}

void TfrmMain::BackgroundDblClick() {
    if (SingleGameUnderWay() && !Os.AskYesNo(LanguageEntry(11))) {
        return;
    }
    SinglePlayerMode = false;
    HideStartHints();
    for (int seat = 1; seat <= 4; ++seat) {
        if (!IsShown(PlayerP[seat])) {
            PlayerP[seat]->show();
            return;
        }
    }
    const std::optional<ChosenPicture> chosen = PickPicture(Os, ChooseFile(OpenPicture));
    if (!chosen) {
        return;
    }
    Background->SetPicture(chosen->Picture);
    Settings.SetLine(5, chosen->Path);
}

bool TfrmMain::PlayerPanelEvent(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonDblClick: {
        if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) {
            return false;
        }
        if (const int seat = SeatOf(Spieler, watched); seat != 0) {
            Guarded([this, seat] { SpielerDblClick(seat); });
            return true;
        }
        if (const int seat = SeatOf(Image, watched); seat != 0) {
            Guarded([this, seat] { ImageDblClick(seat); });
            return true;
        }
        return false;
    }
    case QEvent::FocusOut: {
        // Another program or a popup taking the focus does not close the editor.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        const int seat = SeatOf(Edit, watched);
        if (seat != 0 && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            Guarded([this, seat] { EditExit(seat); });
        }
        return false;
    }
    case QEvent::KeyPress:
        // Enter belongs to the editor: passed on, it would press Start and end the round's
        // cover or video while a player only confirms a name.
        return SeatOf(Edit, watched) != 0 && IsEnterKey(event);
    case QEvent::KeyRelease: {
        const int seat = SeatOf(Edit, watched);
        if (seat != 0) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            Guarded([this, seat, key] { EditKeyUp(seat, key); });
        }
        return false;
    }
    default:
        return false;
    }
}

} // namespace harvoline
