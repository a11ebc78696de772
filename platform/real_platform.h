#pragma once

#include "gamepad/sdl_gamepads.h"
#include "hid/real_hid_platform.h"
#include "model/media/audio_player.h"
#include "platform/platform.h"
#include "model/media/video_view.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>
#include <random>

namespace harvoline {

// The platform of the running program: Qt dialogs and message boxes, the desktop's
// file opener, the real clock and a real random source.
class RealPlatform : public Platform {
  public:
    RealPlatform();

    std::optional<QString> OpenFileDialog(const FileDialogRequest& request) override;
    void ShowInformation(const QString& text) override;
    bool AskYesNo(const QString& text) override;
    void ShowMessage(const QString& text) override;
    void ShowError(const QString& text) override;
    void ShellOpen(const QString& path) override;
    QString ExecutableFolder() override;
    QString CurrentFolder() override;
    std::int64_t NowMs() override;
    void Wait(int ms) override;
    void Randomize() override;
    int Random(int range) override;
    QImage LoadPicture(const QString& path) override;
    std::unique_ptr<TagLibrary> CreateTagLibrary() override;
    void SetOwner(QWidget* owner) override { Owner = owner; }
    HidPlatform& Hid() override { return HidDevices; }
    GamepadPlatform& Gamepads() override { return Pads; }
    AudioPlayer& Audio() override;
    std::unique_ptr<VideoView> CreateVideoView(QWidget* parent, const QRect& geometry) override;
    bool VideoInstalled() override;

  private:
    QPointer<QWidget> Owner;
    QElapsedTimer Clock;
    std::mt19937 Generator;
    RealHidPlatform HidDevices;
    SdlGamepads Pads;
    // Made on first use, so start-up does not wait for libvlc.
    std::unique_ptr<AudioPlayer> Player;
};

// Turns "description|pattern|..." pairs into a Qt dialog filter.
QString QtFileFilter(const QString& filter);

} // namespace harvoline
