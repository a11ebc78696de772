#include "model/config/language.h"
#include "tests/support/playlist_fixture.h"

#include <QApplication>
#include <QFile>
#include <QFocusEvent>
#include <QTest>
#include <functional>

using namespace harvoline;
using namespace harvoline::testing;

namespace {

class PlayerPanels : public PlaylistTest {
  protected:
    // The window active, so the name editors really get and lose the keyboard focus.
    TfrmMain& StartActiveWindow() {
        TfrmMain& w = StartWindow();
        w.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
        return w;
    }

    static void DoubleClick(QWidget* control) { QTest::mouseDClick(control, Qt::LeftButton); }

    // Types into whatever has the keyboard focus, as a player at the keyboard does.
    static void Type(const QString& text) { QTest::keyClicks(QApplication::focusWidget(), text); }
    static void PressEnter() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); }

    static void Rename(TfrmMain& w, int seat, const QString& name) {
        DoubleClick(w.Spieler[seat]);
        ASSERT_EQ(QApplication::focusWidget(), w.Edit[seat]);
        w.Edit[seat]->clear();
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
    TfrmMain& w = StartActiveWindow();
    DoubleClick(w.Spieler[2]);
    EXPECT_FALSE(IsShown(w.Info1));
    ASSERT_TRUE(IsShown(w.Edit[2]));
    EXPECT_EQ(w.Edit[2]->text(), "Name2");
    ASSERT_EQ(QApplication::focusWidget(), w.Edit[2]);

    w.Edit[2]->clear();
    PressEnter();
    EXPECT_FALSE(IsShown(w.PlayerP[2]));
    EXPECT_TRUE(IsShown(w.Edit[2]));
    EXPECT_EQ(QApplication::focusWidget(), &w);
    EXPECT_EQ(w.Spieler[2]->Caption(), "Name2");
    EXPECT_EQ(w.Settings.Line(2), "Name2: Name2.jpg; Name2");

    DoubleClick(w.Background);
    EXPECT_TRUE(IsShown(w.PlayerP[2]));
    EXPECT_TRUE(IsShown(w.Edit[2]));
    EXPECT_EQ(w.Edit[2]->text(), "");
    EXPECT_TRUE(Platform.Dialogs.empty());

    w.Edit[2]->setFocus();
    Type("Anna");
    PressEnter();
    EXPECT_TRUE(IsShown(w.PlayerP[2]));
    EXPECT_FALSE(IsShown(w.Edit[2]));
    EXPECT_EQ(w.Spieler[2]->Caption(), "Anna");
    EXPECT_EQ(w.Settings.Line(2), "Name2: Name2.jpg; Anna");
}

TEST_F(PlayerPanels, RenamingRewritesOnlyTheNameAndEndsTheNameHint) {
    TfrmMain& w = StartActiveWindow();
    ASSERT_FALSE(w.Spieler[3]->toolTip().isEmpty());
    Rename(w, 3, "Eva");
    EXPECT_EQ(w.Spieler[3]->Caption(), "Eva");
    EXPECT_EQ(w.Settings.Line(3), "Name3: Name3.jpg; Eva");
    EXPECT_TRUE(w.Spieler[3]->toolTip().isEmpty());
    EXPECT_FALSE(w.Image[3]->toolTip().isEmpty());
    // Applying the language again does not bring the hint back.
    w.ApplyLanguage();
    EXPECT_TRUE(w.Spieler[3]->toolTip().isEmpty());
    EXPECT_FALSE(w.Spieler[4]->toolTip().isEmpty());

    // Enter closes the editor once, although hiding it moves the focus away as well.
    w.Settings.SetLine(1, "Bob");
    Rename(w, 1, "A; b");
    EXPECT_EQ(w.Settings.Line(1), " A; b");
}

TEST_F(PlayerPanels, TheEditorClosesWhenTheFocusMovesOnInsideTheWindowOnly) {
    TfrmMain& w = StartActiveWindow();
    DoubleClick(w.Spieler[1]);
    Type("x");
    // Another program or the popup menu taking the focus leaves the editor open.
    for (const Qt::FocusReason reason : {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason}) {
        QFocusEvent away(QEvent::FocusOut, reason);
        QApplication::sendEvent(w.Edit[1], &away);
        EXPECT_TRUE(IsShown(w.Edit[1])) << reason;
    }
    EXPECT_EQ(w.Spieler[1]->Caption(), "Name1");
    // Opening the next editor takes the focus and closes the first one.
    DoubleClick(w.Spieler[4]);
    EXPECT_FALSE(IsShown(w.Edit[1]));
    EXPECT_EQ(w.Spieler[1]->Caption(), "Name1x");
    EXPECT_EQ(w.Settings.Line(1), "Name1: Name1.jpg; Name1x");
    EXPECT_EQ(QApplication::focusWidget(), w.Edit[4]);
}

