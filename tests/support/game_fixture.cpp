#include "tests/support/game_fixture.h"

namespace harvoline::testing {

int RightChoice(const QuizGame& game) {
    return static_cast<int>(game.Choices().All().indexOf(game.RightAnswer())) + 1;
}

int WrongChoice(const QuizGame& game) {
    for (int choice = 1; choice <= game.Choices().Count(); ++choice) {
        if (choice != RightChoice(game) && game.Line(choice).Open) {
            return choice;
        }
    }
    return 0;
}

GameTest::GameTest() {
    Platform.ExeFolder = ExeFolder();
    Platform.WorkFolder = ExeFolder();
}

GameTest::~GameTest() = default;

QuizGame& GameTest::StartUp() {
    Quiz = std::make_unique<QuizGame>(Platform);
    Quiz->SetScreen(Screen);
    Quiz->StartUp();
    return *Quiz;
}

QuizGame& GameTest::OpenWith(const QString& playlist) {
    QuizGame& game = StartUp();
    Platform.DialogAnswers.push_back(playlist);
    game.OpenPlaylist();
    return game;
}

QuizGame& GameTest::StartGame(int songs) {
    QuizGame& game = StartUp();
    Platform.DialogAnswers.push_back(WritePlaylist(WriteSongs(songs)));
    game.Proceed();
    return game;
}

void GameTest::ShutDown() {
    Quiz->ShutDown();
}

} // namespace harvoline::testing
