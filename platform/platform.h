#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

class QWidget;

namespace harvoline {

class AudioPlayer;
class HidPlatform;
class VideoView;
class TagLibrary;

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

    // The song tag reader, set up once for the window; nothing when it cannot be had, and
    // the game then reads ID3v1 records only.
    virtual std::unique_ptr<TagLibrary> CreateTagLibrary() = 0;

    // The one song player of the program.
    virtual AudioPlayer& Audio() = 0;
    // A video view as a child of the parent window, hidden; raises HarvolineError when
    // none can be made.
    virtual std::unique_ptr<VideoView> CreateVideoView(QWidget* parent, const QRect& geometry) = 0;
    // Whether the video player is installed.
    virtual bool VideoInstalled() = 0;

    // The window that owns dialogs and message boxes.
    virtual void SetOwner(QWidget* owner) = 0;

    // The HID devices: buzzer receivers.
    virtual HidPlatform& Hid() = 0;
};

} // namespace harvoline