TEST_F(PlayerPanels, HiddenSeatsComeBackOnePerDoubleClickThenTheBackgroundIsChosen) {
    const QString picture = WritePictureOfSize("back.jpg", {300, 200});
    TfrmMain& w = StartWindow();
    w.PlayerP[2]->hide();
    w.PlayerP[4]->hide();
    DoubleClick(w.Background);
    EXPECT_TRUE(IsShown(w.PlayerP[2]));
    EXPECT_FALSE(IsShown(w.PlayerP[4]));
    DoubleClick(w.Background);
    EXPECT_TRUE(IsShown(w.PlayerP[4]));
    EXPECT_TRUE(Platform.Dialogs.empty());

    Platform.DialogAnswers.push_back(picture);
    DoubleClick(w.Background);
    ASSERT_EQ(Platform.Dialogs.size(), 1u);
    EXPECT_EQ(Platform.Dialogs[0].Filter, w.LanguageEntry(15));
    EXPECT_EQ(Platform.Dialogs[0].Title, w.LanguageEntry(16));
    EXPECT_EQ(w.Background->Picture().size(), QSize(300, 200));
    EXPECT_EQ(w.Settings.Line(5), picture);

    // While a text page is open the background does not react.
    w.Hilfe1Click();
    DoubleClick(w.Background);
    EXPECT_EQ(Platform.Dialogs.size(), 1u);
    EXPECT_FALSE(IsShown(w.PlayerP[1]));
}

TEST_F(PlayerPanels, CancellingTheBackgroundDialogChangesNothing) {
    const QString face = WritePictureOfSize("face.jpg", {40, 60});
    TfrmMain& w = StartWindow();
    const QImage before = w.Background->Picture();
    Platform.DialogAnswers = {face, std::nullopt};
    DoubleClick(w.Image[2]);
    DoubleClick(w.Background);
    EXPECT_EQ(Platform.Dialogs.size(), 2u);
    EXPECT_EQ(w.Background->Picture(), before);
    EXPECT_EQ(w.Settings.Line(5), "");
    EXPECT_EQ(w.Settings.Line(2), "Name2: " + face + "; Name2");
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
    TfrmMain& w = StartWindow();
    ASSERT_EQ(w.Spieler[1]->Caption(), "Bob");
    for (const Case& c : cases) {
        const QString path = WritePictureOfSize(
            QString("bob%1x%2.jpg").arg(c.Picture.width()).arg(c.Picture.height()), c.Picture);
        Platform.DialogAnswers.push_back(path);
        DoubleClick(w.Image[1]);
        EXPECT_EQ(w.Settings.Line(1), "Name1: " + path + "; Bob");
        EXPECT_EQ(w.Image[1]->Picture().size(), c.Picture);
        EXPECT_EQ(w.Image[1]->PictureRect(), c.Shown) << path.toStdString();
        EXPECT_TRUE(w.Image[1]->toolTip().isEmpty());
    }
    EXPECT_FALSE(IsShown(w.Info3Panel));
}

TEST_F(PlayerPanels, APictureThatCannotBeLoadedIsReportedAndChangesNothing) {
    WriteFile(ExePath("broken.jpg"), "no picture in here");
    TfrmMain& w = StartWindow();
    const QImage before = w.Image[3]->Picture();
    const QImage background = w.Background->Picture();
    Platform.DialogAnswers = {ExePath("broken.jpg"), ExePath("missing.jpg")};
    DoubleClick(w.Image[3]);
    DoubleClick(w.Background);
    ASSERT_EQ(Platform.Messages.size(), 2);
    EXPECT_TRUE(Platform.Messages[0].contains(ExePath("broken.jpg")));
    EXPECT_TRUE(Platform.Messages[1].contains(ExePath("missing.jpg")));
    EXPECT_TRUE(Platform.Errors.isEmpty());
    EXPECT_EQ(w.Image[3]->Picture(), before);
    EXPECT_FALSE(w.Image[3]->toolTip().isEmpty());
    EXPECT_EQ(w.Settings.Line(3), "Name3: Name3.jpg; Name3");
    EXPECT_EQ(w.Background->Picture(), background);
    EXPECT_EQ(w.Settings.Line(5), "");
}

