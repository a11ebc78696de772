#pragma once

#include "model/game/quiz_game.h"
#include "tests/support/fake_platform.h"
#include "tests/support/fake_screen.h"
#include "tests/support/test_files.h"

#include <gtest/gtest.h>
#include <memory>

namespace harvoline::testing {

// The choice that is right in the round; 0 when none is.
int RightChoice(const QuizGame& game);
// The first choice that is wrong and still open.
int WrongChoice(const QuizGame& game);

// A fresh game without a window, on the fake platform and screen, with the program's and
// the current folder in a temporary folder of its own.
class GameTest : public ::testing::Test, public TestFiles {
  protected:
    GameTest();
    ~GameTest() override;

    // Creates the game and runs its start.
    QuizGame& StartUp();
    // Starts the game and opens the playlist as the menu does, without a new round.
    QuizGame& OpenWith(const QString& playlist);
    // A game on a fresh playlist of tagged songs, its first round started by Start.
    QuizGame& StartGame(int songs = 14);
    // Ends the game as the program's end does.
    void ShutDown();

    FakePlatform Platform;
    FakeScreen Screen{Platform};
    std::unique_ptr<QuizGame> Quiz;
};

} // namespace harvoline::testing
