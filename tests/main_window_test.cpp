#include "tests/support/window_fixture.h"

#include "model/game/highscores.h"

#include <QApplication>
#include <QTest>
#include <QToolTip>

using namespace harvoline;
using namespace harvoline::testing;

namespace {

template <typename T = QWidget> T* Control(TfrmMain& w, const QString& name) {
    if (w.objectName() == name) {
        return qobject_cast<T*>(&w);
    }
    auto* control = w.findChild<T*>(name);
    EXPECT_NE(control, nullptr) << name.toStdString();
    return control;
}

bool HintsShowing(TfrmMain& w) {
    return IsShown(w.Info1) && IsShown(w.Info2) && IsShown(w.Info3Panel) && IsShown(w.Info4Panel);
}

bool HintsHidden(TfrmMain& w) {
    return !IsShown(w.Info1) && !IsShown(w.Info2) && !IsShown(w.Info3Panel) &&
           !IsShown(w.Info4Panel) && !w.Timer4->isActive();
}

// A click delivered as the system delivers it: to whatever control the point shows.
void ClickThroughWindow(TfrmMain& w, QWidget* control, QPoint at = {}) {
    if (at.isNull()) {
        at = control->rect().center();
    }
    QTest::mouseClick(w.windowHandle(), Qt::LeftButton, {}, control->mapTo(&w, at));
}

// A point of the status band that no label or button covers.
const QPoint BareStatusBand(125, 45);

} // namespace

using MainWindow = WindowTest;

