#pragma once

#include "app/quiz_session.h"
#include "tests/support/fake_platform.h"
#include "tests/support/test_files.h"
#include "tests/support/widget_flags.h"

#include <gtest/gtest.h>
#include <memory>

namespace harvoline::testing {

// A fresh game with its window and inputs on the fake platform, with the program's and the
// current folder in a temporary folder of its own.
class WindowTest : public ::testing::Test, public TestFiles {
  protected:
    WindowTest();
    ~WindowTest() override;

    // Creates the window and runs its start.
    MainWindow& StartWindow();
    // Closes it the way the user does.
    void CloseWindow();
    // A game on a fresh playlist of tagged songs, its first round started by Start.
    MainWindow& StartGame(int songs = 14);

    QuizGame& Game() { return Session->Game(); }
    MainWindow& Window() { return Session->Window(); }

    // A key pressed on the window.
    void Press(Qt::Key key);
    // Q, Y, M and P for seats 1 to 4.
    static Qt::Key BuzzKey(int seat);
    static Qt::Key ChoiceKey(int choice) { return static_cast<Qt::Key>(Qt::Key_0 + choice); }

    FakePlatform Platform;
    std::unique_ptr<QuizSession> Session;
};

} // namespace harvoline::testing
