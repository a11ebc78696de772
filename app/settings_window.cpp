// Reading the settings file at start-up and writing it, with errors.txt, at shutdown.
#include "app/main_window.h"
#include "app/text_file.h"

#include <QDir>
#include <QFileInfo>

namespace harvoline {

namespace {

bool FileExists(const QString& path) { return !path.isEmpty() && QFileInfo(path).isFile(); }

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

void TfrmMain::LoadDefaultSettings() { Settings.Replace(DefaultSettings(LanguageTable)); }

// With the default lines the songs skip what their line 8 says, as they will at the next start.
void TfrmMain::UseDefaultSettings() {
    LoadDefaultSettings();
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
    } catch (const HarvolineError&) {
        // A file that is there but cannot be read is not overwritten at shutdown.
        SettingsUnreadable = true;
        LoadDefaultLanguage();
        UseDefaultSettings();
        return;
    }

    const QString languagePath = ResolvePath(Settings.Count() > 6 ? Settings.Line(6) : QString());
    if (FileExists(languagePath)) {
        try {
            LoadLanguageFile(languagePath);
        } catch (const std::exception&) {
            LoadDefaultLanguage();
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
        const QString backgroundPath = ResolvePath(Settings.Line(5));
        if (FileExists(backgroundPath)) {
            Background->SetPicture(Os.LoadPicture(backgroundPath));
        }
        const QString nameLabel = LanguageEntry(1);
        for (int seat = 1; seat <= 4; ++seat) {
            const PlayerLine player = ParsePlayerLine(Settings.Line(seat));
            const QString picturePath = ResolvePath(player.PicturePath);
            if (FileExists(picturePath)) {
                Image[seat]->SetPicture(Os.LoadPicture(picturePath));
            }
            Spieler[seat]->SetCaption(player.Name);
            NameHintOn[seat] = player.Name.contains(nameLabel);
            PictureHintOn[seat] = player.PicturePath.contains(nameLabel);
            ApplyHints(seat);
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