TEST_F(MainWindow, ControlsStandAtTheirDesignPlaces) {
    TfrmMain& w = StartWindow();
    EXPECT_EQ(w.size(), QSize(800, 566));
    EXPECT_TRUE(w.windowFlags() & Qt::FramelessWindowHint);
    struct Case {
        const char* Name;
        QRect Geometry;
        bool Shown;
    };
    const Case cases[] = {
        {"Rahmen", {0, 0, 800, 566}, true},
        {"Background", {3, 3, 794, 560}, true},
        {"HVIcon", {272 - 0, 4, 33, 33}, true},
        {"Start", {8, 200, 113, 43}, true},
        {"Bevel1", {360, 200, 425, 41}, true},
        {"TimesUp", {360, 200, 321, 41}, false},
        {"APanel", {8, 34, 37, 37}, false},
        {"DPanel", {8, 154, 37, 37}, false},
        {"A", {3, 3, 30, 30}, true},
        {"PlayerP1", {5, 248, 190, 313}, true},
        {"PlayerP2", {205, 248, 190, 313}, true},
        {"PlayerP3", {405, 248, 190, 313}, true},
        {"PlayerP4", {605, 248, 190, 313}, true},
        {"Image2", {10, 10, 170, 230}, true},
        {"Spieler2", {10, 240, 135, 29}, true},
        {"Edit2", {10, 240, 135, 37}, false},
        {"S4", {144, 240, 37, 37}, true},
        {"Gitter3", {0, 0, 190, 313}, false},
        {"EndHelp", {746, 519, 49, 43}, false},
        {"Info1", {472, 32, 249, 22}, true},
        {"Info2", {88, 16, 193, 22}, true},
        {"Info3Panel", {13, 96, 172, 28}, true},
        {"Info4Panel", {0, 264, 193, 33}, true},
        {"BuzzerPanel", {(800 - 385) / 2 - 20, 248 - 50 - 73, 385, 73}, false},
        {"NoMoreBuzzers", {312, 48, 70, 20}, true},
        {"MiniCover", {632, 34, 161, 161}, false},
        {"MiniDeck3", {632, 34, 161, 161}, false},
        {"Resize", {782, 548, 16, 16}, true},
        {"CoverPanel", {117, 0, 566, 566}, false},
    };
    for (const Case& c : cases) {
        QWidget* control = Control(w, c.Name);
        ASSERT_NE(control, nullptr);
        if (QString(c.Name) != "HVIcon" && QString(c.Name) != "CoverPanel") {
            EXPECT_EQ(control->geometry(), c.Geometry) << c.Name;
        }
        EXPECT_EQ(IsShown(control), c.Shown) << c.Name;
    }
    // The cover panel's top depends on the window's height: at 566 it is too low for the
    // places below and above the answer bar, so it stands at the title's height, shrunk.
    EXPECT_EQ(w.CoverPanel->y(), w.Titel->height());
    EXPECT_EQ(w.CoverPanel->height(), 566 - w.Titel->height());
    EXPECT_EQ(w.CoverPanel->width(), w.CoverPanel->height());
    // The picture and the tiles shrink with it, so the last row and column stay inside.
    const int inside = w.CoverPanel->width() - 6;
    EXPECT_EQ(w.Cover->geometry(), QRect(3, 3, inside, inside));
    EXPECT_EQ(w.Tile[1]->pos(), QPoint(3, 3));
    EXPECT_EQ(w.Tile[64]->geometry().bottomRight(), QPoint(2 + inside, 2 + inside));
    EXPECT_EQ(w.Tile[2]->x(), w.Tile[1]->geometry().right() + 1);
    EXPECT_EQ(w.Tile[9]->y(), w.Tile[1]->geometry().bottom() + 1);

    EXPECT_EQ(w.Titel->x(), (800 - w.Titel->width()) / 2 - 20);
    EXPECT_EQ(w.HVIcon->x(), w.Titel->x() - 40);
    EXPECT_EQ(w.Titel->Caption(), "Harvoline");
    EXPECT_EQ(w.windowTitle(), "Harvoline");
    EXPECT_EQ(w.Zeit->Caption(), "00:00");
    EXPECT_EQ(w.Punkte->Caption(), "Punkte: 3");
    EXPECT_EQ(w.Start->text(), "Start");
    EXPECT_EQ(w.Anzahl->Caption(), "0 Lieder in der Playlist");
    EXPECT_EQ(w.Anzahl->x() + w.Anzahl->width(), 800 - 15);
    for (int seat = 1; seat <= 4; ++seat) {
        EXPECT_EQ(w.Spieler[seat]->Caption(), QString("Name%1").arg(seat));
        EXPECT_EQ(w.PlayerZeit[seat]->Caption(), "1:00:00");
        EXPECT_EQ(w.PlayerPunkte[seat]->Caption(), "0");
        EXPECT_FALSE(IsEnabledFlag(w.S[seat]));
        EXPECT_EQ(w.Image[seat]->Picture().size(), QSize(170, 230));
        EXPECT_EQ(w.AnswerButton[seat]->text(), QString("&%1").arg(seat));
        EXPECT_TRUE(w.AnswerLabel[seat]->Caption().isEmpty());
    }
    EXPECT_EQ(w.S[1]->text(), "&Q");
    EXPECT_EQ(w.S[4]->text(), "&P");
    EXPECT_EQ(w.Background->Picture().size(), QSize(800, 566));
    EXPECT_EQ(w.HVIcon->Picture().size(), QSize(33, 33));
    EXPECT_EQ(w.MiniDeck[1]->Picture().size(), QSize(161, 161));
    EXPECT_EQ(w.Info1->Color(), 0x00A8FFu);
    EXPECT_EQ(QToolTip::palette().color(QPalette::ToolTipBase), QColor(255, 168, 0));
    EXPECT_EQ(Platform.Randomizations, 1);

    const int intervals[] = {10000, 10, 20, 15000, 750, 1500};
    const QTimer* timers[] = {w.Timer1, w.Timer2, w.Timer3, w.Timer4, w.Timer5, w.Timer6};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(timers[i]->interval(), intervals[i]) << i + 1;
        EXPECT_EQ(timers[i]->isActive(), i == 3) << i + 1;
    }
    QStringList menu;
    for (QAction* action : w.Menu->actions()) {
        menu << (action->isSeparator() ? QString("-") : action->text());
    }
    EXPECT_EQ(menu, (QStringList{"&Beenden", "-", "&Playlist laden", "&Einzelspieler", "-",
                                 "&Sprachen", "-", "&Kurzhilfe", "&Highscores"}));
    for (QAction* action : {w.Beenden1, w.LoadPlaylist, w.Einzelspieler1, w.Sprachen1, w.Hilfe1,
                            w.Info}) {
        EXPECT_FALSE(action->icon().isNull()) << action->objectName().toStdString();
    }
}

