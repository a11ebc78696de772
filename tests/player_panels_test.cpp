#include "model/config/language.h"
#include "model/config/settings.h"
#include "tests/support/window_fixture.h"
#include "ui/seat_view.h"
#include "ui/start_hints.h"
#include "ui/widgets/caption_label.h"
#include "ui/widgets/filled_panel.h"
#include "ui/widgets/picture_box.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>

#include <QApplication>
#include <QFile>
#include <QFocusEvent>
#include <QTest>
#include <functional>

using namespace harvoline;
using namespace harvoline::testing;

namespace {

class PlayerPanels : public WindowTest {
  protected:
    // The window active, so the name editors really get and lose the keyboard focus.
    MainWindow& StartActiveWindow() {
        MainWindow& w = StartWindow();
        w.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
        return w;
    }

    static void DoubleClick(QWidget* control) { QTest::mouseDClick(control, Qt::LeftButton); }

    // Types into whatever has the keyboard focus, as a player at the keyboard does.
    static void Type(const QString& text) { QTest::keyClicks(QApplication::focusWidget(), text); }
    static void PressEnter() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); }

    static void Rename(MainWindow& w, int seat, const QString& name) {
        DoubleClick(w.Seats[seat]->Name);
        ASSERT_EQ(QApplication::focusWidget(), w.Seats[seat]->NameEditor);
        w.Seats[seat]->NameEditor->clear();
        Type(name);
        PressEnter();
    }

    // A picture of the given size, written as JPEG.
    QString WritePictureOfSize(const QString& name, const QSize& size) const {
        QImage picture(size, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        EXPECT_TRUE(picture.save(ExePath(name), "JPG"));
        return ExePath(name);
    }
};

} // namespace

TEST(PlayerLines, RenamingKeepsEverythingUpToTheFirstGap) {
    struct Case {
        const char* Line;
        const char* Name;
        const char* Expected;
    };
    const Case cases[] = {
        {"Name3: Name3.jpg; Name3", "Eva", "Name3: Name3.jpg; Eva"},
        {"Name1: /pics/a;b.jpg; Old", "New", "Name1: /pics/a;b.jpg; New"},
        {"Name1: x.jpg; Old; older", "A; b: c", "Name1: x.jpg; A; b: c"},
        {"Bob", "Eva", " Eva"},
        {"", "Eva", " Eva"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RenamedPlayerLine(c.Line, c.Name), c.Expected) << c.Line;
    }
    EXPECT_EQ(PlayerSettingsLine("Name", 2, "/pics/anna.jpg", "Anna"),
              "Name2: /pics/anna.jpg; Anna");
}

TEST_F(PlayerPanels, AnEmptyNameHidesTheSeatUntilTheBackgroundBringsItBackWithItsEditor) {
    MainWindow& w = StartActiveWindow();
    DoubleClick(w.Seats[2]->Name);
    EXPECT_FALSE(IsShown(w.Hints->TitleHint));
    ASSERT_TRUE(IsShown(w.Seats[2]->NameEditor));
    EXPECT_EQ(w.Seats[2]->NameEditor->text(), "Name2");
    ASSERT_EQ(QApplication::focusWidget(), w.Seats[2]->NameEditor);

    w.Seats[2]->NameEditor->clear();
    PressEnter();
    EXPECT_FALSE(IsShown(w.Seats[2]->Panel));
    EXPECT_TRUE(IsShown(w.Seats[2]->NameEditor));
    EXPECT_EQ(QApplication::focusWidget(), &w);
    EXPECT_EQ(w.Seats[2]->Name->Caption(), "Name2");
    EXPECT_EQ(Game().Config().Settings().Line(2), "Name2: Name2.jpg; Name2");

    DoubleClick(w.Background);
    EXPECT_TRUE(IsShown(w.Seats[2]->Panel));
    EXPECT_TRUE(IsShown(w.Seats[2]->NameEditor));
    EXPECT_EQ(w.Seats[2]->NameEditor->text(), "");
    EXPECT_TRUE(Platform.Dialogs.empty());

    w.Seats[2]->NameEditor->setFocus();
    Type("Anna");
    PressEnter();
    EXPECT_TRUE(IsShown(w.Seats[2]->Panel));
    EXPECT_FALSE(IsShown(w.Seats[2]->NameEditor));
    EXPECT_EQ(w.Seats[2]->Name->Caption(), "Anna");
    EXPECT_EQ(Game().Config().Settings().Line(2), "Name2: Name2.jpg; Anna");
}

