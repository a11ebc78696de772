// Buzzing in, the answer window, judging answers, scores, best times and lock-outs.
#include "model/game/quiz_game.h"

#include "model/game/game_services.h"
#include "model/game/seat_lamps.h"
#include "model/media/audio_player.h"
#include "model/media/playlist_rules.h"
#include "model/media/video_view.h"

namespace harvoline {

void QuizGame::Buzz(int seat) {
    if (!MayBuzz(seat)) {
        return;
    }
    Round = RoundPhase::Answering;
    Answering = seat;
    TimerSet.ClueTimer.stop();
    TimerSet.RoundClockTimer.stop();
    TimerSet.TileTimer.stop();
    TimerSet.MaskTimer.stop();
    MarkBuzzingSeat(seat);
    if (!IsCoverRound()) {
        PausePlayback();
    }
    CoverOnScreen = false;
    emit CoverChanged();
    if (Clue == ClueStage::Hidden) {
        ShowNextClue();
    }
    Ticks = 0;
    emit PhaseChanged();
    emit AnswerTimeChanged();
    TimerSet.AnswerTimer.start();
}

bool QuizGame::MayBuzz(int seat) const {
    return Round == RoundPhase::Open && seat >= 1 && seat <= 4 && IsOpenSeat(seat);
}

void QuizGame::MarkBuzzingSeat(int seat) {
    Seats[seat].Marked = true;
    emit SeatMarked(seat);
    if (Lamps != nullptr) {
        Lamps->LightSeat(seat);
    }
}

void QuizGame::ResetSeatMarks() {
    for (int seat = 1; seat <= 4; ++seat) {
        Seats[seat].Marked = false;
        emit SeatChanged(seat);
    }
    if (Lamps != nullptr) {
        Lamps->ClearAll();
    }
}

void QuizGame::AddScore(int seat, int points) {
    Seats.at(seat).Score += points;
    ScoreChanges.at(seat).push_back(points);
    emit SeatChanged(seat);
}

void QuizGame::ResetScore(int seat) {
    Seats.at(seat).Score = 0;
    ScoreChanges.at(seat).clear();
    emit SeatChanged(seat);
}

void QuizGame::CorrectScore(int seat, int points) {
    AddScore(seat, points);
}

bool QuizGame::UndoScoreChange(int seat) {
    std::vector<int>& changes = ScoreChanges.at(seat);
    if (changes.empty()) {
        return false;
    }
    Seats[seat].Score -= changes.back();
    changes.pop_back();
    emit SeatChanged(seat);
    return true;
}

std::optional<int> QuizGame::LastScoreChange(int seat) const {
    const std::vector<int>& changes = ScoreChanges.at(seat);
    if (changes.empty()) {
        return std::nullopt;
    }
    return changes.back();
}

void QuizGame::PausePlayback() {
    if (VideoRound) {
        if (VideoPlayer != nullptr) {
            VideoPlayer->Pause();
        }
    } else {
        Services.Audio().Pause();
    }
}

void QuizGame::ResumePlayback() {
    if (IsCoverRound()) {
        return;
    }
    try {
        if (VideoRound) {
            if (VideoPlayer != nullptr) {
                VideoPlayer->Play();
            }
        } else {
            Services.Audio().Play();
        }
    } catch (const std::exception& error) {
        // The quiz master learns why it is quiet and moves on with Start.
        Services.ShowError(QString::fromUtf8(error.what()));
    }
}

void QuizGame::TickAnswerWindow() {
    ++Ticks;
    emit AnswerTimeChanged();
    if (Ticks >= AnswerWindowTicks) {
        AnswerTimeUp();
    }
}

bool QuizGame::IsRightAnswer(const QString& text) const {
    if (Clue == ClueStage::Titles) {
        return text == FirstHalf(Right);
    }
    return text == Right;
}

void QuizGame::Choose(int choice) {
    if (Round != RoundPhase::Answering || choice < 1 || choice > 4 || !Lines[choice].Open) {
        return;
    }
    ChoiceLine& line = Lines[choice];
    if (IsRightAnswer(line.Text)) {
        RightAnswerGiven();
        line.Text = Right;
        line.Shadow = Right;
        line.Mark = LineMark::Right;
    } else {
        WrongAnswerGiven();
        line.Text.clear();
        line.Open = false;
    }
    emit ClueChanged();
}

// Each outcome completes the round's state before the playback goes on, so that a song
// that cannot go on is reported over a round that is whole.
void QuizGame::RightAnswerGiven() {
    const int seat = Answering;
    Round = RoundPhase::Closed;
    Answering = 0;
    EndAnswerWindow();
    AddScore(seat, Points);
    if (IsCoverRound()) {
        RevealCover();
    } else if (!VideoRound) {
        if (ClockShown < Seats[seat].BestTimeText) {
            Seats[seat].BestTimeText = ClockShown;
            emit SeatChanged(seat);
        }
        HideMasks();
        TimerSet.MaskTimer.stop();
        if (!MiniCoverOnScreen) {
            ShowSongPicture(Services.Audio().FileName());
        }
    }
    if (EndPlaylistRunDown()) {
        return;
    }
    ResumePlayback();
}

void QuizGame::WrongAnswerGiven() {
    const int seat = Answering;
    int open = 0;
    for (int other = 1; other <= 4; ++other) {
        open += IsOpenSeat(other) ? 1 : 0;
    }
    if (open != 1) {
        ResetSeatMarks();
    }
    AddScore(seat, -Points);
    Seats[seat].LockedOut = true;
    emit SeatChanged(seat);
    bool anyoneOpen = false;
    for (int other = 1; other <= 4; ++other) {
        anyoneOpen = anyoneOpen || IsOpenSeat(other);
    }
    Round = anyoneOpen ? RoundPhase::Open : RoundPhase::Closed;
    Answering = 0;
    EndAnswerWindow();
    GoOnAfterFailedAnswer();
    if (!anyoneOpen) {
        RevealRightAnswer();
        if (IsCoverRound()) {
            RevealCover();
        }
        if (EndPlaylistRunDown()) {
            return;
        }
    }
    ResumePlayback();
}

void QuizGame::RevealRightAnswer() {
    for (ChoiceLine& line : Lines) {
        if (IsRightAnswer(line.Text)) {
            line.Text = Right;
            line.Shadow = Right;
            line.Mark = LineMark::Revealed;
        }
    }
    emit ClueChanged();
}

bool QuizGame::EndPlaylistRunDown() {
    emit SongCountChanged();
    if (SongDeck.Size() < MinimumPlaylistSongs) {
        EndPlaylist();
        return true;
    }
    return false;
}

void QuizGame::EndAnswerWindow() {
    TimerSet.AnswerTimer.stop();
    emit PhaseChanged();
}

// After a wrong answer or a time-up the round plays on with fresh clue and clock timers;
// an answer given while only the titles showed already cost the round a point.
void QuizGame::GoOnAfterFailedAnswer() {
    if (IsCoverRound()) {
        CoverOnScreen = true;
        emit CoverChanged();
        TimerSet.TileTimer.start();
    }
    TimerSet.ClueTimer.start();
    TimerSet.RoundClockTimer.start();
    if (Masks[3]) {
        TimerSet.MaskTimer.start();
    }
    if (Clue == ClueStage::Titles) {
        SetPoints(2);
    }
}

void QuizGame::ReopenRound() {
    Round = RoundPhase::Open;
    Answering = 0;
    EndAnswerWindow();
    ResetSeatMarks();
    GoOnAfterFailedAnswer();
    ResumePlayback();
}

void QuizGame::AnswerTimeUp() {
    AddScore(Answering, -Points);
    ReopenRound();
}

} // namespace harvoline