TEST_F(MainWindow, LayoutFollowsTheWindowSize) {
    TfrmMain& w = StartWindow();
    w.resize(1024, 768);
    EXPECT_EQ(w.PlayerP[1]->pos(), QPoint(5, 415));
    EXPECT_EQ(w.PlayerP[2]->x(), 274);
    EXPECT_EQ(w.PlayerP[3]->x(), 548);
    EXPECT_EQ(w.PlayerP[4]->x(), 819);
    EXPECT_EQ(w.Rahmen->size(), QSize(1024, 768));
    EXPECT_EQ(w.Background->size(), QSize(1018, 762));
    EXPECT_EQ(w.Resize->pos(), QPoint(1006, 750));
    EXPECT_EQ(w.Bevel1->width(), 1024 - 15 - 360);
    EXPECT_EQ(w.MiniCover->x(), 1024 - 161 - 7);
    EXPECT_EQ(w.MiniDeck[2]->pos(), w.MiniCover->pos());
    EXPECT_EQ(w.BuzzerPanel->pos(), QPoint((1024 - 385) / 2 - 20, 415 - 50 - 73));
    EXPECT_EQ(w.CoverPanel->geometry(), QRect((1024 - 566) / 2, 195, 566, 566));
    // At its design size the panel holds the picture at 560 and 70-pixel tiles.
    EXPECT_EQ(w.Cover->geometry(), QRect(3, 3, 560, 560));
    EXPECT_EQ(w.Tile[18]->geometry(), QRect(3 + 70, 3 + 140, 70, 70));
    EXPECT_EQ(w.Tile[64]->geometry(), QRect(3 + 490, 3 + 490, 70, 70));
    EXPECT_EQ(w.Anzahl->x() + w.Anzahl->width(), 1024 - 15);
    w.resize(800, 566);
    EXPECT_EQ(w.PlayerP[4]->pos(), QPoint(605, 248));
}

TEST_F(MainWindow, StartHintsHideOnTimerAndOnEachListedAction) {
    const std::vector<std::pair<const char*, std::function<void(TfrmMain&)>>> actions = {
        {"Timer4", [](TfrmMain& w) { w.Timer4Timer(); }},
        {"background click", [](TfrmMain& w) { QTest::mouseClick(w.Background, Qt::LeftButton); }},
        {"status band click",
         [](TfrmMain& w) { ClickThroughWindow(w, w.StatusBand, BareStatusBand); }},
        {"click on a hint", [](TfrmMain& w) { ClickThroughWindow(w, w.Info1); }},
        {"click on the second hint", [](TfrmMain& w) { ClickThroughWindow(w, w.Info2); }},
        {"click on a player's hint", [](TfrmMain& w) { ClickThroughWindow(w, w.info3); }},
        {"click on the last hint", [](TfrmMain& w) { ClickThroughWindow(w, w.Info4); }},
        {"title double-click", [](TfrmMain& w) { w.TitelDblClick(); }},
        {"icon click", [](TfrmMain& w) { w.HVIconClick(); }},
        {"Start", [](TfrmMain& w) { w.Start->click(); }},
    };
    for (const auto& [name, action] : actions) {
        Window.reset();
        TfrmMain& w = StartWindow();
        ASSERT_TRUE(HintsShowing(w)) << name;
        EXPECT_TRUE(w.Timer4->isActive());
        action(w);
        EXPECT_TRUE(HintsHidden(w)) << name;
        w.Menu->hide();
    }
}

TEST_F(MainWindow, ADoubleClickOnTheStatusBandBringsASeatBack) {
    TfrmMain& w = StartWindow();
    w.PlayerP[2]->hide();
    QTest::mouseDClick(w.windowHandle(), Qt::LeftButton, {},
                       w.StatusBand->mapTo(&w, BareStatusBand));
    EXPECT_TRUE(IsShown(w.PlayerP[2]));
}

TEST_F(MainWindow, TextPagesRestoreTheSavedPanelVisibility) {
    TfrmMain& w = StartWindow();
    w.PlayerP[2]->hide();
    w.Hilfe1Click();
    EXPECT_TRUE(IsShown(w.Hilfe));
    EXPECT_TRUE(IsShown(w.EndHelp));
    EXPECT_FALSE(IsEnabledFlag(w.Start));
    EXPECT_FALSE(w.LoadPlaylist->isEnabled());
    EXPECT_FALSE(IsEnabledFlag(w.Background));
    for (int seat = 1; seat <= 4; ++seat) {
        EXPECT_FALSE(IsShown(w.PlayerP[seat]));
    }
    // The background does not react while a page is open.
    QTest::mouseClick(w.Background, Qt::LeftButton);
    EXPECT_TRUE(HintsShowing(w));

    w.InfoClick();
    EXPECT_FALSE(IsShown(w.Hilfe));
    EXPECT_TRUE(IsShown(w.InfoText));
    EXPECT_EQ(w.InfoText->Caption(),
              "Highscores:\n\n\nHarvoline - made for quiz nights with friends.");

    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_FALSE(IsShown(w.InfoText));
    EXPECT_FALSE(IsShown(w.EndHelp));
    EXPECT_TRUE(IsEnabledFlag(w.Start));
    EXPECT_TRUE(w.LoadPlaylist->isEnabled());
    EXPECT_TRUE(IsEnabledFlag(w.Background));
    EXPECT_TRUE(IsShown(w.PlayerP[1]));
    EXPECT_FALSE(IsShown(w.PlayerP[2]));
    EXPECT_TRUE(IsShown(w.PlayerP[3]));
    EXPECT_TRUE(IsShown(w.PlayerP[4]));
}

