#include "tests/support/window_fixture.h"

#include "model/game/highscores.h"
#include "ui/answer_board_view.h"
#include "ui/buzzer_setup_view.h"
#include "ui/cover_view.h"
#include "ui/help_view.h"
#include "ui/mini_cover_view.h"
#include "ui/seat_view.h"
#include "ui/start_hints.h"
#include "ui/status_row_view.h"
#include "ui/widgets/caption_label.h"
#include "ui/widgets/filled_panel.h"
#include "ui/widgets/picture_box.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QToolTip>

using namespace harvoline;
using namespace harvoline::testing;

namespace {

template <typename T = QWidget> T* Control(MainWindow& w, const QString& name) {
    if (w.objectName() == name) {
        return qobject_cast<T*>(&w);
    }
    auto* control = w.findChild<T*>(name);
    EXPECT_NE(control, nullptr) << name.toStdString();
    return control;
}

bool HintsShowing(MainWindow& w) {
    const StartHints& hints = *w.Hints;
    return IsShown(hints.TitleHint) && IsShown(hints.MenuHint) && IsShown(hints.PictureHint) &&
           IsShown(hints.NameHint);
}

bool HintsHidden(MainWindow& w) {
    const StartHints& hints = *w.Hints;
    return !IsShown(hints.TitleHint) && !IsShown(hints.MenuHint) && !IsShown(hints.PictureHint) &&
           !IsShown(hints.NameHint) && !hints.StartHintsTimer.isActive();
}

// A click delivered as the system delivers it: to whatever control the point shows.
void ClickThroughWindow(MainWindow& w, QWidget* control, QPoint at = {}) {
    if (at.isNull()) {
        at = control->rect().center();
    }
    QTest::mouseClick(w.windowHandle(), Qt::LeftButton, {}, control->mapTo(&w, at));
}

// A point of the status band that no label or button covers.
const QPoint BareStatusBand(125, 45);

} // namespace

using MainWindowTest = WindowTest;