TEST_F(PlayerPanels, RenamingRewritesOnlyTheNameAndEndsTheNameHint) {
    MainWindow& w = StartActiveWindow();
    ASSERT_FALSE(w.Seats[3]->Name->toolTip().isEmpty());
    Rename(w, 3, "Eva");
    EXPECT_EQ(w.Seats[3]->Name->Caption(), "Eva");
    EXPECT_EQ(Game().Config().Settings().Line(3), "Name3: Name3.jpg; Eva");
    EXPECT_TRUE(w.Seats[3]->Name->toolTip().isEmpty());
    EXPECT_FALSE(w.Seats[3]->Picture->toolTip().isEmpty());
    // Applying a language again does not bring the hint back.
    Platform.DialogAnswers.push_back(QStringLiteral(HARVOLINE_SOURCE_DIR "/languages/English.ini"));
    w.LanguageAction->trigger();
    EXPECT_TRUE(w.Seats[3]->Name->toolTip().isEmpty());
    EXPECT_FALSE(w.Seats[4]->Name->toolTip().isEmpty());

    // Enter closes the editor once, although hiding it moves the focus away as well.
    Game().Config().Settings().SetLine(1, "Bob");
    Rename(w, 1, "A; b");
    EXPECT_EQ(Game().Config().Settings().Line(1), " A; b");
}

TEST_F(PlayerPanels, TheEditorClosesWhenTheFocusMovesOnInsideTheWindowOnly) {
    MainWindow& w = StartActiveWindow();
    DoubleClick(w.Seats[1]->Name);
    Type("x");
    // Another program or the popup menu taking the focus leaves the editor open.
    for (const Qt::FocusReason reason : {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason}) {
        QFocusEvent away(QEvent::FocusOut, reason);
        QApplication::sendEvent(w.Seats[1]->NameEditor, &away);
        EXPECT_TRUE(IsShown(w.Seats[1]->NameEditor)) << reason;
    }
    EXPECT_EQ(w.Seats[1]->Name->Caption(), "Name1");
    // Opening the next editor takes the focus and closes the first one.
    DoubleClick(w.Seats[4]->Name);
    EXPECT_FALSE(IsShown(w.Seats[1]->NameEditor));
    EXPECT_EQ(w.Seats[1]->Name->Caption(), "Name1x");
    EXPECT_EQ(Game().Config().Settings().Line(1), "Name1: Name1.jpg; Name1x");
    EXPECT_EQ(QApplication::focusWidget(), w.Seats[4]->NameEditor);
}

TEST_F(PlayerPanels, HiddenSeatsComeBackOnePerDoubleClickThenTheBackgroundIsChosen) {
    const QString picture = WritePictureOfSize("back.jpg", {300, 200});
    MainWindow& w = StartWindow();
    Game().RenameSeat(2, "");
    Game().RenameSeat(4, "");
    DoubleClick(w.Background);
    EXPECT_TRUE(IsShown(w.Seats[2]->Panel));
    EXPECT_FALSE(IsShown(w.Seats[4]->Panel));
    DoubleClick(w.Background);
    EXPECT_TRUE(IsShown(w.Seats[4]->Panel));
    EXPECT_TRUE(Platform.Dialogs.empty());

    Platform.DialogAnswers.push_back(picture);
    DoubleClick(w.Background);
    ASSERT_EQ(Platform.Dialogs.size(), 1u);
    EXPECT_EQ(Platform.Dialogs[0].Filter, Game().Config().Text(15));
    EXPECT_EQ(Platform.Dialogs[0].Title, Game().Config().Text(16));
    EXPECT_EQ(w.Background->Picture().size(), QSize(300, 200));
    EXPECT_EQ(Game().Config().Settings().Line(5), picture);

    // While a text page is open the background does not react.
    w.OpenHelp();
    DoubleClick(w.Background);
    EXPECT_EQ(Platform.Dialogs.size(), 1u);
    EXPECT_FALSE(IsShown(w.Seats[1]->Panel));
}

