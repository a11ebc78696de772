#pragma once

#include "platform/platform.h"
#include "tests/support/fake_gamepads.h"
#include "tests/support/fake_hid_platform.h"
#include "tests/support/fake_media.h"

#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

namespace harvoline::testing {

// A platform that answers from scripts and records what the game asked of it.
class FakePlatform : public Platform {
  public:
    FakePlatform() { Player.Clock = &Now; }

    // Answers for the next file dialogs, in order; nothing means "cancel". Without a
    // scripted answer a dialog is cancelled.
    std::deque<std::optional<QString>> DialogAnswers;
    std::vector<FileDialogRequest> Dialogs;
    // Runs while a dialog is open, as the event loop runs under a real one.
    std::function<void()> WhileDialogOpen;

    std::deque<bool> YesNoAnswers;
    QStringList Questions;
    QStringList Informations;
    QStringList Messages;
    QStringList Errors;
    QStringList ShellOpened;

    QString ExeFolder;
    QString WorkFolder;
    std::int64_t Now = 0;
    std::vector<int> Waits;
    int Randomizations = 0;
    // Scripted draws, taken modulo the range; after them, a fixed pseudo-random sequence.
    std::deque<int> RandomValues;
    unsigned RandomState = 1;
    QStringList PicturesLoaded;
    // The game gets a tag library over the real TagLib, or none when this is false.
    bool TagLibraryAvailable = true;
    int TagLibrariesCreated = 0;
    FakeHidPlatform HidDevices;

    std::optional<QString> OpenFileDialog(const FileDialogRequest& request) override;
    void ShowInformation(const QString& text) override { Informations << text; }
    bool AskYesNo(const QString& text) override;
    void ShowMessage(const QString& text) override { Messages << text; }
    void ShowError(const QString& text) override { Errors << text; }
    void ShellOpen(const QString& path) override { ShellOpened << path; }
    QString ExecutableFolder() override { return ExeFolder; }
    QString CurrentFolder() override { return WorkFolder; }
    std::int64_t NowMs() override { return Now; }
    void Wait(int ms) override;
    void Randomize() override { ++Randomizations; }
    int Random(int range) override;
    QImage LoadPicture(const QString& path) override;
    std::unique_ptr<TagLibrary> CreateTagLibrary() override;
    void SetOwner(QWidget*) override {}
    HidPlatform& Hid() override { return HidDevices; }
    // The fake pads, unless a test hands the game real ones.
    FakeGamepads Pads;
    GamepadPlatform* GamepadsInUse = &Pads;
    GamepadPlatform& Gamepads() override { return *GamepadsInUse; }

    FakeAudioPlayer Player;
    bool VideoAvailable = false;
    FakeVideoScript Video;
    AudioPlayer& Audio() override { return Player; }
    std::unique_ptr<VideoView> CreateVideoView(QWidget* parent, const QRect& geometry) override;
    bool VideoInstalled() override { return VideoAvailable; }
};

} // namespace harvoline::testing