TEST_F(PlayerPanels, NamesPicturesAndTheBackgroundSurviveARestartButHiddenSeatsDoNot) {
    const QString face = WritePictureOfSize("face.jpg", {40, 60});
    const QString back = WritePictureOfSize("back.jpg", {300, 200});
    {
        TfrmMain& w = StartActiveWindow();
        Rename(w, 1, "A; b: c");
        Rename(w, 2, "Zoe Z");
        Platform.DialogAnswers = {face, back};
        DoubleClick(w.Image[2]);
        DoubleClick(w.Background);
        DoubleClick(w.Spieler[4]);
        w.Edit[4]->clear();
        PressEnter();
        ASSERT_FALSE(IsShown(w.PlayerP[4]));
        CloseWindow();
    }
    EXPECT_EQ(SettingsFileLines().mid(1, 5),
              (QStringList{"Name1: Name1.jpg; A; b: c", "Name2: " + face + "; Zoe Z",
                           "Name3: Name3.jpg; Name3", "Name4: Name4.jpg; Name4", back}));

    TfrmMain& w = StartWindow();
    EXPECT_EQ(w.Spieler[1]->Caption(), "A; b: c");
    EXPECT_EQ(w.Spieler[2]->Caption(), "Zoe Z");
    EXPECT_TRUE(w.Spieler[2]->toolTip().isEmpty());
    EXPECT_TRUE(w.Image[2]->toolTip().isEmpty());
    EXPECT_EQ(w.Image[2]->Picture().size(), QSize(40, 60));
    EXPECT_EQ(w.Background->Picture().size(), QSize(300, 200));
    for (int seat = 1; seat <= 4; ++seat) {
        EXPECT_TRUE(IsShown(w.PlayerP[seat])) << seat;
        EXPECT_FALSE(IsShown(w.Edit[seat])) << seat;
    }
    EXPECT_EQ(w.Spieler[4]->Caption(), "Name4");
}

TEST_F(PlayerPanels, AnOpenEditorKeepsStartFromStartingARound) {
    const QString playlist = WritePlaylist(WriteSongs(8));
    TfrmMain& w = StartActiveWindow();
    DoubleClick(w.Spieler[1]);
    Platform.DialogAnswers.push_back(playlist);
    w.Start->click();
    EXPECT_TRUE(Platform.Dialogs.empty());
    EXPECT_EQ(w.Start->text(), "Start");
    // An editor left open in a hidden panel does not count.
    w.Edit[1]->clear();
    PressEnter();
    ASSERT_FALSE(IsShown(w.PlayerP[1]));
    w.Start->click();
    EXPECT_EQ(Platform.Dialogs.size(), 1u);
    EXPECT_EQ(w.Start->text(), "Weiter");
}