TEST_F(PlayerPanels, CancellingTheBackgroundDialogChangesNothing) {
    const QString face = WritePictureOfSize("face.jpg", {40, 60});
    MainWindow& w = StartWindow();
    const QImage before = w.Background->Picture();
    Platform.DialogAnswers = {face, std::nullopt};
    DoubleClick(w.Seats[2]->Picture);
    DoubleClick(w.Background);
    EXPECT_EQ(Platform.Dialogs.size(), 2u);
    EXPECT_EQ(w.Background->Picture(), before);
    EXPECT_EQ(Game().Config().Settings().Line(5), "");
    EXPECT_EQ(Game().Config().Settings().Line(2), "Name2: " + face + "; Name2");
}

TEST_F(PlayerPanels, AChosenPictureRewritesTheWholeLineAndIsNeverEnlarged) {
    QStringList lines = DefaultSettings(DefaultLanguageTable());
    lines[1] = "odd line without the usual parts; Bob";
    WriteSettingsFile(lines);
    struct Case {
        QSize Picture;
        QRect Shown; // inside the 170 x 230 image
    };
    const Case cases[] = {
        {{40, 60}, {65, 85, 40, 60}},
        {{340, 230}, {0, 57, 170, 115}},
        {{170, 460}, {42, 0, 85, 230}},
    };
    MainWindow& w = StartWindow();
    ASSERT_EQ(w.Seats[1]->Name->Caption(), "Bob");
    for (const Case& c : cases) {
        const QString path = WritePictureOfSize(
            QString("bob%1x%2.jpg").arg(c.Picture.width()).arg(c.Picture.height()), c.Picture);
        Platform.DialogAnswers.push_back(path);
        DoubleClick(w.Seats[1]->Picture);
        EXPECT_EQ(Game().Config().Settings().Line(1), "Name1: " + path + "; Bob");
        EXPECT_EQ(w.Seats[1]->Picture->Picture().size(), c.Picture);
        EXPECT_EQ(w.Seats[1]->Picture->PictureRect(), c.Shown) << path.toStdString();
        EXPECT_TRUE(w.Seats[1]->Picture->toolTip().isEmpty());
    }
    EXPECT_FALSE(IsShown(w.Hints->PictureHint));
}

TEST_F(PlayerPanels, APictureThatCannotBeLoadedIsReportedAndChangesNothing) {
    WriteFile(ExePath("broken.jpg"), "no picture in here");
    MainWindow& w = StartWindow();
    const QImage before = w.Seats[3]->Picture->Picture();
    const QImage background = w.Background->Picture();
    Platform.DialogAnswers = {ExePath("broken.jpg"), ExePath("missing.jpg")};
    DoubleClick(w.Seats[3]->Picture);
    DoubleClick(w.Background);
    ASSERT_EQ(Platform.Messages.size(), 2);
    EXPECT_TRUE(Platform.Messages[0].contains(ExePath("broken.jpg")));
    EXPECT_TRUE(Platform.Messages[1].contains(ExePath("missing.jpg")));
    EXPECT_TRUE(Platform.Errors.isEmpty());
    EXPECT_EQ(w.Seats[3]->Picture->Picture(), before);
    EXPECT_FALSE(w.Seats[3]->Picture->toolTip().isEmpty());
    EXPECT_EQ(Game().Config().Settings().Line(3), "Name3: Name3.jpg; Name3");
    EXPECT_EQ(w.Background->Picture(), background);
    EXPECT_EQ(Game().Config().Settings().Line(5), "");
}

TEST_F(PlayerPanels, NamesPicturesAndTheBackgroundSurviveARestartButHiddenSeatsDoNot) {
    const QString face = WritePictureOfSize("face.jpg", {40, 60});
    const QString back = WritePictureOfSize("back.jpg", {300, 200});
    {
        MainWindow& w = StartActiveWindow();
        Rename(w, 1, "A; b: c");
        Rename(w, 2, "Zoe Z");
        Platform.DialogAnswers = {face, back};
        DoubleClick(w.Seats[2]->Picture);
        DoubleClick(w.Background);
        DoubleClick(w.Seats[4]->Name);
        w.Seats[4]->NameEditor->clear();
        PressEnter();
        ASSERT_FALSE(IsShown(w.Seats[4]->Panel));
        CloseWindow();
    }
    EXPECT_EQ(SettingsFileLines().mid(1, 5),
              (QStringList{"Name1: Name1.jpg; A; b: c", "Name2: " + face + "; Zoe Z",
                           "Name3: Name3.jpg; Name3", "Name4: Name4.jpg; Name4", back}));

    MainWindow& w = StartWindow();
    EXPECT_EQ(w.Seats[1]->Name->Caption(), "A; b: c");
    EXPECT_EQ(w.Seats[2]->Name->Caption(), "Zoe Z");
    EXPECT_TRUE(w.Seats[2]->Name->toolTip().isEmpty());
    EXPECT_TRUE(w.Seats[2]->Picture->toolTip().isEmpty());
    EXPECT_EQ(w.Seats[2]->Picture->Picture().size(), QSize(40, 60));
    EXPECT_EQ(w.Background->Picture().size(), QSize(300, 200));
    for (int seat = 1; seat <= 4; ++seat) {
        EXPECT_TRUE(IsShown(w.Seats[seat]->Panel)) << seat;
        EXPECT_FALSE(IsShown(w.Seats[seat]->NameEditor)) << seat;
    }
    EXPECT_EQ(w.Seats[4]->Name->Caption(), "Name4");
}

