// What the party screen shows on the window: the quiz master's corrections on a seat's score,
// the single-player countdown and answer lines that fit beside the small cover.
#include "tests/support/window_fixture.h"
#include "ui/answer_board_view.h"
#include "ui/content_scale.h"
#include "ui/mini_cover_view.h"
#include "ui/seat_view.h"
#include "ui/status_row_view.h"
#include "ui/widgets/caption_label.h"
#include "ui/widgets/filled_panel.h"
#include "ui/widgets/picture_box.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPushButton>
#include <QTest>

using namespace harvoline;
using namespace harvoline::testing;

namespace {

class PartyScreen : public WindowTest {};

} // namespace

TEST_F(PartyScreen, TheScoreMenuCorrectsAndUndoesAtOnce) {
    MainWindow& w = StartGame();
    SeatView& seat = *w.Seats[2];
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, QPoint(2, 2),
                                 seat.Score->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(seat.Score, &rightClick);
    EXPECT_TRUE(seat.ScoreMenu->isVisible());
    EXPECT_FALSE(seat.UndoScoreAction->isEnabled());
    seat.ScoreMenu->hide();

    seat.AddPointAction->trigger();
    seat.AddPointAction->trigger();
    seat.TakePointAction->trigger();
    EXPECT_EQ(seat.Score->Caption(), "1");
    seat.OpenScoreMenu(QPoint());
    EXPECT_TRUE(seat.UndoScoreAction->isEnabled());
    EXPECT_EQ(seat.UndoScoreAction->text(), "Letzte Änderung zurücknehmen (-1)");
    seat.ScoreMenu->hide();
    seat.UndoScoreAction->trigger();
    EXPECT_EQ(seat.Score->Caption(), "2");
    EXPECT_EQ(w.Seats[1]->Score->Caption(), "0");

    // A finger held on the score opens the same menu; a short tap does not.
    seat.ScoreMenu->hide();
    QTest::mouseClick(seat.Score, Qt::LeftButton);
    EXPECT_FALSE(seat.LongPress.isActive());
    QTest::mousePress(seat.Score, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(seat.ScoreMenu->isVisible(), 2000);
    seat.ScoreMenu->hide();
}

TEST_F(PartyScreen, TheCountdownShowsTheSinglePlayerTimeLeft) {
    MainWindow& w = StartWindow();
    const CaptionLabel* label = w.StatusRow->TimeLeftLabel;
    EXPECT_FALSE(IsShown(label));
    Game().StartSinglePlayer();
    ASSERT_TRUE(IsShown(label));
    struct Case {
        int ElapsedMs;
        const char* Shown;
    };
    // Whole seconds rounded up, so 0:00 shows only when the time is up.
    const Case cases[] = {{0, "1:15"},     {10, "1:15"},    {1000, "1:14"},  {15001, "1:00"},
                          {16000, "0:59"}, {60000, "0:15"}, {74990, "0:01"}, {75000, "0:00"}};
    int elapsed = 0;
    for (const Case& c : cases) {
        if (c.ElapsedMs > elapsed) {
            Game().CountSingleGameTime(c.ElapsedMs - elapsed);
            elapsed = c.ElapsedMs;
        }
        EXPECT_EQ(label->Caption(), QString("Restzeit ") + c.Shown) << c.ElapsedMs;
    }
    // It stands right-aligned in the answer bar's track.
    const QRect track = w.StatusRow->AnswerTimeTrack->geometry();
    EXPECT_TRUE(track.contains(label->geometry())) << label->geometry().x();

    // Only the game's clock counts: it runs with the round's clock, not beside it.
    Game().StartSinglePlayer();
    Platform.DialogAnswers.push_back(WritePlaylist(WriteSongs(14)));
    Press(Qt::Key_Return);
    Game().TickRoundClock();
    EXPECT_EQ(label->Caption(), "Restzeit 1:15");
    Game().SingleGame().SingleGameElapsedMs = 70000;
    Game().TickRoundClock();
    EXPECT_EQ(label->Caption(), "Restzeit 0:05");

    Game().SingleGame().SingleGameElapsedMs = 0;
    ASSERT_TRUE(Game().LeaveSinglePlayer());
    EXPECT_FALSE(IsShown(label));
}

TEST_F(PartyScreen, LongAnswersFitTheirLinesBesideTheSmallCover) {
    struct Case {
        const char* What;
        QString Title;
        QString Artist;
        bool Elided;
    };
    // An ID3v1 record holds 30 characters each: a whole answer is up to 63 long.
    const Case cases[] = {
        {"a long answer", "Everything That We Said Tonigh", "The Midnight Orchestra of Lond",
         false},
        {"the widest letters", QString(30, 'W'), QString(30, 'M'), true},
    };
    for (const Case& c : cases) {
        Session.reset();
        QStringList songs;
        for (int i = 1; i <= 8; ++i) {
            const QString name = QString("long%1.mp3").arg(i);
            WriteSong(name, c.Title.left(29) + QString::number(i), c.Artist);
            songs << name;
        }
        MainWindow& w = StartWindow();
        Platform.DialogAnswers.push_back(WritePlaylist(songs));
        Press(Qt::Key_Return);
        Game().AdvanceClue();
        Game().AdvanceClue();
        const int coverLeft = w.MiniCover->MiniCover->x();
        for (int choice = 1; choice <= 4; ++choice) {
            for (const CaptionLabel* line :
                 {w.AnswerBoard->AnswerLines[choice], w.AnswerBoard->AnswerShadows[choice]}) {
                ASSERT_EQ(line->Caption().size(), 63) << c.What;
                EXPECT_LT(line->geometry().right(), coverLeft) << c.What << choice;
                EXPECT_GE(line->font().pixelSize(), 16) << c.What;
                EXPECT_EQ(line->text() != line->Caption(), c.Elided) << c.What;
            }
        }
    }
}

namespace {

// Every named control's place and font, to compare two states of the window.
QStringList Places(const MainWindow& w) {
    QStringList places;
    for (const QWidget* control : w.findChildren<QWidget*>()) {
        if (!control->objectName().isEmpty() && !control->isWindow()) {
            const QRect r = control->geometry();
            places << QString("%1 %2,%3 %4x%5 %6px")
                          .arg(control->objectName())
                          .arg(r.x())
                          .arg(r.y())
                          .arg(r.width())
                          .arg(r.height())
                          .arg(control->font().pixelSize());
        }
    }
    return places;
}

} // namespace

TEST_F(PartyScreen, TheBigScreenIsTheDesignPictureAtDesignSizeAndRemembered) {
    MainWindow& w = StartGame();
    const QImage before = w.grab().toImage();
    const QStringList places = Places(w);
    w.BigScreenAction->trigger();
    ASSERT_TRUE(w.BigScreenAction->isChecked());
    EXPECT_EQ(Places(w), places);
    EXPECT_EQ(w.grab().toImage(), before);
    EXPECT_TRUE(ReadFile(ExePath("HarvolineOptions.ini")).contains("big-screen=on"));

    CloseWindow();
    MainWindow& again = StartWindow();
    EXPECT_TRUE(again.BigScreenAction->isChecked());
}

TEST_F(PartyScreen, TheBigScreenMagnifiesTheContentByOneFactorCentred) {
    MainWindow& w = StartGame();
    w.resize(1920, 1080);
    const QStringList unmagnified = Places(w);
    w.BigScreenAction->trigger();
    // min(1920 / 800, 1080 / 566) = 1.908; 800 * 1.908 = 1527 wide, centred.
    const ContentScale scale = ContentScale::For(w.size());
    EXPECT_NEAR(scale.Factor, 1080.0 / 566, 1e-9);
    EXPECT_EQ(scale.Offset, QPoint(196, 0));
    struct Case {
        QWidget* Control;
        QRect Design;
        bool Inner;
    };
    const Case cases[] = {
        {w.StartButton, {8, 200, 113, 43}, false},
        {w.Seats[4]->Panel, {605, 248, 190, 313}, false},
        {w.Seats[4]->Picture, {10, 10, 170, 230}, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.Control->geometry(), scale.Map(c.Design, c.Inner))
            << c.Control->objectName().toStdString();
    }
    EXPECT_EQ(w.Seats[1]->Score->font().pixelSize(), 46);
    EXPECT_EQ(w.Frame->geometry(), w.rect());
    // The grip stays in the window's corner, as at the design size.
    EXPECT_EQ(w.ResizeGrip->geometry().bottomRight(), QPoint(1920 - 3, 1080 - 3));
    // The player's picture is drawn from its source at the magnified size.
    EXPECT_EQ(w.Seats[1]->Picture->PictureRect().size(), QSize(324, 439));

    w.BigScreenAction->trigger();
    EXPECT_EQ(Places(w), unmagnified);
    EXPECT_TRUE(ReadFile(ExePath("HarvolineOptions.ini")).contains("big-screen=off"));
}
