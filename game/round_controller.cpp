// The Start button, the start of every round, the clue steps and the game clock.
#include "app/main_window.h"
#include "model/game/round_rules.h"
#include "model/media/playlist_rules.h"
#include "model/media/audio_player.h"

namespace harvoline {

namespace {

// Colours are drawn from 0 to 0xFFFFFE, so never pure white.
constexpr int ColourRange = 0xFFFFFF;

} // namespace

void TfrmMain::StartClick() {
    CoverPanel->hide();
    MiniCover->hide();
    for (int i = 1; i <= 4; ++i) {
        MiniDeck[i]->hide();
    }
    Timer6->stop();
    FreeVideoView();
    HideStartHints();
    for (int seat = 1; seat <= 4; ++seat) {
        if (IsShown(Edit[seat]) && IsShown(PlayerP[seat])) {
            return;
        }
    }
    const int endsBefore = PlaylistEnds;
    if (Start->text() == LanguageEntry(5)) {
        OpenPlaylist();
    } else {
        switch (NextRoundKind(RoundCounter, CoverInterval, static_cast<int>(CoverList.size()),
                              static_cast<int>(VideoList.size()), VideosAvailable)) {
        case RoundKind::Cover:
            if (!StartCoverRound()) {
                StartSongRound();
            }
            break;
        case RoundKind::Video:
            if (!StartVideoRound()) {
                StartSongRound();
            }
            break;
        case RoundKind::Song:
            StartSongRound();
            break;
        }
    }
    FinishRoundStart(endsBefore);
}

void TfrmMain::FinishRoundStart(int playlistEndsBefore) {
    NewRound();
    // A playlist that ran out during this start has shown its end already.
    if (SongList.size() < MinimumPlaylistSongs && PlaylistEnds == playlistEndsBefore) {
        EndPlaylist();
    }
}

void TfrmMain::NewRound() {
    const auto colour = static_cast<std::uint32_t>(Os.Random(ColourRange));
    Titel->SetFontColor(colour);
    Rahmen->SetColor(colour);
    CoverPanel->SetColor(colour);
    for (int n = 18; n <= 23; ++n) {
        Tile[n]->SetCaptionColor(static_cast<std::uint32_t>(Os.Random(ColourRange)));
    }
    AnswerStage = 0;
    SetPoints(3);
    // Until the first tick the clock must not show the time of an earlier round: a buzz
    // handled before it would take that time as the answer time.
    Zeit->SetCaption(ClockText(0));
    if (PlaylistRunning) {
        Timer1->start();
        RoundClock = 0;
        Timer2->setInterval(10);
        Timer2->start();
    }
    // A round started from the menu while a player answers ends that answer window: left
    // running, it would charge its time-up to nobody.
    Timer3->stop();
    TimesUp->hide();
    CurrentPlayer = PlaylistRunning ? 0 : RoundClosed;
    ShowAnswerButtons(false);
    ResetPlayerMarks();
    for (int seat = 1; seat <= 4; ++seat) {
        Gitter[seat]->hide();
    }
    for (int i = 1; i <= 4; ++i) {
        AnswerButton[i]->setEnabled(true);
        AnswerLabel[i]->SetFontColor(Lime);
    }
}

void TfrmMain::SetPoints(int points) {
    PointsValue = points;
    Punkte->SetCaption(LanguageEntry(2) + QStringLiteral(": ") + QString::number(points));
}

void TfrmMain::Timer1Timer() {
    if (AnswerStage == 0) {
        SetPoints(2);
    } else if (AnswerStage == 1) {
        SetPoints(1);
    }
    ShowNextClue();
}

void TfrmMain::ShowNextClue() {
    try {
        switch (AnswerStage) {
        case 0:
            for (int i = 1; i <= 4; ++i) {
                if (i <= AnswerList.Count()) {
                    AnswerLabel[i]->SetCaption(FirstHalf(AnswerList.At(i - 1)));
                } else {
                    // Two songs with one answer leave a choice out: nobody can pick it.
                    AnswerLabel[i]->SetCaption(QString());
                    AnswerButton[i]->setEnabled(false);
                }
            }
            AnswerStage = 1;
            break;
        case 1:
            for (int i = 1; i <= AnswerList.Count() && i <= 4; ++i) {
                if (!AnswerLabel[i]->Caption().isEmpty()) {
                    AnswerLabel[i]->SetCaption(AnswerList.At(i - 1));
                }
            }
            AnswerStage = 2;
            break;
        case 2:
            if (IsShown(CoverPanel) || VideoRoundActive) {
                Timer1->stop();
                break;
            }
            ShowEmbeddedPicture(Os.Audio().FileName(), MiniCover);
            AnswerStage = 3;
            Timer1->stop();
            if (IsShown(MiniCover)) {
                for (int i = 1; i <= 4; ++i) {
                    MiniDeck[i]->show();
                }
                Timer6->start();
            }
            break;
        default:
            Timer1->stop();
            break;
        }
    } catch (const std::exception&) {
        // The step stays undone; Timer1 runs on and tries it again.
    }
    for (int i = 1; i <= 4; ++i) {
        if (!AnswerLabel[i]->Caption().isEmpty()) {
            Schatten[i]->SetCaption(AnswerLabel[i]->Caption());
        }
    }
}

void TfrmMain::Timer6Timer() {
    // The masks open right, left, bottom, top.
    for (const int deck : {2, 4, 1, 3}) {
        if (IsShown(MiniDeck[deck])) {
            MiniDeck[deck]->hide();
            if (deck == 3) {
                Timer6->stop();
            }
            return;
        }
    }
}

void TfrmMain::Timer2Timer() {
    const int interval = Timer2->interval();
    int elapsed = 0;
    if (VideoRoundActive) {
        elapsed = RoundClock;
        RoundClock += interval;
        bool ended = VideoView == nullptr;
        if (!ended) {
            try {
                ended = VideoView->Position() == 0.0f;
            } catch (const std::exception&) {
                ended = true;
            }
        }
        if (ended) {
            Timer2->stop();
            FreeVideoView();
        }
    } else if (IsShown(CoverPanel)) {
        elapsed = RoundClock;
        RoundClock += interval;
    } else {
        elapsed = static_cast<int>(Os.Audio().PositionMs()) - SkipMs;
    }
    if (interval == 10 && elapsed >= 1990) {
        Timer2->setInterval(100);
    }
    Zeit->SetCaption(ClockText(elapsed));
    Zeit->repaint();
    if (SinglePlayerMode) {
        CountSingleGameTime(interval);
    }
}

void TfrmMain::RevealCover() {
    Timer5->stop();
    CoverPanel->show();
    for (int n = 1; n <= 64; ++n) {
        Tile[n]->hide();
    }
    CoverPanel->repaint();
}

void TfrmMain::ShowAnswerButtons(bool visible) {
    for (int i = 1; i <= 4; ++i) {
        AnswerButton[i]->setVisible(visible);
    }
    for (int i = 1; i <= 4; ++i) {
        AnswerPanel[i]->setVisible(visible);
    }
}

void TfrmMain::ResetPlayerMarks() {
    for (int seat = 1; seat <= 4; ++seat) {
        PlayerP[seat]->SetColor(MoneyGreen);
    }
    ClearLamps();
}

} // namespace harvoline
