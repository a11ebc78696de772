#pragma once

#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

namespace harvoline {

class AudioPlayer;
class TagLibrary;

// What a file-open dialog is asked with. The filter uses the "description|pattern" pairs
// of the language table.
struct FileDialogRequest {
    QString Filter;
    QString Title;
    QString InitialFolder;
    QString FileName;
};

// What the game needs from the world around it: dialogs and message boxes, folders, the
// clock, the random source and the song player. The program's platform provides it; tests
// hand the game a recording fake.
class GameServices {
  public:
    virtual ~GameServices() = default;

    // Returns the chosen path, or nothing when the user cancels.
    virtual std::optional<QString> OpenFileDialog(const FileDialogRequest& request) = 0;
    virtual void ShowInformation(const QString& text) = 0;
    // True only when the user answers Yes.
    virtual bool AskYesNo(const QString& text) = 0;
    virtual void ShowMessage(const QString& text) = 0;
    // The general error box for failures no operation handled itself.
    virtual void ShowError(const QString& text) = 0;
    virtual void ShellOpen(const QString& path) = 0;

    // Both end with a path separator.
    virtual QString ExecutableFolder() = 0;
    virtual QString CurrentFolder() = 0;

    // Milliseconds from an arbitrary fixed start.
    virtual std::int64_t NowMs() = 0;
    virtual void Wait(int ms) = 0;

    virtual void Randomize() = 0;
    // A number from 0 to range - 1.
    virtual int Random(int range) = 0;

    // The song tag reader, set up once for the game; nothing when it cannot be had, and
    // the game then reads ID3v1 records only.
    virtual std::unique_ptr<TagLibrary> CreateTagLibrary() = 0;

    // The one song player of the program.
    virtual AudioPlayer& Audio() = 0;
    // Whether the video player is installed.
    virtual bool VideoInstalled() = 0;
};

} // namespace harvoline
