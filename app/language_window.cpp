// Applying the language table to the window, and choosing a language file.
#include "model/config/language.h"
#include "app/main_window.h"
#include "model/config/text_file.h"
#include "model/config/regular_file.h"

#include <QDir>
#include <QFileInfo>
#include <QTextDocument>

namespace harvoline {

void TfrmMain::LoadDefaultLanguage() {
    LanguageTable = DefaultLanguageTable();
    ApplyLanguage();
}

void TfrmMain::LoadLanguageFile(const QString& path) {
    LanguageTable = ReadTextLines(path);
    ApplyLanguage();
}

// A new user meets the game in the system's language when a file for it is shipped, and
// the file is remembered as if chosen from the menu.
QString TfrmMain::LoadFirstLanguage() {
    const QString name =
        ShippedLanguageFileName(MessagesLocale(QProcessEnvironment::systemEnvironment()));
    const QString path =
        name.isEmpty() ? QString() : Places.DataFile(QStringLiteral("languages"), name);
    if (!path.isEmpty()) {
        try {
            LoadLanguageFile(path);
            return QFileInfo(path).absoluteFilePath();
        } catch (const std::exception&) {
        }
    }
    LoadDefaultLanguage();
    return {};
}

void TfrmMain::ApplyLanguage() {
    if (LanguageTable.size() < LanguageEntryCount) {
        throw HarvolineError(QStringLiteral("The language table has %1 of its %2 entries")
                                 .arg(LanguageTable.size())
                                 .arg(LanguageEntryCount));
    }
    const QStringList& e = LanguageTable;
    setWindowTitle(e[0]);
    Beenden1->setText(e[25]);
    LoadPlaylist->setText(e[26]);
    Einzelspieler1->setText(e[27]);
    Sprachen1->setText(e[28]);
    Hilfe1->setText(e[30]);
    Info->setText(e[31]);
    OpenPicture.Filter = e[15];
    OpenPicture.Title = e[16];
    OpenSongs.Filter = e[17];
    OpenSongs.Title = e[18];
    OpenLang.Filter = e[19];
    OpenLang.Title = e[20];
    for (int seat = 1; seat <= 4; ++seat) {
        ApplyHints(seat);
    }
    Info1->SetCaption(e[23]);
    Info2->SetCaption(e[24]);
    Titel->SetCaption(windowTitle());
    for (int seat = 1; seat <= 4; ++seat) {
        if (Spieler[seat]->Caption().isEmpty()) {
            Spieler[seat]->SetCaption(e[1] + QString::number(seat));
        }
    }
    SetPoints(3);
    Start->setText(e[5]);
    info3->SetCaption(e[21]);
    Info4->SetCaption(e[22]);
    NoMoreBuzzers->setText(e[25]);
    BuzzLabel->SetCaption(BuzzerPrompt(1));
    const QString help = HelpTextOf(LanguageTable);
    if (!help.isEmpty()) {
        // What the start-up found out about covers and videos stays under the new text.
        Hilfe->SetCaption(help + HelpNotes);
    }
    // The count of songs is written in the new language at once, not at the next draw.
    UpdateSongCount();
}

void TfrmMain::ApplyHints(int seat) {
    // A tool tip that looks like markup is shown as rich text; the language file's text is
    // shown as written.
    const auto hint = [this](bool on, int entry) {
        return on ? Qt::convertFromPlainText(LanguageEntry(entry)) : QString();
    };
    Image[seat]->setToolTip(hint(PictureHintOn[seat], 21));
    Spieler[seat]->setToolTip(hint(NameHintOn[seat], 22));
}

void TfrmMain::Sprachen1Click() {
    FileDialogRequest request = OpenLang;
    if (request.InitialFolder.isEmpty()) {
        request.InitialFolder = QDir::cleanPath(Places.DataFolder(QStringLiteral("languages")));
    }
    const std::optional<QString> chosen = ChooseFile(request);
    if (!chosen) {
        return;
    }
    Settings.SetLine(6,
                     TryLanguageFile(*chosen) ? QFileInfo(*chosen).absoluteFilePath() : QString());
}

bool TfrmMain::TryLanguageFile(const QString& path) {
    try {
        LoadLanguageFile(path);
        return true;
    } catch (const UnreadableFileError& error) {
        // Someone chose the file, so they hear why it was not taken; a file that is read but
        // holds too few texts is simply not a language file.
        Os.ShowMessage(QStringLiteral("%1\n\nThe game keeps its built-in texts.")
                           .arg(QString::fromUtf8(error.what())));
    } catch (const std::exception&) {
    }
    LoadDefaultLanguage();
    return false;
}

} // namespace harvoline