TEST_F(PlayerPanels, AnOpenEditorKeepsStartFromStartingARound) {
    const QString playlist = WritePlaylist(WriteSongs(8));
    MainWindow& w = StartActiveWindow();
    DoubleClick(w.Seats[1]->Name);
    Platform.DialogAnswers.push_back(playlist);
    w.StartButton->click();
    EXPECT_TRUE(Platform.Dialogs.empty());
    EXPECT_EQ(w.StartButton->text(), "Start");
    // An editor left open in a hidden panel does not count.
    w.Seats[1]->NameEditor->clear();
    PressEnter();
    ASSERT_FALSE(IsShown(w.Seats[1]->Panel));
    w.StartButton->click();
    EXPECT_EQ(Platform.Dialogs.size(), 1u);
    EXPECT_EQ(w.StartButton->text(), "Weiter");
}

TEST_F(PlayerPanels, AClickOnStartClosesTheEditorWithItsNameAndThenStarts) {
    const QString playlist = WritePlaylist(WriteSongs(8));
    MainWindow& w = StartActiveWindow();
    DoubleClick(w.Seats[1]->Name);
    w.Seats[1]->NameEditor->setText("Ann");
    Platform.DialogAnswers.push_back(playlist);
    // Through the window, as a real click arrives.
    QTest::mouseClick(w.windowHandle(), Qt::LeftButton, {}, w.StartButton->geometry().center());
    EXPECT_FALSE(IsShown(w.Seats[1]->NameEditor));
    EXPECT_EQ(w.Seats[1]->Name->Caption(), "Ann");
    EXPECT_EQ(Game().Config().Settings().Line(1), "Name1: Name1.jpg; Ann");
    EXPECT_EQ(Platform.Dialogs.size(), 1u);
    EXPECT_EQ(w.StartButton->text(), "Weiter");
    // A click inside the editor leaves it open.
    DoubleClick(w.Seats[2]->Name);
    QTest::mouseClick(w.windowHandle(), Qt::LeftButton, {},
                      w.Seats[2]->NameEditor->mapTo(&w, w.Seats[2]->NameEditor->rect().center()));
    EXPECT_TRUE(IsShown(w.Seats[2]->NameEditor));
}

TEST_F(PlayerPanels, APastedNameWithLineBreaksBecomesOneLine) {
    struct Case {
        QString Pasted;
        QString Name;
    };
    const Case cases[] = {
        {"Ann\nBob\r\nCid", "Ann Bob Cid"},
        {"\rEva\n\n", "Eva"},
        {QStringLiteral("Tom") + QChar(0) + "Tim", "Tom Tim"},
    };
    for (const Case& c : cases) {
        Session.reset();
        QFile::remove(ExePath("Harvoline.ini"));
        MainWindow& w = StartActiveWindow();
        DoubleClick(w.Seats[2]->Name);
        w.Seats[2]->NameEditor->setText(c.Pasted);
        PressEnter();
        EXPECT_EQ(w.Seats[2]->Name->Caption(), c.Name);
        CloseWindow();
        const QStringList lines = SettingsFileLines();
        ASSERT_EQ(lines.size(), 11) << c.Name.toStdString();
        EXPECT_EQ(lines[2], "Name2: Name2.jpg; " + c.Name);
        Session.reset();
        EXPECT_EQ(StartWindow().Seats[2]->Name->Caption(), c.Name);
    }
}