TEST_F(MainWindowTest, ControlsStandAtTheirDesignPlaces) {
    MainWindow& w = StartWindow();
    EXPECT_EQ(w.size(), QSize(800, 566));
    EXPECT_TRUE(w.windowFlags() & Qt::FramelessWindowHint);
    struct Case {
        const char* Name;
        QRect Geometry;
        bool Shown;
    };
    const Case cases[] = {
        {"Frame", {0, 0, 800, 566}, true},
        {"Background", {3, 3, 794, 560}, true},
        {"MenuIcon", {272 - 0, 4, 33, 33}, true},
        {"StartButton", {8, 200, 113, 43}, true},
        {"AnswerTimeTrack", {360, 200, 425, 41}, true},
        {"AnswerTimeBar", {360, 200, 321, 41}, false},
        {"ChoiceFrame1", {8, 34, 37, 37}, false},
        {"ChoiceFrame4", {8, 154, 37, 37}, false},
        {"ChoiceButton1", {3, 3, 30, 30}, true},
        {"SeatPanel1", {5, 248, 190, 313}, true},
        {"SeatPanel2", {205, 248, 190, 313}, true},
        {"SeatPanel3", {405, 248, 190, 313}, true},
        {"SeatPanel4", {605, 248, 190, 313}, true},
        {"SeatPicture2", {10, 10, 170, 230}, true},
        {"SeatName2", {10, 240, 135, 29}, true},
        {"SeatNameEditor2", {10, 240, 135, 37}, false},
        {"BuzzButton4", {144, 240, 37, 37}, true},
        {"LockOutOverlay3", {0, 0, 190, 313}, false},
        {"CloseHelpButton", {746, 519, 49, 43}, false},
        {"TitleHint", {472, 32, 249, 22}, true},
        {"MenuHint", {88, 16, 193, 22}, true},
        {"PictureHint", {13, 96, 172, 28}, true},
        {"NameHint", {0, 264, 193, 33}, true},
        {"BuzzerSetupPanel", {(800 - 385) / 2 - 20, 248 - 50 - 73, 385, 73}, false},
        {"SkipBuzzerSetupButton", {312, 48, 70, 20}, true},
        {"MiniCover", {632, 34, 161, 161}, false},
        {"MiniCoverMask3", {632, 34, 161, 161}, false},
        {"ResizeGrip", {782, 548, 16, 16}, true},
        {"CoverPanel", {117, 0, 566, 566}, false},
    };
    for (const Case& c : cases) {
        QWidget* control = Control(w, c.Name);
        ASSERT_NE(control, nullptr);
        if (QString(c.Name) != "MenuIcon" && QString(c.Name) != "CoverPanel") {
            EXPECT_EQ(control->geometry(), c.Geometry) << c.Name;
        }
        EXPECT_EQ(IsShown(control), c.Shown) << c.Name;
    }
    // The cover panel's top depends on the window's height: at 566 it is too low for the
    // places below and above the answer bar, so it stands at the title's height, shrunk.
    const CoverView& cover = *w.Cover;
    EXPECT_EQ(cover.CoverPanel->y(), w.TitleLabel->height());
    EXPECT_EQ(cover.CoverPanel->height(), 566 - w.TitleLabel->height());
    EXPECT_EQ(cover.CoverPanel->width(), cover.CoverPanel->height());
    // The picture and the tiles shrink with it, so the last row and column stay inside.
    const int inside = cover.CoverPanel->width() - 6;
    EXPECT_EQ(cover.CoverPicture->geometry(), QRect(3, 3, inside, inside));
    EXPECT_EQ(cover.CoverTiles[1]->pos(), QPoint(3, 3));
    EXPECT_EQ(cover.CoverTiles[64]->geometry().bottomRight(), QPoint(2 + inside, 2 + inside));
    EXPECT_EQ(cover.CoverTiles[2]->x(), cover.CoverTiles[1]->geometry().right() + 1);
    EXPECT_EQ(cover.CoverTiles[9]->y(), cover.CoverTiles[1]->geometry().bottom() + 1);

    EXPECT_EQ(w.TitleLabel->x(), (800 - w.TitleLabel->width()) / 2 - 20);
    EXPECT_EQ(w.MenuIcon->x(), w.TitleLabel->x() - 40);
    EXPECT_EQ(w.TitleLabel->Caption(), "Harvoline");
    EXPECT_EQ(w.windowTitle(), "Harvoline");
    const StatusRowView& status = *w.StatusRow;
    EXPECT_EQ(status.RoundClockLabel->Caption(), "00:00");
    EXPECT_EQ(status.PointsLabel->Caption(), "Punkte: 3");
    EXPECT_EQ(w.StartButton->text(), "Start");
    EXPECT_EQ(status.SongCountLabel->Caption(), "0 Lieder in der Playlist");
    EXPECT_EQ(status.SongCountLabel->x() + status.SongCountLabel->width(), 800 - 15);
    for (int seat = 1; seat <= 4; ++seat) {
        const SeatView& view = *w.Seats[seat];
        EXPECT_EQ(view.Name->Caption(), QString("Name%1").arg(seat));
        EXPECT_EQ(view.BestTime->Caption(), "1:00:00");
        EXPECT_EQ(view.Score->Caption(), "0");
        EXPECT_FALSE(IsEnabledFlag(view.BuzzButton));
        EXPECT_EQ(view.Picture->Picture().size(), QSize(170, 230));
        EXPECT_EQ(w.AnswerBoard->ChoiceButtons[seat]->text(), QString("&%1").arg(seat));
        EXPECT_TRUE(w.AnswerBoard->AnswerLines[seat]->Caption().isEmpty());
    }
    EXPECT_EQ(w.Seats[1]->BuzzButton->text(), "&Q");
    EXPECT_EQ(w.Seats[4]->BuzzButton->text(), "&P");
    EXPECT_EQ(w.Background->Picture().size(), QSize(800, 566));
    EXPECT_EQ(w.MenuIcon->Picture().size(), QSize(33, 33));
    EXPECT_EQ(w.MiniCover->MiniCoverMasks[1]->Picture().size(), QSize(161, 161));
    EXPECT_EQ(w.Hints->TitleHint->Color(), 0x00A8FFu);
    EXPECT_EQ(QToolTip::palette().color(QPalette::ToolTipBase), QColor(255, 168, 0));
    EXPECT_EQ(Platform.Randomizations, 1);

    const GameTimers& game = Game().Timers();
    const std::pair<const QTimer*, int> timers[] = {
        {&game.ClueTimer, 10000},           {&game.RoundClockTimer, 10}, {&game.AnswerTimer, 20},
        {&w.Hints->StartHintsTimer, 15000}, {&game.TileTimer, 750},      {&game.MaskTimer, 1500},
    };
    for (const auto& [timer, interval] : timers) {
        EXPECT_EQ(timer->interval(), interval) << timer->objectName().toStdString();
        EXPECT_EQ(timer->isActive(), timer == &w.Hints->StartHintsTimer)
            << timer->objectName().toStdString();
    }
    QStringList menu;
    for (QAction* action : w.Menu->actions()) {
        menu << (action->isSeparator() ? QString("-") : action->text());
    }
    EXPECT_EQ(menu, (QStringList{"&Beenden", "-", "&Playlist laden", "&Einzelspieler", "-",
                                 "&Sprachen", "Handys als Buzzer", "Handy-Beitritt anzeigen", "-",
                                 "&Kurzhilfe", "&Highscores", "-", "Großer Bildschirm"}));
    for (QAction* action : {w.QuitAction, w.LoadPlaylistAction, w.SinglePlayerAction,
                            w.LanguageAction, w.HelpAction, w.AboutAction}) {
        EXPECT_FALSE(action->icon().isNull()) << action->objectName().toStdString();
    }
}