TEST_F(MainWindow, TextPagesWrapInsideTheWindowAboveTheirOkButton) {
    TfrmMain& w = StartWindow();
    w.Settings.Append(ScrambleLine("A player with a long name: 012; 0:04:37", +1));
    for (const QSize size : {QSize(800, 566), QSize(1024, 768)}) {
        w.resize(size);
        QCoreApplication::processEvents();
        w.Hilfe1Click();
        w.InfoClick();
        for (const TLabel* page : {w.Hilfe, w.InfoText}) {
            SCOPED_TRACE(page->objectName().toStdString() + " at " + std::to_string(size.width()));
            EXPECT_LE(page->geometry().right(), w.width() - 15);
            EXPECT_GE(page->height(), page->heightForWidth(page->width()));
            EXPECT_LT(page->geometry().bottom(), w.EndHelp->y());
        }
        w.EndHelpClick();
    }
    // A line that ends with a blank runs on into the next; other line breaks stay.
    EXPECT_TRUE(w.Hilfe->text().contains("Je schneller man ist, desto mehr Punkte"));
    EXPECT_TRUE(w.Hilfe->text().contains("mittippen.\nIm Einzelspielermodus"));
    EXPECT_TRUE(w.Hilfe->Caption().contains("desto \r\nmehr"));
}

TEST_F(MainWindow, BuzzerPromptStandsClearOfItsButton) {
    TfrmMain& w = StartWindow();
    const QRect text = w.BuzzLabel->fontMetrics().boundingRect(
        w.BuzzLabel->contentsRect(), int(w.BuzzLabel->alignment()) | Qt::TextWordWrap,
        w.BuzzLabel->text());
    EXPECT_TRUE(w.BuzzLabel->text().contains("Name1, bitte deinen Buzzer drücken"));
    EXPECT_FALSE(text.intersects(w.NoMoreBuzzers->geometry()));
}

TEST_F(MainWindow, InfoPageListsAtMostFifteenUnscrambledHighscores) {
    TfrmMain& w = StartWindow();
    for (int i = 1; i <= 17; ++i) {
        w.Settings.Append(ScrambleLine(QString("P%1: %2; 0:01:00").arg(i).arg(100 - i, 3, 10,
                                                                                QChar('0')),
                                       +1));
    }
    w.InfoClick();
    const QStringList lines = w.InfoText->Caption().split('\n');
    ASSERT_EQ(lines.size(), 1 + 1 + 15 + 2);
    EXPECT_EQ(lines[0], "Highscores:");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2], "1) P1: 099; 0:01:00");
    EXPECT_EQ(lines[16], "15) P15: 085; 0:01:00");
    EXPECT_EQ(lines[17], "");
}

TEST_F(MainWindow, EnterPressesStartOnlyWhenItIsShownAndEnabled) {
    TfrmMain& w = StartWindow();
    w.CoverPanel->show();
    w.Start->setEnabled(false);
    QTest::keyClick(&w, Qt::Key_Return);
    EXPECT_TRUE(IsShown(w.CoverPanel));
    w.Start->setEnabled(true);
    QTest::keyClick(&w, Qt::Key_Enter);
    EXPECT_FALSE(IsShown(w.CoverPanel));
    EXPECT_TRUE(HintsHidden(w));
}

TEST_F(MainWindow, TitleDoubleClickMaximisesAndRestores) {
    TfrmMain& w = StartWindow();
    QTest::mouseDClick(w.Titel, Qt::LeftButton);
    EXPECT_TRUE(w.isMaximized());
    EXPECT_TRUE(HintsHidden(w));
    w.TitelDblClick();
    EXPECT_FALSE(w.isMaximized());
}

TEST_F(MainWindow, IconDoubleClickAndMenuCloseTheWindowAndSaveSettings) {
    TfrmMain& w = StartWindow();
    QTest::mouseDClick(w.HVIcon, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(SettingsFileLines().size(), 11);

    QFile::remove(ExePath("Harvoline.ini"));
    TfrmMain& again = StartWindow();
    again.Beenden1->trigger();
    EXPECT_FALSE(again.isVisible());
    EXPECT_EQ(SettingsFileLines().size(), 11);
}

TEST_F(MainWindow, ErrorsOfAnActionGoToTheGeneralErrorBox) {
    TfrmMain& w = StartWindow();
    w.Guarded([] { throw HarvolineError("Datei kaputt"); });
    EXPECT_EQ(Platform.Errors, QStringList{"Datei kaputt"});
}
