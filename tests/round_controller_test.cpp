#include "model/game/round_rules.h"
#include "tests/support/playlist_fixture.h"
#include "tests/support/tag_files.h"

#include <QBuffer>
#include <QImage>

using namespace harvoline;
using namespace harvoline::testing;

TEST(RoundRules, PadNumberAndClockText) {
    struct Pad {
        int Value, Width;
        const char* Text;
    };
    for (const Pad& c : {Pad{7, 2, "07"}, Pad{123, 2, "123"}, Pad{-5, 3, "0-5"}, Pad{0, 2, "00"},
                         Pad{5, 0, "5"}}) {
        EXPECT_EQ(PadNumber(c.Value, c.Width), c.Text) << c.Value << " " << c.Width;
    }
    struct Clock {
        int Ms;
        const char* Text;
    };
    for (const Clock& c :
         {Clock{0, "0:00:00"}, Clock{59999, "0:59:99"}, Clock{60000, "1:00:00"},
          Clock{600000, "10:00:00"}, Clock{83456, "1:23:45"}, Clock{-1790, "0:00:00"}}) {
        EXPECT_EQ(ClockText(c.Ms), c.Text) << c.Ms;
    }
}

TEST(RoundRules, ChoosesCoverAndVideoTurns) {
    struct Case {
        int Counter, Interval, Covers, Videos;
        bool VideosOk;
        RoundKind Kind;
    };
    const Case cases[] = {
        {5, 10, 8, 2, true, RoundKind::Video},  {4, 10, 8, 2, true, RoundKind::Song},
        {10, 10, 8, 2, true, RoundKind::Cover}, {12, 10, 8, 2, true, RoundKind::Cover},
        {10, 10, 5, 2, true, RoundKind::Song},  {4, 7, 8, 2, true, RoundKind::Video},
        {5, 10, 8, 0, true, RoundKind::Song},   {5, 10, 8, 2, false, RoundKind::Song},
        {1, 1, 8, 2, true, RoundKind::Cover},   {1, 1, 5, 2, true, RoundKind::Video},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NextRoundKind(c.Counter, c.Interval, c.Covers, c.Videos, c.VideosOk), c.Kind)
            << c.Counter << "/" << c.Interval;
    }
    EXPECT_EQ(FirstHalf("Title - Artist - More"), "Title");
    EXPECT_EQ(FirstHalf("No separator"), "");
}

namespace {

class Rounds : public PlaylistTest {
  protected:
    TfrmMain& PressStartOnNewPlaylist(int songs) {
        TfrmMain& w = StartWindow();
        Platform.DialogAnswers.push_back(WritePlaylist(WriteSongs(songs)));
        w.Start->click();
        return w;
    }

    QStringList Labels(TfrmMain& w) const {
        QStringList texts;
        for (int i = 1; i <= 4; ++i) {
            texts << w.AnswerLabel[i]->Caption();
        }
        return texts;
    }

    QStringList Shadows(TfrmMain& w) const {
        QStringList texts;
        for (int i = 1; i <= 4; ++i) {
            texts << w.Schatten[i]->Caption();
        }
        return texts;
    }
};

} // namespace

TEST_F(Rounds, StartWhileANameIsEditedOnlyTidiesUp) {
    TfrmMain& w = StartWindow();
    w.CoverPanel->show();
    w.MiniCover->show();
    w.Timer6->start();
    w.Edit[2]->show();
    w.Start->click();
    EXPECT_FALSE(IsShown(w.CoverPanel));
    EXPECT_FALSE(IsShown(w.MiniCover));
    EXPECT_FALSE(w.Timer6->isActive());
    EXPECT_FALSE(IsShown(w.Info1));
    EXPECT_TRUE(Platform.Dialogs.empty());
    EXPECT_EQ(w.Start->text(), "Start");

    // A hidden seat's open editor does not count.
    w.PlayerP[2]->hide();
    w.Start->click();
    EXPECT_EQ(Platform.Dialogs.size(), 1u);
}

TEST_F(Rounds, CancellingTheFirstDialogResetsTheDisplayAndEndsThePlaylist) {
    TfrmMain& w = StartWindow();
    w.AnswerStage = 2;
    w.SetPoints(1);
    w.Start->click();
    EXPECT_EQ(w.AnswerStage, 0);
    EXPECT_EQ(w.Punkte->Caption(), "Punkte: 3");
    // Without a playlist the round stays closed: nobody can buzz.
    EXPECT_EQ(w.CurrentPlayer, TfrmMain::RoundClosed);
    EXPECT_EQ(Platform.Informations, QStringList{"Playlist beendet"});
    EXPECT_FALSE(w.Timer1->isActive());
    EXPECT_FALSE(w.Timer2->isActive());
}

