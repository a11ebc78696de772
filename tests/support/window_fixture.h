#pragma once

#include "app/main_window.h"
#include "tests/support/fake_platform.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace harvoline::testing {

// A fresh window on the fake platform, with its executable and current folders in a
// temporary folder of its own.
class WindowTest : public ::testing::Test {
  protected:
    WindowTest();
    ~WindowTest() override;

    // Creates the window and runs its start-up.
    TfrmMain& StartWindow();
    // Closes it the way the user does.
    void CloseWindow();

    QString ExePath(const QString& name) const { return Platform.ExeFolder + name; }
    void WriteFile(const QString& path, const QByteArray& bytes) const;
    QByteArray ReadFile(const QString& path) const;
    // Writes a small valid JPEG picture.
    void WritePicture(const QString& path, const QColor& colour = Qt::red) const;
    void WriteSettingsFile(const QStringList& lines) const;
    QStringList SettingsFileLines() const;

    QTemporaryDir Folder;
    FakePlatform Platform;
    std::unique_ptr<TfrmMain> Window;
};

} // namespace harvoline::testing