TEST_F(PlayerPanels, AClickOnStartClosesTheEditorWithItsNameAndThenStarts) {
    const QString playlist = WritePlaylist(WriteSongs(8));
    TfrmMain& w = StartActiveWindow();
    DoubleClick(w.Spieler[1]);
    w.Edit[1]->setText("Ann");
    Platform.DialogAnswers.push_back(playlist);
    // Through the window, as a real click arrives.
    QTest::mouseClick(w.windowHandle(), Qt::LeftButton, {}, w.Start->geometry().center());
    EXPECT_FALSE(IsShown(w.Edit[1]));
    EXPECT_EQ(w.Spieler[1]->Caption(), "Ann");
    EXPECT_EQ(w.Settings.Line(1), "Name1: Name1.jpg; Ann");
    EXPECT_EQ(Platform.Dialogs.size(), 1u);
    EXPECT_EQ(w.Start->text(), "Weiter");
    // A click inside the editor leaves it open.
    DoubleClick(w.Spieler[2]);
    QTest::mouseClick(w.windowHandle(), Qt::LeftButton, {},
                      w.Edit[2]->mapTo(&w, w.Edit[2]->rect().center()));
    EXPECT_TRUE(IsShown(w.Edit[2]));
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
        Window.reset();
        QFile::remove(ExePath("Harvoline.ini"));
        TfrmMain& w = StartActiveWindow();
        DoubleClick(w.Spieler[2]);
        w.Edit[2]->setText(c.Pasted);
        PressEnter();
        EXPECT_EQ(w.Spieler[2]->Caption(), c.Name);
        CloseWindow();
        const QStringList lines = SettingsFileLines();
        ASSERT_EQ(lines.size(), 11) << c.Name.toStdString();
        EXPECT_EQ(lines[2], "Name2: Name2.jpg; " + c.Name);
        Window.reset();
        EXPECT_EQ(StartWindow().Spieler[2]->Caption(), c.Name);
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
    const std::pair<QString, std::function<void(TfrmMain&)>> choices[] = {
        {picture, [](TfrmMain& w) { w.ImageDblClick(2); }},
        {picture, [](TfrmMain& w) { w.BackgroundDblClick(); }},
        {playlist, [](TfrmMain& w) { w.Start->click(); }},
        {language, [](TfrmMain& w) { w.Sprachen1Click(); }},
    };
    for (const auto& [path, choose] : choices) {
        Window.reset();
        Platform.Messages.clear();
        TfrmMain& w = StartWindow();
        const QStringList before = w.Settings.All();
        const QImage picture2 = w.Image[2]->Picture();
        Platform.DialogAnswers = {path};
        choose(w);
        ASSERT_EQ(Platform.Messages.size(), 1) << path.toStdString();
        EXPECT_TRUE(Platform.Messages[0].contains("line break"));
        EXPECT_EQ(w.Settings.All(), before);
        EXPECT_EQ(w.Image[2]->Picture(), picture2);
        EXPECT_EQ(w.LanguageEntry(2), "Punkte");
        EXPECT_TRUE(w.SongList.isEmpty());
    }
}

TEST_F(PlayerPanels, PlayersLettersTypeIntoAnOpenEditorAndDoNotBuzz) {
    const QString playlist = WritePlaylist(WriteSongs(8));
    TfrmMain& w = StartActiveWindow();
    Platform.DialogAnswers.push_back(playlist);
    w.Start->click();
    ASSERT_EQ(w.Start->text(), "Weiter");
    ASSERT_TRUE(IsEnabledFlag(w.S[1]));
    w.CoverPanel->show();

    DoubleClick(w.Spieler[3]);
    w.Edit[3]->clear();
    Type("QYMP");
    EXPECT_EQ(w.CurrentPlayer, 0);
    EXPECT_EQ(w.Edit[3]->text(), "QYMP");
    // Enter confirms the name and does not press Start, which would end the cover round.
    PressEnter();
    EXPECT_EQ(w.Spieler[3]->Caption(), "QYMP");
    EXPECT_TRUE(IsShown(w.CoverPanel));

    // The keys go where the focus is, no longer to the closed editor.
    ASSERT_NE(QApplication::focusWidget(), w.Edit[3]);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_M);
    EXPECT_EQ(w.CurrentPlayer, 3);
    EXPECT_EQ(w.Edit[3]->text(), "QYMP");
}

TEST_F(PlayerPanels, TheBackgroundAsksBeforeEndingASinglePlayerGame) {
    TfrmMain& w = StartWindow();
    w.PlayerP[2]->hide();
    w.SinglePlayerMode = true;
    w.SingleGameTime = 30000;
    Platform.YesNoAnswers = {false, true};
    DoubleClick(w.Background);
    EXPECT_EQ(Platform.Questions, QStringList{w.LanguageEntry(11)});
    EXPECT_TRUE(w.SinglePlayerMode);
    EXPECT_FALSE(IsShown(w.PlayerP[2]));

    DoubleClick(w.Background);
    EXPECT_EQ(Platform.Questions.size(), 2);
    EXPECT_FALSE(w.SinglePlayerMode);
    EXPECT_EQ(w.SingleGameTime, 30000);
    EXPECT_TRUE(IsShown(w.PlayerP[2]));

    // A finished game ends the mode without asking.
    w.SinglePlayerMode = true;
    w.SingleGameTime = 0;
    w.PlayerP[3]->hide();
    DoubleClick(w.Background);
    EXPECT_EQ(Platform.Questions.size(), 2);
    EXPECT_FALSE(w.SinglePlayerMode);
    EXPECT_TRUE(IsShown(w.PlayerP[3]));
}