TEST_F(Rounds, StagesShowTitlesThenAnswersThenTheCoverUnderMasks) {
    const QStringList names = WriteSongs(8);
    QImage art(64, 64, QImage::Format_RGB32);
    art.fill(Qt::blue);
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    art.save(&buffer, "JPG");
    for (const QString& name : names) {
        WriteId3v2(SongFolder() + name, {"T", "A"}, 3, TagLib::String::UTF8,
                   {{"image/jpeg", jpeg}});
    }
    TfrmMain& w = StartWindow();
    Platform.DialogAnswers.push_back(WritePlaylist(names));
    w.Start->click();
    ASSERT_EQ(w.AnswerList.Count(), 4);
    EXPECT_EQ(w.Start->text(), "Weiter");
    EXPECT_EQ(Labels(w), QStringList(4, ""));

    w.Timer1Timer();
    EXPECT_EQ(w.PointsValue, 2);
    EXPECT_EQ(w.Punkte->Caption(), "Punkte: 2");
    QStringList titles;
    for (const QString& answer : w.AnswerList.All()) {
        titles << answer.section(" - ", 0, 0);
    }
    EXPECT_EQ(Labels(w), titles);
    EXPECT_EQ(Shadows(w), titles);

    w.Timer1Timer();
    EXPECT_EQ(w.PointsValue, 1);
    EXPECT_EQ(Labels(w), w.AnswerList.All());
    EXPECT_EQ(Shadows(w), w.AnswerList.All());

    w.Timer1Timer();
    EXPECT_EQ(w.AnswerStage, 3);
    EXPECT_EQ(w.PointsValue, 1);
    EXPECT_FALSE(w.Timer1->isActive());
    EXPECT_TRUE(IsShown(w.MiniCover));
    EXPECT_TRUE(w.Timer6->isActive());
    const int order[] = {2, 4, 1, 3};
    for (int step = 0; step < 4; ++step) {
        w.Timer6Timer();
        for (int k = 0; k < 4; ++k) {
            EXPECT_EQ(IsShown(w.MiniDeck[order[k]]), k > step) << step << " " << k;
        }
    }
    EXPECT_FALSE(w.Timer6->isActive());
}

TEST_F(Rounds, AFailingThirdClueIsTriedAgainAtTheNextTick) {
    TfrmMain& w = PressStartOnNewPlaylist(8);
    w.Timer1Timer();
    w.Timer1Timer();
    w.AnswerLabel[2]->SetCaption("changed meanwhile");
    Platform.Player.FailFileName = true;
    w.Timer1Timer();
    EXPECT_EQ(w.AnswerStage, 2);
    EXPECT_TRUE(w.Timer1->isActive());
    EXPECT_EQ(w.Schatten[2]->Caption(), "changed meanwhile");
    Platform.Player.FailFileName = false;
    w.Timer1Timer();
    EXPECT_EQ(w.AnswerStage, 3);
    EXPECT_FALSE(w.Timer1->isActive());
}

TEST_F(Rounds, CoverAndVideoRoundsStopTheClueTimerAtTheThirdTick) {
    for (const bool video : {false, true}) {
        Window.reset();
        TfrmMain& w = PressStartOnNewPlaylist(8);
        if (video) {
            w.VideoRoundActive = true;
        } else {
            w.CoverPanel->show();
        }
        w.Timer1Timer();
        w.Timer1Timer();
        w.Timer1Timer();
        EXPECT_EQ(w.AnswerStage, 2);
        EXPECT_EQ(w.PointsValue, 1);
        EXPECT_FALSE(w.Timer1->isActive());
        EXPECT_FALSE(IsShown(w.MiniCover));
    }
}

TEST_F(Rounds, AnswersWithoutSeparatorAndMissingChoicesStayEmpty) {
    TfrmMain& w = PressStartOnNewPlaylist(8);
    w.AnswerList.Clear();
    w.AnswerList.Add("Alpha - One");
    w.AnswerList.Add("NoSeparator");
    w.AnswerList.Add("Zulu - Two");
    w.Timer1Timer();
    EXPECT_EQ(Labels(w), (QStringList{"Alpha", "", "Zulu", ""}));
    EXPECT_TRUE(IsEnabledFlag(w.AnswerButton[3]));
    EXPECT_FALSE(IsEnabledFlag(w.AnswerButton[4]));
    w.Timer1Timer();
    EXPECT_EQ(Labels(w), (QStringList{"Alpha - One", "", "Zulu - Two", ""}));
    EXPECT_EQ(w.AnswerStage, 2);
}

