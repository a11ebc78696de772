// Reading the settings file at start-up and writing it, with errors.txt, at shutdown.
#include "app/main_window.h"
#include "model/config/text_file.h"

#include <QDir>
#include <QFileInfo>

namespace harvoline {

namespace {

bool FileExists(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isFile();
}

// A picture that cannot be loaded leaves the image as it is; why goes into the failures.
void ShowPictureFile(Platform& os, TImage* image, const QString& path, QStringList& failures) {
    if (!FileExists(path)) {
        return;
    }
    try {
        image->SetPicture(os.LoadPicture(path));
    } catch (const HarvolineError& error) {
        failures.append(QString::fromUtf8(error.what()));
    }
}

} // namespace

QString TfrmMain::SettingsPath() const {
    return Places.OwnFolder() + QStringLiteral("Harvoline.ini");
}

QString TfrmMain::ResolvePath(const QString& path) const {
    if (path.isEmpty()) {
        return path;
    }
    return QDir(Os.CurrentFolder()).filePath(path);
}

std::optional<QString> TfrmMain::ChooseFile(const FileDialogRequest& request) {
    std::optional<QString> chosen = Os.OpenFileDialog(request);
    if (chosen && !IsOneLine(*chosen)) {
        Os.ShowMessage(QStringLiteral("The name of this file holds a line break, which the "
                                      "settings file cannot keep:\n\n%1\n\nRename the file "
                                      "and choose it again.")
                           .arg(*chosen));
        return std::nullopt;
    }
    return chosen;
}

void TfrmMain::LoadDefaultSettings() {
    Settings.Replace(DefaultSettings(LanguageTable));
}

// With the default lines the game runs by their values, as it will at the next start.
void TfrmMain::UseDefaultSettings() {
    LoadDefaultSettings();
    CoverInterval = DigitsValue(Settings.Line(7));
    SkipMs = DigitsValue(Settings.Line(8));
}

void TfrmMain::ReadSettings() {
    const QString path = SettingsPath();
    if (!QFileInfo::exists(path)) {
        const QString language = LoadFirstLanguage();
        UseDefaultSettings();
        Settings.SetLine(6, language);
        return;
    }
    try {
        Settings.Replace(ReadTextLines(path));
    } catch (const HarvolineError& error) {
        // A file that is there but cannot be read is not overwritten at shutdown.
        SettingsUnreadable = true;
        LoadDefaultLanguage();
        UseDefaultSettings();
        Os.ShowMessage(QStringLiteral("%1\n\nThe game starts with its default settings and "
                                      "leaves the file as it is.")
                           .arg(QString::fromUtf8(error.what())));
        return;
    }

    const QString languagePath = ResolvePath(Settings.Count() > 6 ? Settings.Line(6) : QString());
    if (!languagePath.isEmpty() && QFileInfo::exists(languagePath)) {
        if (!TryLanguageFile(languagePath)) {
            Settings.SetLine(6, QString());
        }
    } else {
        LoadDefaultLanguage();
    }

    try {
        CoverInterval = DigitsValue(Settings.Line(7));
        SkipMs = DigitsValue(Settings.Line(8));
        const auto colour = static_cast<std::uint32_t>(DigitsValue(Settings.Line(9)));
        Zeit->SetFontColor(colour);
        Punkte->SetFontColor(colour);
        if (CoverInterval < 1) {
            CoverInterval = 10;
            Settings.SetLine(7, DefaultCoverIntervalLine);
        }
        // A damaged picture costs its own place only: its line stays as written, and the
        // names, the other pictures and the highscores are kept.
        QStringList unreadable;
        ShowPictureFile(Os, Background, ResolvePath(Settings.Line(5)), unreadable);
        const QString nameLabel = LanguageEntry(1);
        for (int seat = 1; seat <= 4; ++seat) {
            const PlayerLine player = ParsePlayerLine(Settings.Line(seat));
            ShowPictureFile(Os, Image[seat], ResolvePath(player.PicturePath), unreadable);
            Spieler[seat]->SetCaption(player.Name);
            NameHintOn[seat] = player.Name.contains(nameLabel);
            PictureHintOn[seat] = player.PicturePath.contains(nameLabel);
            ApplyHints(seat);
        }
        if (!unreadable.isEmpty()) {
            Os.ShowMessage(QStringLiteral("These pictures cannot be shown, so the built-in ones "
                                          "stay in their place:\n\n") +
                           unreadable.join(u'\n'));
        }
    } catch (const std::exception&) {
        UseDefaultSettings();
    }
}

void TfrmMain::WriteSettings() {
    Places.MakeOwnFolder();
    try {
        WriteTextLines(SettingsPath(), Settings.All());
    } catch (const HarvolineError& error) {
        Os.ShowMessage(QStringLiteral("The settings could not be saved, so names, pictures and "
                                      "highscores of this session are lost.\n\n%1")
                           .arg(QString::fromStdString(error.what())));
    }
}

void TfrmMain::WriteErrorLog() {
    if (ErrorLog.isEmpty()) {
        return;
    }
    const QString errorsPath = Places.OwnFolder() + QStringLiteral("errors.txt");
    try {
        WriteTextLines(errorsPath, ErrorLog);
    } catch (const HarvolineError& error) {
        Os.ShowMessage(QStringLiteral("The list of unusable files could not be saved.\n\n%1")
                           .arg(QString::fromStdString(error.what())));
        return;
    }
    Os.ShellOpen(errorsPath);
}

} // namespace harvoline