TEST_F(MainWindowTest, LayoutFollowsTheWindowSize) {
    MainWindow& w = StartWindow();
    w.resize(1024, 768);
    EXPECT_EQ(w.Seats[1]->Panel->pos(), QPoint(5, 415));
    EXPECT_EQ(w.Seats[2]->Panel->x(), 274);
    EXPECT_EQ(w.Seats[3]->Panel->x(), 548);
    EXPECT_EQ(w.Seats[4]->Panel->x(), 819);
    EXPECT_EQ(w.Frame->size(), QSize(1024, 768));
    EXPECT_EQ(w.Background->size(), QSize(1018, 762));
    EXPECT_EQ(w.ResizeGrip->pos(), QPoint(1006, 750));
    EXPECT_EQ(w.StatusRow->AnswerTimeTrack->width(), 1024 - 15 - 360);
    EXPECT_EQ(w.MiniCover->MiniCover->x(), 1024 - 161 - 7);
    EXPECT_EQ(w.MiniCover->MiniCoverMasks[2]->pos(), w.MiniCover->MiniCover->pos());
    EXPECT_EQ(w.BuzzerSetup->BuzzerSetupPanel->pos(), QPoint((1024 - 385) / 2 - 20, 415 - 50 - 73));
    const CoverView& cover = *w.Cover;
    EXPECT_EQ(cover.CoverPanel->geometry(), QRect((1024 - 566) / 2, 195, 566, 566));
    // At its design size the panel holds the picture at 560 and 70-pixel tiles.
    EXPECT_EQ(cover.CoverPicture->geometry(), QRect(3, 3, 560, 560));
    EXPECT_EQ(cover.CoverTiles[18]->geometry(), QRect(3 + 70, 3 + 140, 70, 70));
    EXPECT_EQ(cover.CoverTiles[64]->geometry(), QRect(3 + 490, 3 + 490, 70, 70));
    const CaptionLabel* songCount = w.StatusRow->SongCountLabel;
    EXPECT_EQ(songCount->x() + songCount->width(), 1024 - 15);
    w.resize(800, 566);
    EXPECT_EQ(w.Seats[4]->Panel->pos(), QPoint(605, 248));
}

