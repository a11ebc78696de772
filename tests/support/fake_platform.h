#pragma once

#include "platform/platform.h"

#include <QStringList>
#include <deque>
#include <vector>

namespace harvoline::testing {

// A platform that answers from scripts and records what the game asked of it.
class FakePlatform : public Platform {
  public:
    // Answers for the next file dialogs, in order; nothing means "cancel". Without a
    // scripted answer a dialog is cancelled.
    std::deque<std::optional<QString>> DialogAnswers;
    std::vector<FileDialogRequest> Dialogs;

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
    std::deque<int> RandomValues;
    QStringList PicturesLoaded;

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
    void SetOwner(QWidget*) override {}
};

} // namespace harvoline::testing
