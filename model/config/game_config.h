#pragma once

#include "model/config/file_places.h"
#include "model/config/more_texts.h"
#include "model/config/options_file.h"
#include "model/config/settings.h"
#include "model/game/game_services.h"

#include <QObject>
#include <QStringList>
#include <array>
#include <cstdint>
#include <optional>

namespace harvoline {

// What the settings file says about the seats and the background, once it was read whole.
struct SeatSettings {
    // Taken against the current folder.
    QString Background;
    // Indexed by seat, 1 to 4.
    std::array<PlayerLine, 5> Players;
};

// The settings file, the language table and the list of files the game could not use:
// read at the start, changed while the game runs, written at the end.
class GameConfig : public QObject {
    Q_OBJECT

  public:
    explicit GameConfig(GameServices& services, QObject* parent = nullptr);

    const FilePlaces& Places() const { return FilePlacesOfProgram; }
    SettingsLines& Settings() { return Lines; }
    const SettingsLines& Settings() const { return Lines; }
    const QStringList& Language() const { return Table; }
    // A text of the language table; empty when the table has no such entry.
    QString Text(int entry) const { return Table.value(entry); }
    // A newer text, from the language's companion file or built in.
    QString Text(const MoreText& text) const { return Extra.Text(text); }
    // The settings Harvoline.ini has no line for.
    OptionsFile& Options() { return OptionLines; }
    const OptionsFile& Options() const { return OptionLines; }
    QStringList& ErrorLog() { return Errors; }
    const QStringList& ErrorLog() const { return Errors; }

    int CoverInterval() const { return Interval; }
    int SkipMs() const { return Skip; }
    // The colour of the round's clock and points, 0x00BBGGRR, when the settings named one.
    std::optional<std::uint32_t> ClockColour() const { return Colour; }
    const std::optional<SeatSettings>& Seats() const { return StoredSeats; }

    // Everything back to nothing read, as before the start.
    void Clear();
    void ReadSettings();
    // The settings file, unless it was never read or could not be read, and the error list.
    void WriteAtShutDown();

    // A relative path is taken against the current folder.
    QString ResolvePath(const QString& path) const;

    FileDialogRequest PlaylistDialog() const;
    FileDialogRequest PictureDialog() const;
    // The file the user picks; nothing when the dialog is cancelled or when the path holds a
    // line break, which the settings file could not keep.
    std::optional<QString> ChooseFile(const FileDialogRequest& request);
    // Lets the user choose a language file, and remembers it when it is taken.
    void ChooseLanguage();

  signals:
    // A complete table is in use.
    void LanguageApplied();

  private:
    QString SettingsPath() const;
    void WriteSettings();
    void WriteErrorLog();
    void UseDefaultSettings();
    void LoadDefaultLanguage();
    void LoadLanguageFile(const QString& path);
    void ApplyLanguage();
    // Loads the language file, else the built-in texts; false when the file was not taken.
    bool TryLanguageFile(const QString& path);
    // The language of a first start; returns the path of the file it loaded, if any.
    QString LoadFirstLanguage();
    void ReadValues();
    void ReadOptions();

    GameServices& Services;
    FilePlaces FilePlacesOfProgram;
    SettingsLines Lines;
    OptionsFile OptionLines;
    QStringList Table;
    MoreTexts Extra;
    QStringList Errors;
    int Interval = 10;
    int Skip = 0;
    std::optional<std::uint32_t> Colour;
    std::optional<SeatSettings> StoredSeats;
    bool SettingsRead = false;
    bool SettingsUnreadable = false;
};

} // namespace harvoline