TEST_F(MainWindowTest, StartHintsHideOnTimerAndOnEachListedAction) {
    const std::vector<std::pair<const char*, std::function<void(MainWindow&)>>> actions = {
        {"StartHintsTimer",
         [](MainWindow& w) {
             QTimer& timer = w.Hints->StartHintsTimer;
             timer.start(1);
             ASSERT_TRUE(QTest::qWaitFor([&] { return !timer.isActive(); }, 5000));
         }},
        {"background click",
         [](MainWindow& w) { QTest::mouseClick(w.Background, Qt::LeftButton); }},
        {"status band click",
         [](MainWindow& w) { ClickThroughWindow(w, w.StatusBand, BareStatusBand); }},
        {"click on a hint", [](MainWindow& w) { ClickThroughWindow(w, w.Hints->TitleHint); }},
        {"click on the second hint",
         [](MainWindow& w) { ClickThroughWindow(w, w.Hints->MenuHint); }},
        {"click on a player's hint",
         [](MainWindow& w) { ClickThroughWindow(w, w.Hints->PictureHintText); }},
        {"click on the last hint",
         [](MainWindow& w) { ClickThroughWindow(w, w.Hints->NameHintText); }},
        {"title double-click", [](MainWindow& w) { w.TitleDoubleClicked(); }},
        {"icon click", [](MainWindow& w) { w.IconClicked(); }},
        {"Start", [](MainWindow& w) { w.StartButton->click(); }},
    };
    for (const auto& [name, action] : actions) {
        MainWindow& w = StartWindow();
        ASSERT_TRUE(HintsShowing(w)) << name;
        EXPECT_TRUE(w.Hints->StartHintsTimer.isActive());
        action(w);
        EXPECT_TRUE(HintsHidden(w)) << name;
        w.Menu->hide();
    }
}

TEST_F(MainWindowTest, ADoubleClickOnTheStatusBandBringsASeatBack) {
    MainWindow& w = StartWindow();
    Game().RenameSeat(2, "");
    ASSERT_FALSE(IsShown(w.Seats[2]->Panel));
    QTest::mouseDClick(w.windowHandle(), Qt::LeftButton, {},
                       w.StatusBand->mapTo(&w, BareStatusBand));
    EXPECT_TRUE(IsShown(w.Seats[2]->Panel));
}

TEST_F(MainWindowTest, TextPagesCoverTheSeatsAndTheBackgroundWhileOpen) {
    MainWindow& w = StartWindow();
    Game().RenameSeat(2, "");
    w.OpenHelp();
    const HelpView& help = *w.Help;
    EXPECT_TRUE(IsShown(help.HelpText));
    EXPECT_TRUE(IsShown(help.CloseHelpButton));
    EXPECT_FALSE(IsEnabledFlag(w.StartButton));
    EXPECT_FALSE(w.LoadPlaylistAction->isEnabled());
    EXPECT_FALSE(IsEnabledFlag(w.Background));
    for (int seat = 1; seat <= 4; ++seat) {
        EXPECT_FALSE(IsShown(w.Seats[seat]->Panel));
    }
    // The background does not react while a page is open.
    QTest::mouseClick(w.Background, Qt::LeftButton);
    EXPECT_TRUE(HintsShowing(w));

    w.OpenAbout();
    EXPECT_FALSE(IsShown(help.HelpText));
    EXPECT_TRUE(IsShown(help.AboutText));
    EXPECT_EQ(help.AboutText->Caption(),
              "Highscores:\n\n\nHarvoline - made for quiz nights with friends.");

    Press(Qt::Key_Escape);
    EXPECT_FALSE(IsShown(help.AboutText));
    EXPECT_FALSE(IsShown(help.CloseHelpButton));
    EXPECT_TRUE(IsEnabledFlag(w.StartButton));
    EXPECT_TRUE(w.LoadPlaylistAction->isEnabled());
    EXPECT_TRUE(IsEnabledFlag(w.Background));
    EXPECT_TRUE(IsShown(w.Seats[1]->Panel));
    EXPECT_FALSE(IsShown(w.Seats[2]->Panel));
    EXPECT_TRUE(IsShown(w.Seats[3]->Panel));
    EXPECT_TRUE(IsShown(w.Seats[4]->Panel));
}

// Seats are the game's: what the menu changes while a page is open shows when it closes.
TEST_F(MainWindowTest, SinglePlayerChosenWhileAPageIsOpenStaysWhenItCloses) {
    MainWindow& w = StartWindow();
    w.OpenHelp();
    w.SinglePlayerAction->trigger();
    EXPECT_FALSE(IsShown(w.Seats[1]->Panel));
    w.CloseTextPage();
    EXPECT_TRUE(IsShown(w.Seats[1]->Panel));
    for (int seat = 2; seat <= 4; ++seat) {
        EXPECT_FALSE(IsShown(w.Seats[seat]->Panel)) << seat;
    }
}

