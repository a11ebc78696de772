// The game's construction, start and end, the start of every round, the clue steps, the
// round's clock and the seats.
#include "model/game/quiz_game.h"

#include "model/config/text_file.h"
#include "model/game/game_screen.h"
#include "model/game/game_services.h"
#include "model/game/highscores.h"
#include "model/game/report_errors.h"
#include "model/game/seat_lamps.h"
#include "model/media/audio_player.h"
#include "model/media/playlist_rules.h"
#include "model/media/tag_library.h"
#include "model/media/video_view.h"

namespace harvoline {

namespace {

// Colours are drawn from 0 to 0xFFFFFE, so never pure white.
constexpr int ColourRange = 0xFFFFFF;

void SetUpTimer(QTimer& timer, const char* name, int intervalMs) {
    timer.setObjectName(QString::fromLatin1(name));
    timer.setInterval(intervalMs);
}

} // namespace

QuizGame::QuizGame(GameServices& services, QObject* parent)
    : QObject(parent), Services(services), Settings(services), Tags(services.CreateTagLibrary()),
      SongDeck(services, Settings, Tags.get()), CoverPictures(services), MusicVideos(services) {
    SetUpTimer(TimerSet.ClueTimer, "ClueTimer", 10000);
    SetUpTimer(TimerSet.RoundClockTimer, "RoundClockTimer", 10);
    SetUpTimer(TimerSet.AnswerTimer, "AnswerTimer", 20);
    SetUpTimer(TimerSet.TileTimer, "TileTimer", 750);
    SetUpTimer(TimerSet.MaskTimer, "MaskTimer", 1500);
    TimerSet.RoundClockTimer.setTimerType(Qt::PreciseTimer);
    TimerSet.AnswerTimer.setTimerType(Qt::PreciseTimer);
    const std::pair<QTimer*, void (QuizGame::*)()> steps[] = {
        {&TimerSet.ClueTimer, &QuizGame::AdvanceClue},
        {&TimerSet.RoundClockTimer, &QuizGame::TickRoundClock},
        {&TimerSet.AnswerTimer, &QuizGame::TickAnswerWindow},
        {&TimerSet.TileTimer, &QuizGame::OpenNextTile},
        {&TimerSet.MaskTimer, &QuizGame::OpenNextMask},
    };
    for (const auto& [timer, step] : steps) {
        connect(timer, &QTimer::timeout, this,
                [this, step] { ReportErrors(Services, [this, step] { (this->*step)(); }); });
    }
    connect(&Settings, &GameConfig::LanguageApplied, this, &QuizGame::ApplyLanguage);
}

QuizGame::~QuizGame() = default;

bool QuizGame::IsOpenSeat(int seat) const {
    return TakesPart(seat) && !IsLockedOut(seat);
}

void QuizGame::AddNote(const QString& note) {
    if (note.isEmpty()) {
        return;
    }
    HelpNotes += note;
    emit NotesChanged();
}

void QuizGame::StartUp() {
    Fresh = false;
    SongDeck.SetEntries({});
    CoverPictures.Clear();
    MusicVideos.Clear();
    Answers.Clear();
    Settings.Clear();
    RoundsSinceCover = 0;
    AddNote(CoverPictures.Scan(Settings.Places()));
    AddNote(MusicVideos.Detect(Settings.Places()));
    FreeVideoView();
    Services.Randomize();
    Single = {};
    VideoRound = false;
    ClearAnswerLines();
    Settings.ReadSettings();
    if (const std::optional<SeatSettings>& stored = Settings.Seats()) {
        for (int seat = 1; seat <= 4; ++seat) {
            Seats[seat].Name = stored->Players[seat].Name;
            emit SeatChanged(seat);
        }
    }
}

void QuizGame::ShutDown() {
    // A video plays in the window: it stops while the window is still on the screen.
    FreeVideoView();
    Settings.WriteAtShutDown();
    // Lamps left lit would outlast the game on a receiver that stays plugged in.
    if (Lamps != nullptr) {
        Lamps->ClearAll();
    }
}

void QuizGame::ApplyLanguage() {
    for (int seat = 1; seat <= 4; ++seat) {
        if (Seats[seat].Name.isEmpty()) {
            Seats[seat].Name = Settings.Text(1) + QString::number(seat);
            emit SeatChanged(seat);
        }
    }
    SetPoints(3);
    NextOnStart = false;
    emit PhaseChanged();
    emit LanguageChanged();
    // The count of songs is written in the new language at once, not at the next draw.
    emit SongCountChanged();
}

// Start ------------------------------------------------------------------------------------

void QuizGame::ClearRoundPictures() {
    CoverOnScreen = false;
    emit CoverChanged();
    MiniCoverOnScreen = false;
    HideMasks();
    TimerSet.MaskTimer.stop();
    FreeVideoView();
}

void QuizGame::Proceed() {
    ClearRoundPictures();
    const int endsBefore = PlaylistEnds;
    if (NextOnStart) {
        StartRoundOfItsKind();
    } else {
        OpenPlaylist();
    }
    FinishRoundStart(endsBefore);
}

void QuizGame::LoadPlaylist() {
    // The quiz master's choice must not cost the answering seat: left open, the answer
    // window would run out while the dialog is open.
    if (Round == RoundPhase::Answering) {
        ReopenRound();
    }
    const int endsBefore = PlaylistEnds;
    if (OpenPlaylist()) {
        FinishRoundStart(endsBefore);
    }
}

void QuizGame::StartRoundOfItsKind() {
    switch (NextRoundKind(RoundsSinceCover, Settings.CoverInterval(), CoverPictures.Size(),
                          MusicVideos.Size(), MusicVideos.Available())) {
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

void QuizGame::FinishRoundStart(int playlistEndsBefore) {
    NewRound();
    // A playlist that ran out during this start has shown its end already.
    if (SongDeck.Size() < MinimumPlaylistSongs && PlaylistEnds == playlistEndsBefore) {
        EndPlaylist();
    }
}

void QuizGame::NewRound() {
    Frame = static_cast<std::uint32_t>(Services.Random(ColourRange));
    for (std::uint32_t& letter : Letters) {
        letter = static_cast<std::uint32_t>(Services.Random(ColourRange));
    }
    emit RoundColoursDrawn();
    Clue = ClueStage::Hidden;
    SetPoints(3);
    // Until the first tick the clock must not show the time of an earlier round: a buzz
    // handled before it would take that time as the answer time.
    SetClock(ClockText(0));
    if (Running) {
        TimerSet.ClueTimer.start();
        RoundClock = 0;
        TimerSet.RoundClockTimer.setInterval(10);
        TimerSet.RoundClockTimer.start();
    }
    // A round started from the menu while a seat answers ends that answer window: left
    // running, it would charge its time-up to nobody.
    TimerSet.AnswerTimer.stop();
    SetPhase(Running ? RoundPhase::Open : RoundPhase::Closed);
    ResetSeatMarks();
    for (int seat = 1; seat <= 4; ++seat) {
        Seats[seat].LockedOut = false;
        emit SeatChanged(seat);
    }
    for (int choice = 1; choice <= 4; ++choice) {
        Lines[choice].Open = true;
        Lines[choice].Mark = LineMark::Choice;
    }
    emit ClueChanged();
}

void QuizGame::SetPhase(RoundPhase phase, int answering) {
    Round = phase;
    Answering = answering;
    emit PhaseChanged();
}

void QuizGame::SetPoints(int points) {
    Points = points;
    emit PointsChanged();
}

void QuizGame::SetClock(const QString& text) {
    ClockShown = text;
    emit ClockChanged();
}

void QuizGame::ClearAnswerLines() {
    for (int choice = 1; choice <= 4; ++choice) {
        Lines[choice].Text.clear();
        Lines[choice].Shadow.clear();
    }
    emit ClueChanged();
}

// Clues -----------------------------------------------------------------------------------

void QuizGame::AdvanceClue() {
    if (Clue == ClueStage::Hidden) {
        SetPoints(2);
    } else if (Clue == ClueStage::Titles) {
        SetPoints(1);
    }
    ShowNextClue();
}

void QuizGame::ShowNextClue() {
    try {
        ShowClueStep();
    } catch (const std::exception&) {
        // The step stays undone; the clue timer runs on and tries it again.
    }
    for (int choice = 1; choice <= 4; ++choice) {
        if (!Lines[choice].Text.isEmpty()) {
            Lines[choice].Shadow = Lines[choice].Text;
        }
    }
    emit ClueChanged();
}

void QuizGame::ShowClueStep() {
    switch (Clue) {
    case ClueStage::Hidden:
        for (int choice = 1; choice <= 4; ++choice) {
            if (choice <= Answers.Count()) {
                Lines[choice].Text = FirstHalf(Answers.At(choice - 1));
            } else {
                // Two songs with one answer leave a choice out: nobody can pick it.
                Lines[choice].Text.clear();
                Lines[choice].Open = false;
            }
        }
        Clue = ClueStage::Titles;
        break;
    case ClueStage::Titles:
        for (int choice = 1; choice <= Answers.Count() && choice <= 4; ++choice) {
            if (!Lines[choice].Text.isEmpty()) {
                Lines[choice].Text = Answers.At(choice - 1);
            }
        }
        Clue = ClueStage::Answers;
        break;
    case ClueStage::Answers:
        if (CoverOnScreen || VideoRound) {
            TimerSet.ClueTimer.stop();
            break;
        }
        ShowSongPicture(Services.Audio().FileName());
        Clue = ClueStage::MiniCover;
        TimerSet.ClueTimer.stop();
        if (MiniCoverOnScreen) {
            Masks.fill(true);
            emit MiniCoverChanged();
            TimerSet.MaskTimer.start();
        }
        break;
    case ClueStage::MiniCover:
        TimerSet.ClueTimer.stop();
        break;
    }
}

void QuizGame::ShowSongPicture(const QString& path) {
    MiniCoverOnScreen = false;
    Screen->ClearSongPicture();
    emit MiniCoverChanged();
    if (Tags == nullptr) {
        return;
    }
    Tags->Load(path);
    const EmbeddedPicture& picture = Tags->AlbumPicture();
    if (picture.Kind == PictureKind::None) {
        return;
    }
    MiniCoverOnScreen = Screen->ShowSongPicture(picture);
    emit MiniCoverChanged();
}

void QuizGame::OpenNextMask() {
    // The masks open right, left, bottom, top.
    for (const int mask : {2, 4, 1, 3}) {
        if (Masks[mask]) {
            Masks[mask] = false;
            emit MiniCoverChanged();
            if (mask == 3) {
                TimerSet.MaskTimer.stop();
            }
            return;
        }
    }
}

void QuizGame::HideMasks() {
    Masks.fill(false);
    emit MiniCoverChanged();
}

void QuizGame::OpenNextTile() {
    if (OpenedTiles < TileCount) {
        // Tile 64 is only reached by stepping on from an open tile.
        int tile = Services.Random(TileCount - 1) + 1;
        for (int step = 0; step < TileCount && !Tiles[tile]; ++step) {
            tile = tile % TileCount + 1;
        }
        if (Tiles[tile]) {
            Tiles[tile] = false;
            ++OpenedTiles;
            emit TileOpened(tile);
        } else {
            // Every tile is open already.
            OpenedTiles = TileCount;
        }
    }
    if (OpenedTiles >= TileCount) {
        TimerSet.TileTimer.stop();
    }
}

void QuizGame::RevealCover() {
    TimerSet.TileTimer.stop();
    CoverOnScreen = true;
    Tiles.fill(false);
    emit CoverRevealed();
}

// The round's clock ------------------------------------------------------------------------

void QuizGame::TickRoundClock() {
    QTimer& timer = TimerSet.RoundClockTimer;
    const int interval = timer.interval();
    int elapsed = 0;
    if (VideoRound) {
        elapsed = RoundClock;
        RoundClock += interval;
        bool ended = VideoPlayer == nullptr;
        if (!ended) {
            try {
                ended = VideoPlayer->Position() == 0.0f;
            } catch (const std::exception&) {
                ended = true;
            }
        }
        if (ended) {
            timer.stop();
            FreeVideoView();
        }
    } else if (CoverOnScreen) {
        elapsed = RoundClock;
        RoundClock += interval;
    } else {
        elapsed = static_cast<int>(Services.Audio().PositionMs()) - Settings.SkipMs();
    }
    if (interval == 10 && elapsed >= 1990) {
        timer.setInterval(100);
    }
    SetClock(ClockText(elapsed));
    if (Single.SinglePlayer) {
        CountSingleGameTime(interval);
    }
}

// Seats and the single-player game -------------------------------------------------------

bool QuizGame::RenameSeat(int seat, const QString& name) {
    // A pasted name may hold line breaks; its lines become one.
    const QString oneLine = OneLine(name);
    if (oneLine.isEmpty()) {
        Seats.at(seat).TakesPart = false;
        emit SeatChanged(seat);
        return false;
    }
    Seats.at(seat).Name = oneLine;
    SettingsLines& lines = Settings.Settings();
    lines.SetLine(seat, RenamedPlayerLine(lines.Line(seat), oneLine));
    emit SeatChanged(seat);
    return true;
}

void QuizGame::SetSeatPicture(int seat, const QString& path) {
    Settings.Settings().SetLine(
        seat, PlayerSettingsLine(Settings.Text(1), seat, path, Seats.at(seat).Name));
}

void QuizGame::SetBackgroundPicture(const QString& path) {
    Settings.Settings().SetLine(5, path);
}

void QuizGame::StartSinglePlayer() {
    Single.SinglePlayer = true;
    for (int seat = 1; seat <= 4; ++seat) {
        Seats[seat].TakesPart = seat == 1;
        emit SeatChanged(seat);
    }
    emit SingleGameTimeChanged();
    if (Single.UnderWay() && !Services.AskYesNo(Settings.Text(13))) {
        return;
    }
    Single.SingleGameElapsedMs = 0;
    Seats[1].BestTimeText = Seat{}.BestTimeText;
    ResetScore(1);
    emit SingleGameTimeChanged();
}

bool QuizGame::LeaveSinglePlayer() {
    if (Single.UnderWay() && !Services.AskYesNo(Settings.Text(11))) {
        return false;
    }
    Single.SinglePlayer = false;
    emit SingleGameTimeChanged();
    return true;
}

bool QuizGame::BringBackASeat() {
    for (int seat = 1; seat <= 4; ++seat) {
        if (!Seats[seat].TakesPart) {
            Seats[seat].TakesPart = true;
            emit SeatChanged(seat);
            return true;
        }
    }
    return false;
}

void QuizGame::CountSingleGameTime(int ms) {
    Single.SingleGameElapsedMs += ms;
    emit SingleGameTimeChanged();
    if (Single.TimeIsUp()) {
        EndSingleGame();
    }
}

void QuizGame::EndSingleGame() {
    // Nothing may count, buzz or tick any more: the next game starts with a new playlist.
    StopRounds();
    Services.ShowInformation(Settings.Text(6));
    const Seat& player = Seats[1];
    LastHighscoreRank = 0;
    if (player.Score > 0) {
        LastHighscoreRank = InsertHighscore(
            Settings.Settings(), HighscoreLine(player.Name, player.Score, player.BestTimeText),
            DefaultSettings(Settings.Language()));
    }
    // The countdown keeps showing the time up until the next game starts.
    Single.SingleGameElapsedMs = 0;
    emit SingleGameEnded();
}

} // namespace harvoline