TEST_F(PlayerPanels, AChosenFileWhosePathHoldsALineBreakIsRefused) {
    const QString picture = ExePath("my\npicture.jpg");
    WritePicture(picture);
    const QString playlist = SongFolder() + "party\r.m3u";
    WriteFile(playlist, WriteSongs(8).join("\r\n").toUtf8());
    const QString language = ExePath("Eng\nlish.ini");
    ASSERT_TRUE(
        QFile::copy(QStringLiteral(HARVOLINE_SOURCE_DIR "/languages/English.ini"), language));
    const std::pair<QString, std::function<void(MainWindow&)>> choices[] = {
        {picture, [](MainWindow& w) { w.ChooseSeatPicture(2); }},
        {picture, [](MainWindow& w) { w.BackgroundDoubleClicked(); }},
        {playlist, [](MainWindow& w) { w.StartButton->click(); }},
        {language, [](MainWindow& w) { w.LanguageAction->trigger(); }},
    };
    for (const auto& [path, choose] : choices) {
        Session.reset();
        Platform.Messages.clear();
        MainWindow& w = StartWindow();
        const QStringList before = Game().Config().Settings().All();
        const QImage picture2 = w.Seats[2]->Picture->Picture();
        Platform.DialogAnswers = {path};
        choose(w);
        ASSERT_EQ(Platform.Messages.size(), 1) << path.toStdString();
        EXPECT_TRUE(Platform.Messages[0].contains("line break"));
        EXPECT_EQ(Game().Config().Settings().All(), before);
        EXPECT_EQ(w.Seats[2]->Picture->Picture(), picture2);
        EXPECT_EQ(Game().Config().Text(2), "Punkte");
        EXPECT_TRUE(Game().Songs().Entries().isEmpty());
    }
}

TEST_F(PlayerPanels, PlayersLettersTypeIntoAnOpenEditorAndDoNotBuzz) {
    const QString playlist = WritePlaylist(WriteSongs(8));
    MainWindow& w = StartActiveWindow();
    Platform.DialogAnswers.push_back(playlist);
    w.StartButton->click();
    ASSERT_EQ(w.StartButton->text(), "Weiter");
    ASSERT_TRUE(IsEnabledFlag(w.Seats[1]->BuzzButton));
    const qsizetype played = Platform.Player.Played.size();

    DoubleClick(w.Seats[3]->Name);
    w.Seats[3]->NameEditor->clear();
    Type("QYMP");
    EXPECT_EQ(Game().Phase(), RoundPhase::Open);
    EXPECT_EQ(w.Seats[3]->NameEditor->text(), "QYMP");
    // Enter confirms the name and does not press Start, which would end the round.
    PressEnter();
    EXPECT_EQ(w.Seats[3]->Name->Caption(), "QYMP");
    EXPECT_EQ(Platform.Player.Played.size(), played);

    // The keys go where the focus is, no longer to the closed editor.
    ASSERT_NE(QApplication::focusWidget(), w.Seats[3]->NameEditor);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_M);
    EXPECT_EQ(Game().AnsweringSeat(), 3);
    EXPECT_EQ(w.Seats[3]->NameEditor->text(), "QYMP");
}

TEST_F(PlayerPanels, TheBackgroundAsksBeforeEndingASinglePlayerGame) {
    MainWindow& w = StartWindow();
    Game().RenameSeat(2, "");
    Game().SingleGame().SinglePlayer = true;
    Game().SingleGame().SingleGameElapsedMs = 30000;
    Platform.YesNoAnswers = {false, true};
    DoubleClick(w.Background);
    EXPECT_EQ(Platform.Questions, QStringList{Game().Config().Text(11)});
    EXPECT_TRUE(Game().SingleGame().SinglePlayer);
    EXPECT_FALSE(IsShown(w.Seats[2]->Panel));

    DoubleClick(w.Background);
    EXPECT_EQ(Platform.Questions.size(), 2);
    EXPECT_FALSE(Game().SingleGame().SinglePlayer);
    EXPECT_EQ(Game().SingleGame().SingleGameElapsedMs, 30000);
    EXPECT_TRUE(IsShown(w.Seats[2]->Panel));

    // A finished game ends the mode without asking.
    Game().SingleGame().SinglePlayer = true;
    Game().SingleGame().SingleGameElapsedMs = 0;
    Game().RenameSeat(3, "");
    DoubleClick(w.Background);
    EXPECT_EQ(Platform.Questions.size(), 2);
    EXPECT_FALSE(Game().SingleGame().SinglePlayer);
    EXPECT_TRUE(IsShown(w.Seats[3]->Panel));
}
