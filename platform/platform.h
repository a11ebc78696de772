#pragma once

#include <QImage>
#include <QString>
#include <cstdint>
#include <optional>

class QWidget;

namespace harvoline {

// What a file-open dialog is asked with. The filter uses the "description|pattern" pairs
// of the language table.
struct FileDialogRequest {
    QString Filter;
    QString Title;
    QString InitialFolder;
    QString FileName;
};

// Everything the game needs from the outside world. The program runs with the real
// implementation; tests hand the window a recording fake.
class Platform {
  public:
    virtual ~Platform() = default;

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

    // Loads a picture, choosing the format by the file's extension; raises
    // HarvolineError when the file cannot be read or decoded.
    virtual QImage LoadPicture(const QString& path) = 0;

    // The window that owns dialogs and message boxes.
    virtual void SetOwner(QWidget* owner) = 0;
};

} // namespace harvoline
