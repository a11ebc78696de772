// Buzzing in, the answer window, judging answers, scores, best times and lock-outs.
#include "app/main_window.h"
#include "model/game/round_rules.h"
#include "model/media/playlist_rules.h"
#include "model/media/audio_player.h"

#include <cmath>

namespace harvoline {

namespace {

constexpr int AnswerWindowTicks = 120;

} // namespace

int TfrmMain::Score(int seat) const { return PlayerPunkte[seat]->Caption().toInt(); }

void TfrmMain::AddScore(int seat, int points) {
    PlayerPunkte[seat]->SetCaption(QString::number(Score(seat) + points));
}

bool TfrmMain::TakesPart(int seat) const {
    return IsShown(EndHelp) ? SavedPanelVisibility[seat] : IsShown(PlayerP[seat]);
}

bool TfrmMain::IsOpenPlayer(int seat) const {
    return TakesPart(seat) && !IsShown(Gitter[seat]);
}

void TfrmMain::UpdateStartEnabled() {
    Start->setEnabled(!PlayerAnswering() && !IsShown(EndHelp) && !IsShown(BuzzerPanel));
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
    UpdateStartEnabled();
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
        return;
    }
    try {
        if (VideoRoundActive) {
            if (VideoView != nullptr) {
                VideoView->Play();
            }
        } else {
            Os.Audio().Play();
        }
    } catch (const std::exception& error) {
        // The quiz master learns why it is quiet and moves on with Start.
        Os.ShowError(QString::fromUtf8(error.what()));
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

// Each outcome completes the round's state before the playback goes on, so that a song
// that cannot go on is reported over a round that is whole.
void TfrmMain::RightAnswerGiven() {
    const int seat = CurrentPlayer;
    CurrentPlayer = RoundClosed;
    EndAnswerWindow();
    AddScore(seat, PointsValue);
    if (IsCoverRound()) {
        RevealCover();
    } else if (!VideoRoundActive) {
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
    UpdateSongCount();
    if (SongList.size() < MinimumPlaylistSongs) {
        EndPlaylist();
        return;
    }
    ResumePlayback();
}

void TfrmMain::WrongAnswerGiven() {
    const int seat = CurrentPlayer;
    int open = 0;
    for (int other = 1; other <= 4; ++other) {
        open += IsOpenPlayer(other) ? 1 : 0;
    }
    if (open != 1) {
        ResetPlayerMarks();
    }
    AddScore(seat, -PointsValue);
    Gitter[seat]->show();
    bool anyoneOpen = false;
    for (int other = 1; other <= 4; ++other) {
        anyoneOpen = anyoneOpen || IsOpenPlayer(other);
    }
    CurrentPlayer = anyoneOpen ? 0 : RoundClosed;
    EndAnswerWindow();
    GoOnAfterFailedAnswer();
    if (!anyoneOpen) {
        for (int i = 1; i <= 4; ++i) {
            if (IsRightAnswer(AnswerLabel[i]->Caption())) {
                AnswerLabel[i]->SetCaption(CorrectAnswer);
                Schatten[i]->SetCaption(CorrectAnswer);
                AnswerLabel[i]->SetFontColor(Yellow);
            }
        }
        if (IsCoverRound()) {
            RevealCover();
        }
        UpdateSongCount();
        if (SongList.size() < MinimumPlaylistSongs) {
            EndPlaylist();
            return;
        }
    }
    ResumePlayback();
}

void TfrmMain::EndAnswerWindow() {
    Timer3->stop();
    TimesUp->hide();
    ShowAnswerButtons(false);
    UpdateStartEnabled();
}

// After a wrong answer or a time-up the round plays on with fresh clue and clock timers;
// an answer given while only the titles showed already cost the round a point.
void TfrmMain::GoOnAfterFailedAnswer() {
    if (IsCoverRound()) {
        CoverPanel->show();
        Timer5->start();
    }
    Timer1->start();
    Timer2->start();
    if (IsShown(MiniDeck[3])) {
        Timer6->start();
    }
    if (AnswerStage == 1) {
        SetPoints(2);
    }
}

void TfrmMain::ReopenRound() {
    CurrentPlayer = 0;
    EndAnswerWindow();
    ResetPlayerMarks();
    GoOnAfterFailedAnswer();
    ResumePlayback();
}

void TfrmMain::AnswerTimeUp() {
    AddScore(CurrentPlayer, -PointsValue);
    ReopenRound();
}

} // namespace harvoline