TEST_F(MainWindowTest, TextPagesWrapInsideTheWindowAboveTheirOkButton) {
    MainWindow& w = StartWindow();
    Game().Config().Settings().Append(ScrambleLine("A player with a long name: 012; 0:04:37", +1));
    const HelpView& help = *w.Help;
    for (const QSize size : {QSize(800, 566), QSize(1024, 768)}) {
        w.resize(size);
        QCoreApplication::processEvents();
        w.OpenHelp();
        w.OpenAbout();
        for (const CaptionLabel* page : {help.HelpText, help.AboutText}) {
            SCOPED_TRACE(page->objectName().toStdString() + " at " + std::to_string(size.width()));
            EXPECT_LE(page->geometry().right(), w.width() - 15);
            EXPECT_GE(page->height(), page->heightForWidth(page->width()));
            EXPECT_LT(page->geometry().bottom(), help.CloseHelpButton->y());
        }
        w.CloseTextPage();
    }
    // A line that ends with a blank runs on into the next; other line breaks stay.
    EXPECT_TRUE(help.HelpText->text().contains("Je schneller man ist, desto mehr Punkte"));
    EXPECT_TRUE(help.HelpText->text().contains("mittippen.\nIm Einzelspielermodus"));
    EXPECT_TRUE(help.HelpText->Caption().contains("desto \r\nmehr"));
}

TEST_F(MainWindowTest, BuzzerPromptStandsClearOfItsButton) {
    MainWindow& w = StartWindow();
    const CaptionLabel* prompt = w.BuzzerSetup->BuzzerSetupPrompt;
    const QRect text = prompt->fontMetrics().boundingRect(
        prompt->contentsRect(), int(prompt->alignment()) | Qt::TextWordWrap, prompt->text());
    EXPECT_TRUE(prompt->text().contains("Name1, bitte deinen Buzzer drücken"));
    EXPECT_FALSE(text.intersects(w.BuzzerSetup->SkipBuzzerSetupButton->geometry()));
}

TEST_F(MainWindowTest, AboutPageListsAtMostFifteenUnscrambledHighscores) {
    MainWindow& w = StartWindow();
    for (int i = 1; i <= 17; ++i) {
        Game().Config().Settings().Append(
            ScrambleLine(QString("P%1: %2; 0:01:00").arg(i).arg(100 - i, 3, 10, QChar('0')), +1));
    }
    w.OpenAbout();
    const QStringList lines = w.Help->AboutText->Caption().split('\n');
    ASSERT_EQ(lines.size(), 1 + 1 + 15 + 2);
    EXPECT_EQ(lines[0], "Highscores:");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2], "1) P1: 099; 0:01:00");
    EXPECT_EQ(lines[16], "15) P15: 085; 0:01:00");
    EXPECT_EQ(lines[17], "");
}

TEST_F(MainWindowTest, EnterPressesStartOnlyWhileStartWorks) {
    MainWindow& w = StartWindow();
    w.OpenHelp();
    Press(Qt::Key_Return);
    EXPECT_TRUE(Platform.Dialogs.empty());
    EXPECT_TRUE(HintsShowing(w));
    w.CloseTextPage();
    Press(Qt::Key_Enter);
    EXPECT_EQ(Platform.Dialogs.size(), 1u);
    EXPECT_TRUE(HintsHidden(w));
}

TEST_F(MainWindowTest, TitleDoubleClickMaximisesAndRestores) {
    MainWindow& w = StartWindow();
    QTest::mouseDClick(w.TitleLabel, Qt::LeftButton);
    EXPECT_TRUE(w.isMaximized());
    EXPECT_TRUE(HintsHidden(w));
    w.TitleDoubleClicked();
    EXPECT_FALSE(w.isMaximized());
}

TEST_F(MainWindowTest, IconDoubleClickAndMenuCloseTheWindowAndSaveSettings) {
    MainWindow& w = StartWindow();
    QTest::mouseDClick(w.MenuIcon, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(SettingsFileLines().size(), 11);

    QFile::remove(ExePath("Harvoline.ini"));
    MainWindow& again = StartWindow();
    again.QuitAction->trigger();
    EXPECT_FALSE(again.isVisible());
    EXPECT_EQ(SettingsFileLines().size(), 11);
}
