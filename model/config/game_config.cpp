#include "model/config/game_config.h"

#include "model/config/language.h"
#include "model/config/regular_file.h"
#include "model/config/text_file.h"
#include "model/errors.h"

#include <QDir>
#include <QFileInfo>
#include <QProcessEnvironment>

namespace harvoline {

GameConfig::GameConfig(GameServices& services, QObject* parent)
    : QObject(parent), Services(services),
      FilePlacesOfProgram(ProgramFilePlaces(services.ExecutableFolder())) {}

void GameConfig::Clear() {
    Table.clear();
    Errors.clear();
    Lines.Replace({});
    Interval = 10;
}

QString GameConfig::SettingsPath() const {
    return FilePlacesOfProgram.OwnFolder() + QStringLiteral("Harvoline.ini");
}

QString GameConfig::ResolvePath(const QString& path) const {
    if (path.isEmpty()) {
        return path;
    }
    return QDir(Services.CurrentFolder()).filePath(path);
}

FileDialogRequest GameConfig::PlaylistDialog() const {
    return {Text(17), Text(18), {}, {}};
}

FileDialogRequest GameConfig::PictureDialog() const {
    return {Text(15), Text(16), {}, {}};
}

std::optional<QString> GameConfig::ChooseFile(const FileDialogRequest& request) {
    std::optional<QString> chosen = Services.OpenFileDialog(request);
    if (chosen && !IsOneLine(*chosen)) {
        Services.ShowMessage(QStringLiteral("The name of this file holds a line break, which the "
                                            "settings file cannot keep:\n\n%1\n\nRename the file "
                                            "and choose it again.")
                                 .arg(*chosen));
        return std::nullopt;
    }
    return chosen;
}

// With the default lines the game runs by their values, as it will at the next start.
void GameConfig::UseDefaultSettings() {
    Lines.Replace(DefaultSettings(Table));
    Interval = DigitsValue(Lines.Line(7));
    Skip = DigitsValue(Lines.Line(8));
}

void GameConfig::ReadOptions() {
    try {
        OptionLines.Read(FilePlacesOfProgram.OwnFolder() + OptionsFile::FileName);
    } catch (const UnreadableFileError& error) {
        Services.ShowMessage(QStringLiteral("%1\n\nThe game starts with its default options and "
                                            "leaves the file as it is.")
                                 .arg(QString::fromUtf8(error.what())));
    }
}

void GameConfig::ReadSettings() {
    SettingsRead = true;
    ReadOptions();
    const QString path = SettingsPath();
    if (!QFileInfo::exists(path)) {
        const QString language = LoadFirstLanguage();
        UseDefaultSettings();
        Lines.SetLine(6, language);
        return;
    }
    try {
        Lines.Replace(ReadTextLines(path));
    } catch (const HarvolineError& error) {
        // A file that is there but cannot be read is not overwritten at shutdown.
        SettingsUnreadable = true;
        LoadDefaultLanguage();
        UseDefaultSettings();
        Services.ShowMessage(QStringLiteral("%1\n\nThe game starts with its default settings and "
                                            "leaves the file as it is.")
                                 .arg(QString::fromUtf8(error.what())));
        return;
    }

    const QString languagePath = ResolvePath(Lines.Count() > 6 ? Lines.Line(6) : QString());
    if (!languagePath.isEmpty() && QFileInfo::exists(languagePath)) {
        if (!TryLanguageFile(languagePath)) {
            Lines.SetLine(6, QString());
        }
    } else {
        LoadDefaultLanguage();
    }
    try {
        ReadValues();
    } catch (const std::exception&) {
        UseDefaultSettings();
    }
}

// A file cut short before its colour line is read by its defaults instead.
void GameConfig::ReadValues() {
    Interval = DigitsValue(Lines.Line(7));
    Skip = DigitsValue(Lines.Line(8));
    Colour = static_cast<std::uint32_t>(DigitsValue(Lines.Line(9)));
    if (Interval < 1) {
        Interval = 10;
        Lines.SetLine(7, DefaultCoverIntervalLine);
    }
    SeatSettings seats;
    seats.Background = ResolvePath(Lines.Line(5));
    for (int seat = 1; seat <= 4; ++seat) {
        seats.Players[seat] = ParsePlayerLine(Lines.Line(seat));
    }
    StoredSeats = seats;
}

void GameConfig::WriteAtShutDown() {
    // A game closed before its settings were read must not wipe the file.
    if (SettingsRead && !SettingsUnreadable) {
        WriteSettings();
    }
    WriteErrorLog();
}

void GameConfig::WriteSettings() {
    FilePlacesOfProgram.MakeOwnFolder();
    try {
        WriteTextLines(SettingsPath(), Lines.All());
    } catch (const HarvolineError& error) {
        Services.ShowMessage(QStringLiteral("The settings could not be saved, so names, pictures "
                                            "and highscores of this session are lost.\n\n%1")
                                 .arg(QString::fromStdString(error.what())));
    }
}

void GameConfig::WriteErrorLog() {
    if (Errors.isEmpty()) {
        return;
    }
    const QString errorsPath = FilePlacesOfProgram.OwnFolder() + QStringLiteral("errors.txt");
    try {
        WriteTextLines(errorsPath, Errors);
    } catch (const HarvolineError& error) {
        Services.ShowMessage(QStringLiteral("The list of unusable files could not be saved.\n\n%1")
                                 .arg(QString::fromStdString(error.what())));
        return;
    }
    Services.ShellOpen(errorsPath);
}

void GameConfig::LoadDefaultLanguage() {
    Table = DefaultLanguageTable();
    Extra.Load({});
    ApplyLanguage();
}

void GameConfig::LoadLanguageFile(const QString& path) {
    Table = ReadTextLines(path);
    Extra.Load(path);
    ApplyLanguage();
}

void GameConfig::ApplyLanguage() {
    if (Table.size() < LanguageEntryCount) {
        throw HarvolineError(QStringLiteral("The language table has %1 of its %2 entries")
                                 .arg(Table.size())
                                 .arg(LanguageEntryCount));
    }
    emit LanguageApplied();
}

// A new user meets the game in the system's language when a file for it is shipped, and
// the file is remembered as if chosen from the menu.
QString GameConfig::LoadFirstLanguage() {
    const QString name =
        ShippedLanguageFileName(MessagesLocale(QProcessEnvironment::systemEnvironment()));
    const QString path = name.isEmpty()
                             ? QString()
                             : FilePlacesOfProgram.DataFile(QStringLiteral("languages"), name);
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

void GameConfig::ChooseLanguage() {
    FileDialogRequest request{Text(19), Text(20), {}, {}};
    request.InitialFolder =
        QDir::cleanPath(FilePlacesOfProgram.DataFolder(QStringLiteral("languages")));
    const std::optional<QString> chosen = ChooseFile(request);
    if (!chosen) {
        return;
    }
    Lines.SetLine(6, TryLanguageFile(*chosen) ? QFileInfo(*chosen).absoluteFilePath() : QString());
}

bool GameConfig::TryLanguageFile(const QString& path) {
    try {
        LoadLanguageFile(path);
        return true;
    } catch (const UnreadableFileError& error) {
        // Someone chose the file, so they hear why it was not taken; a file that is read but
        // holds too few texts is simply not a language file.
        Services.ShowMessage(QStringLiteral("%1\n\nThe game keeps its built-in texts.")
                                 .arg(QString::fromUtf8(error.what())));
    } catch (const std::exception&) {
    }
    LoadDefaultLanguage();
    return false;
}

} // namespace harvoline