TEST_F(Rounds, ApplyingALanguageMidRoundPutsThePointsBackToThree) {
    TfrmMain& w = PressStartOnNewPlaylist(8);
    w.Timer1Timer();
    w.Timer1Timer();
    EXPECT_EQ(w.PointsValue, 1);
    Platform.DialogAnswers.push_back(QStringLiteral(HARVOLINE_SOURCE_DIR "/languages/English.ini"));
    w.Sprachen1Click();
    EXPECT_EQ(w.PointsValue, 3);
    EXPECT_EQ(w.Punkte->Caption(), "Points: 3");
    EXPECT_EQ(w.Start->text(), "Start");
}

TEST_F(Rounds, TheClockShowsTheSongPositionAndSlowsDownAfterTwoSeconds) {
    TfrmMain& w = PressStartOnNewPlaylist(8);
    EXPECT_EQ(w.Timer2->interval(), 10);
    Platform.Player.Position = 2000 + 1500;
    w.Timer2Timer();
    EXPECT_EQ(w.Zeit->Caption(), "0:01:50");
    EXPECT_EQ(w.Timer2->interval(), 10);
    Platform.Player.Position = 2000 + 1990;
    w.Timer2Timer();
    EXPECT_EQ(w.Timer2->interval(), 100);

    // Cover rounds count the clock's own ticks; video rounds end with their video.
    w.CoverPanel->show();
    w.RoundClock = 83456;
    w.Timer2Timer();
    EXPECT_EQ(w.Zeit->Caption(), "1:23:45");
    EXPECT_EQ(w.RoundClock, 83556);
    w.VideoRoundActive = true;
    w.Timer2Timer();
    EXPECT_FALSE(w.Timer2->isActive());
    EXPECT_EQ(w.Zeit->Caption(), "1:23:55");
}

TEST_F(Rounds, AWholeGamePlaysEverySongOnceUntilTheEnd) {
    TfrmMain& w = PressStartOnNewPlaylist(12);
    QStringList played = Platform.Player.Played;
    int rounds = 1;
    EXPECT_EQ(w.Start->text(), "Weiter");
    while (w.Start->text() == "Weiter" && rounds < 20) {
        EXPECT_EQ(w.Anzahl->Caption(),
                  QString("%1 Lieder in der Playlist").arg(w.SongList.size()));
        w.Start->click();
        ++rounds;
    }
    played = Platform.Player.Played;
    EXPECT_EQ(played.size(), 12 - 5);
    EXPECT_EQ(QSet<QString>(played.begin(), played.end()).size(), played.size());
    EXPECT_EQ(w.SongList.size(), 5);
    EXPECT_EQ(w.Start->text(), "Start");
    EXPECT_EQ(Platform.Informations, QStringList{"Playlist beendet"});
    EXPECT_FALSE(w.Timer1->isActive());
    // n songs give n - 6 rounds to play; the last one started is ended at once.
    EXPECT_EQ(rounds, 12 - 5);
}

TEST_F(Rounds, AllSongsMissingShowsTheEndOnlyOnce) {
    TfrmMain& w = StartWindow();
    QStringList missing;
    for (int i = 0; i < 8; ++i) {
        missing << QString("gone%1.mp3").arg(i);
    }
    Platform.DialogAnswers.push_back(WritePlaylist(missing));
    w.Start->click();
    EXPECT_EQ(Platform.Informations,
              QStringList{"Lieder in der Playlist: Datei nicht gefunden.. Playlist beendet"});
}

TEST_F(Rounds, NewRoundPaintsRandomColoursAndResetsTheMarks) {
    TfrmMain& w = PressStartOnNewPlaylist(8);
    w.PlayerP[3]->SetColor(0x0000FF);
    w.Gitter[2]->show();
    w.AnswerButton[1]->setEnabled(false);
    w.ShowAnswerButtons(true);
    Platform.RandomValues = {0x123456, 1, 2, 3, 4, 5, 6};
    w.NewRound();
    EXPECT_EQ(w.Rahmen->Color(), 0x123456u);
    EXPECT_EQ(w.CoverPanel->Color(), 0x123456u);
    EXPECT_EQ(w.Titel->palette().color(QPalette::WindowText), ColorFromValue(0x123456));
    EXPECT_EQ(w.Tile[18]->palette().color(QPalette::WindowText), ColorFromValue(1));
    EXPECT_EQ(w.Tile[23]->palette().color(QPalette::WindowText), ColorFromValue(6));
    EXPECT_EQ(w.PlayerP[3]->Color(), 0xC0DCC0u);
    EXPECT_FALSE(IsShown(w.Gitter[2]));
    EXPECT_TRUE(IsEnabledFlag(w.AnswerButton[1]));
    EXPECT_FALSE(IsShown(w.AnswerPanel[1]));
    EXPECT_FALSE(IsShown(w.AnswerButton[1]));
    EXPECT_EQ(w.AnswerLabel[1]->palette().color(QPalette::WindowText), QColor(0, 255, 0));
}
