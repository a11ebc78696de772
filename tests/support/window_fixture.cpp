#include "tests/support/window_fixture.h"

#include <QPushButton>
#include <QTest>

namespace harvoline::testing {

WindowTest::WindowTest() {
    Platform.ExeFolder = ExeFolder();
    Platform.WorkFolder = ExeFolder();
}

WindowTest::~WindowTest() = default;

MainWindow& WindowTest::StartWindow() {
    Session.reset();
    Session = std::make_unique<QuizSession>(Platform);
    Session->Window().show();
    return Session->Window();
}

void WindowTest::CloseWindow() {
    Session->Window().close();
}

MainWindow& WindowTest::StartGame(int songs) {
    MainWindow& window = StartWindow();
    Platform.DialogAnswers.push_back(WritePlaylist(WriteSongs(songs)));
    window.StartButton->click();
    return window;
}

void WindowTest::Press(Qt::Key key) {
    QTest::keyClick(&Session->Window(), key);
}

Qt::Key WindowTest::BuzzKey(int seat) {
    static const Qt::Key keys[] = {Qt::Key_unknown, Qt::Key_Q, Qt::Key_Y, Qt::Key_M, Qt::Key_P};
    return keys[seat];
}

} // namespace harvoline::testing
