// Buzzing in, the answer window, judging answers, scores, best times and lock-outs.
#include "app/main_window.h"
#include "game/round_rules.h"
#include "media/playlist_rules.h"
#include "platform/audio_player.h"

#include <cmath>

namespace harvoline {

namespace {

constexpr int AnswerWindowTicks = 120;

} // namespace

int TfrmMain::Score(int seat) const { return PlayerPunkte[seat]->Caption().toInt(); }

void TfrmMain::AddScore(int seat, int points) {
    PlayerPunkte[seat]->SetCaption(QString::number(Score(seat) + points));
}

bool TfrmMain::IsOpenPlayer(int seat) const {
    return IsShown(PlayerP[seat]) && !IsShown(Gitter[seat]);
}

void TfrmMain::MarkBuzzingPlayer(int seat) {
    PlayerP[seat]->SetColor(Red);
    // The players look at the panel: it turns red now, not with the next full repaint.
    PlayerP[seat]->repaint();
    LightPlayerLamp(seat);
}

void TfrmMain::BuzzIn(int seat) {
    if (CurrentPlayer != 0 || IsShown(Gitter[seat])) {
        return;
    }
    CurrentPlayer = seat;
    Timer1->stop();
    Timer2->stop();
    Timer5->stop();
    Timer6->stop();
    Start->setEnabled(false);
    MarkBuzzingPlayer(seat);
    if (RoundCounter > 0) {
        PausePlayback();
    }
    CoverPanel->hide();
    if (AnswerStage == 0) {
        ShowNextClue();
    }
    ShowAnswerButtons(true);
    TimesUp->resize(Bevel1->width(), TimesUp->height());
    TimesUp->show();
    AnswerTicks = 0;
    Timer3->start();
}

void TfrmMain::PausePlayback() {
    if (VideoRoundActive) {
        if (VideoView != nullptr) {
            VideoView->Pause();
        }
    } else {
        Os.Audio().Pause();
    }
}

void TfrmMain::ResumePlayback() {
    if (IsCoverRound()) {
        CoverPanel->show();
        Timer5->start();
    } else if (VideoRoundActive) {
        if (VideoView != nullptr) {
            VideoView->Play();
        }
    } else {
        Os.Audio().Play();
    }
}

void TfrmMain::Timer3Timer() {
    ++AnswerTicks;
    const int full = Bevel1->width();
    const auto shrink = static_cast<int>(
        std::nearbyint(static_cast<double>(full) * AnswerTicks / AnswerWindowTicks));
    TimesUp->resize(full - shrink, TimesUp->height());
    if (AnswerTicks >= AnswerWindowTicks) {
        AnswerTimeUp();
    }
}

bool TfrmMain::IsRightAnswer(const QString& text) const {
    if (AnswerStage == 1) {
        return text == FirstHalf(CorrectAnswer);
    }
    return text == CorrectAnswer;
}

void TfrmMain::SubmitAnswer(int choice) {
    if (CurrentPlayer < 1 || CurrentPlayer > 4) {
        return;
    }
    TLabel* label = AnswerLabel[choice];
    if (IsRightAnswer(label->Caption())) {
        RightAnswerGiven();
        label->SetCaption(CorrectAnswer);
        Schatten[choice]->SetCaption(CorrectAnswer);
        label->SetFontColor(Red);
    } else {
        WrongAnswerGiven();
        label->SetCaption(QString());
        AnswerButton[choice]->setEnabled(false);
    }
}

void TfrmMain::RightAnswerGiven() {
    const int seat = CurrentPlayer;
    Timer3->stop();
    TimesUp->hide();
    AddScore(seat, PointsValue);
    if (IsCoverRound()) {
        RevealCover();
    } else if (VideoRoundActive) {
        ResumePlayback();
    } else {
        Os.Audio().Play();
        if (Zeit->Caption() < PlayerZeit[seat]->Caption()) {
            PlayerZeit[seat]->SetCaption(Zeit->Caption());
        }
        for (int i = 1; i <= 4; ++i) {
            MiniDeck[i]->hide();
        }
        Timer6->stop();
        if (!IsShown(MiniCover)) {
            ShowEmbeddedPicture(Os.Audio().FileName(), MiniCover);
        }
    }
    Start->setEnabled(true);
    CurrentPlayer = 99;
    UpdateSongCount();
    if (SongList.size() < MinimumPlaylistSongs) {
        EndPlaylist();
    }
    ShowAnswerButtons(false);
}

void TfrmMain::WrongAnswerGiven() {
    const int seat = CurrentPlayer;
    Timer3->stop();
    TimesUp->hide();
    int open = 0;
    for (int other = 1; other <= 4; ++other) {
        open += IsOpenPlayer(other) ? 1 : 0;
    }
    if (open != 1) {
        ResetPlayerMarks();
    }
    AddScore(seat, -PointsValue);
    Gitter[seat]->show();
    GoOnAfterFailedAnswer();
    bool anyoneOpen = false;
    for (int other = 1; other <= 4; ++other) {
        anyoneOpen = anyoneOpen || IsOpenPlayer(other);
    }
    if (anyoneOpen) {
        CurrentPlayer = 0;
    } else {
        for (int i = 1; i <= 4; ++i) {
            if (IsRightAnswer(AnswerLabel[i]->Caption())) {
                AnswerLabel[i]->SetCaption(CorrectAnswer);
                Schatten[i]->SetCaption(CorrectAnswer);
                AnswerLabel[i]->SetFontColor(Yellow);
            }
        }
        UpdateSongCount();
        if (SongList.size() < MinimumPlaylistSongs) {
            EndPlaylist();
        }
        if (IsCoverRound()) {
            RevealCover();
        }
        CurrentPlayer = 99;
    }
    Start->setEnabled(true);
    ShowAnswerButtons(false);
}

// After a wrong answer or a time-up the round plays on with fresh clue and clock timers;
// an answer given while only the titles showed already cost the round a point.
void TfrmMain::GoOnAfterFailedAnswer() {
    ResumePlayback();
    Timer1->start();
    Timer2->start();
    if (IsShown(MiniDeck[3])) {
        Timer6->start();
    }
    if (AnswerStage == 1) {
        SetPoints(2);
    }
}

void TfrmMain::AnswerTimeUp() {
    const int seat = CurrentPlayer;
    Timer3->stop();
    TimesUp->hide();
    ResetPlayerMarks();
    AddScore(seat, -PointsValue);
    GoOnAfterFailedAnswer();
    Start->setEnabled(true);
    CurrentPlayer = 0;
    ShowAnswerButtons(false);
}

} // namespace harvoline
