#pragma once

#include "model/config/game_config.h"
#include "model/game/choice_line.h"
#include "model/game/round_phase.h"
#include "model/game/round_rules.h"
#include "model/game/seat.h"
#include "model/game/single_player_clock.h"
#include "model/game/standings.h"
#include "model/media/answer_list.h"
#include "model/media/cover_deck.h"
#include "model/media/playlist.h"
#include "model/media/video_deck.h"

#include <QObject>
#include <QTimer>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace harvoline {

class GameScreen;
class GameServices;
class SeatLamps;
class TagLibrary;
class VideoView;

// The whole quiz: the seats and their scores, the rounds with their clues, clocks and
// answers, the playlist, cover and video decks, and the settings and language. It owns the
// game's timers, whose steps are public so that tests can take them one at a time. Every
// change a view shows is announced by a signal, emitted where the change is made.
//
// Arrays by seat or choice are indexed 1 to 4; index 0 is unused.
// The game's timers, each named for what its ticks do.
struct GameTimers {
    // Every 10 s the next clue, and fewer points.
    QTimer ClueTimer;
    // The round's clock, shown in hundredths until two seconds are up, then in tenths.
    QTimer RoundClockTimer;
    // The answering seat's time, in 120 ticks.
    QTimer AnswerTimer;
    // A cover round's tiles open one by one.
    QTimer TileTimer;
    // The small cover's masks open one by one.
    QTimer MaskTimer;
};

class QuizGame : public QObject {
    Q_OBJECT

  public:
    static constexpr int TileCount = 64;
    static constexpr int AnswerWindowTicks = 120;

    explicit QuizGame(GameServices& services, QObject* parent = nullptr);
    ~QuizGame() override;

    // The screen the game shows covers, song pictures and videos on, and the lamps of the
    // buzzer controllers; both may be set once the window and the receivers exist.
    void SetScreen(GameScreen& screen) { Screen = &screen; }
    void SetLamps(SeatLamps& lamps) { Lamps = &lamps; }

    GameConfig& Config() { return Settings; }
    const GameConfig& Config() const { return Settings; }
    Playlist& Songs() { return SongDeck; }
    const Playlist& Songs() const { return SongDeck; }
    CoverDeck& Covers() { return CoverPictures; }
    const CoverDeck& Covers() const { return CoverPictures; }
    VideoDeck& Videos() { return MusicVideos; }
    const VideoDeck& Videos() const { return MusicVideos; }

    // The seats.
    const Seat& SeatAt(int seat) const { return Seats.at(seat); }
    int Score(int seat) const { return Seats.at(seat).Score; }
    bool IsLockedOut(int seat) const { return Seats.at(seat).LockedOut; }
    bool TakesPart(int seat) const { return Seats.at(seat).TakesPart; }
    // Taking part and not locked out.
    bool IsOpenSeat(int seat) const;
    // The round is open and the seat, 1 to 4, is open in it.
    bool MayBuzz(int seat) const;
    // The seats that take part, best first.
    std::vector<Standing> Standings() const { return RankSeats(Seats); }

    // The round.
    RoundPhase Phase() const { return Round; }
    // The seat that answers, 0 while nobody does.
    int AnsweringSeat() const { return Answering; }
    ClueStage Stage() const { return Clue; }
    int PointsAtStake() const { return Points; }
    // What the round's clock shows; a best time is taken from it.
    const QString& RoundClockText() const { return ClockShown; }
    int RoundClockMs() const { return RoundClock; }
    int AnswerTicks() const { return Ticks; }
    // Cover rounds set the count of rounds since the last one to 0.
    bool IsCoverRound() const { return RoundsSinceCover == 0; }
    bool VideoRoundRunning() const { return VideoRound; }
    int RoundsSinceLastCover() const { return RoundsSinceCover; }
    // A playlist is open and has not ended: rounds start, clocks run and players buzz.
    bool PlaylistRunning() const { return Running; }
    // Start goes on to the next round rather than opening a playlist.
    bool StartMeansNext() const { return NextOnStart; }
    // The playlist was opened and its first song has not started yet.
    bool FreshPlaylist() const { return Fresh; }

    const AnswerChoices& Choices() const { return Answers; }
    const QString& RightAnswer() const { return Right; }
    const ChoiceLine& Line(int choice) const { return Lines.at(choice); }

    // The colours the round was given: the frame and title, and the six letters of the
    // cover grid's word, as 0x00BBGGRR.
    std::uint32_t FrameColour() const { return Frame; }
    std::uint32_t LetterColour(int letter) const { return Letters.at(letter); }

    // The cover of a cover round, under its tiles, numbered 1 to 64.
    bool CoverShown() const { return CoverOnScreen; }
    bool TileCovered(int tile) const { return Tiles.at(tile); }
    int TilesOpened() const { return OpenedTiles; }
    // The song's own picture, the last clue of a song round, under four masks.
    bool MiniCoverShown() const { return MiniCoverOnScreen; }
    bool MaskOn(int mask) const { return Masks.at(mask); }

    const SinglePlayerClock& SingleGame() const { return Single; }
    SinglePlayerClock& SingleGame() { return Single; }
    // The place among the highscores that the last single-player game took; 0 when it
    // scored nothing to keep.
    int HighscoreRank() const { return LastHighscoreRank; }
    // What the start found out about covers, videos and receivers, for the help page.
    const QString& Notes() const { return HelpNotes; }
    void AddNote(const QString& note);

    VideoView* Video() const { return VideoPlayer.get(); }
    const GameTimers& Timers() const { return TimerSet; }
    // Tests hold the game's time still.
    GameTimers& Timers() { return TimerSet; }

    // The start of the program: folders scanned, settings and language read.
    void StartUp();
    // The end of the program: settings and errors written, lamps dark.
    void ShutDown();

    // Start: opens a playlist when none runs, else starts the next round.
    void Proceed();
    // What Start puts away before anything else, also when it goes no further.
    void ClearRoundPictures();
    // The playlist chosen from the menu, at any time.
    void LoadPlaylist();
    // False when the dialog was cancelled.
    bool OpenPlaylist();
    // The playlist is over: no round goes on until the next one, and the end is shown.
    void EndPlaylist();
    void NewRound();
    void Buzz(int seat);
    void Choose(int choice);

    // The timers' steps.
    void AdvanceClue();
    void TickRoundClock();
    void TickAnswerWindow();
    void OpenNextTile();
    void OpenNextMask();

    // Seats and the single-player game.
    // False when the name, made one line, is empty: that takes the seat out of the game.
    bool RenameSeat(int seat, const QString& name);
    // The seat's own picture, remembered in the settings.
    void SetSeatPicture(int seat, const QString& path);
    void SetBackgroundPicture(const QString& path);
    void StartSinglePlayer();
    // Ends single-player mode, after asking while a game is under way; false when the
    // user wants the game to go on.
    bool LeaveSinglePlayer();
    // Seats the first seat that does not take part; false when all four do.
    bool BringBackASeat();

    // A position in the playlist that is none of the excluded ones, or -1 when none is left.
    int DrawSong(int e1 = -1, int e2 = -1, int e3 = -1);
    // False when no cover could be shown; the covers that failed to load are dropped.
    bool StartCoverRound();
    // False when the video cannot be played.
    bool StartVideoRound();
    void FreeVideoView();
    // Shows the picture stored in the song file as the small cover, or none.
    void ShowSongPicture(const QString& path);
    // The single-player game's clock moves on; the game ends when its time is up.
    void CountSingleGameTime(int ms);

    // The quiz master's corrections. A seat's score changes by the points given, and the
    // change is kept with the game's own; the round goes on untouched.
    void CorrectScore(int seat, int points);
    // Takes back the seat's last change of score, the game's or a correction; false when
    // its score has not changed since the playlist or the single-player game began.
    bool UndoScoreChange(int seat);
    // The seat's last change of score, if any.
    std::optional<int> LastScoreChange(int seat) const;

  signals:
    // Name, score, best time, lock-out or whether the seat takes part.
    void SeatChanged(int seat);
    // The seat buzzed in: its panel turns red at once, not with the next repaint.
    void SeatMarked(int seat);
    // The phase or the answering seat, whether a playlist runs, or what Start does.
    void PhaseChanged();
    // The answer lines, their shadows and marks, or which choices are open.
    void ClueChanged();
    void PointsChanged();
    void ClockChanged();
    void AnswerTimeChanged();
    void RoundColoursDrawn();
    // The cover was shown or hidden, or covered by all its tiles again.
    void CoverChanged();
    void TileOpened(int tile);
    // Every tile is gone: the cover shows whole, at once.
    void CoverRevealed();
    // Shown or hidden, and its masks.
    void MiniCoverChanged();
    void SongCountChanged();
    void NotesChanged();
    // The language table was applied: every text shown changes with it.
    void LanguageChanged();
    // A playlist that had begun ended, and its end was shown: the standings are final.
    void PlaylistEnded();
    // The single-player game's time was up, its end shown and its highscore kept.
    void SingleGameEnded();
    // The single-player game's clock moved, or the mode was entered or left.
    void SingleGameTimeChanged();

  private:
    void ClearTimers();
    void ApplyLanguage();
    void SetPoints(int points);
    void SetClock(const QString& text);
    void ClearAnswerLines();
    void SetPhase(RoundPhase phase, int answering = 0);

    // Rounds and the playlist.
    void StartRoundOfItsKind();
    // The round display after a round has started, and the end of a playlist that the start
    // ran down to fewer songs than a round needs.
    void FinishRoundStart(int playlistEndsBefore);
    int DrawTrackedSong(const std::array<int*, 3>& attached);
    void TakeAnswerFromTag();
    void StartSongRound();
    bool TryStartSongRound();
    // The three steps of a video round's start; each tells whether it succeeded.
    bool LoadVideo(const QString& name);
    bool PlayVideo(const QString& name);
    bool FinishVideoStart();
    void CreateVideoView();
    // Waits a few milliseconds at a time until done() holds or the time is up; tells
    // whether it held.
    bool WaitUntil(const std::function<bool()>& done, int boundMs);
    // No round goes on: playback, the round's timers and the answer window stop, and nobody
    // can buzz until a playlist is opened again.
    void StopRounds();

    // Clues and pictures.
    void ShowNextClue();
    void ShowClueStep();
    void HideMasks();
    void RevealCover();

    // Buzzing in and answering.
    void MarkBuzzingSeat(int seat);
    void ResetSeatMarks();
    void AddScore(int seat, int points);
    void ResetScore(int seat);
    bool IsRightAnswer(const QString& text) const;
    void RightAnswerGiven();
    void WrongAnswerGiven();
    void RevealRightAnswer();
    void AnswerTimeUp();
    void EndAnswerWindow();
    void GoOnAfterFailedAnswer();
    // The answering seat's turn ends without a judgement: the round plays on, open to every
    // seat that is not locked out.
    void ReopenRound();
    void PausePlayback();
    // The song or video of the round plays on; when it cannot, the general error box says
    // why and the round goes on without it.
    void ResumePlayback();
    // After a round closed: the count of songs, and the end of a playlist run down to fewer
    // songs than a round needs; true when it ended.
    bool EndPlaylistRunDown();
    void EndSingleGame();

    GameServices& Services;
    GameScreen* Screen = nullptr;
    SeatLamps* Lamps = nullptr;
    GameConfig Settings;
    std::unique_ptr<TagLibrary> Tags;
    Playlist SongDeck;
    CoverDeck CoverPictures;
    VideoDeck MusicVideos;
    SinglePlayerClock Single;

    std::array<Seat, 5> Seats;
    // Every change of each seat's score since it was last reset, the latest last.
    std::array<std::vector<int>, 5> ScoreChanges;
    int LastHighscoreRank = 0;
    RoundPhase Round = RoundPhase::Closed;
    int Answering = 0;
    ClueStage Clue = ClueStage::Hidden;
    int Points = 3;
    // The design's empty clock until the first round.
    QString ClockShown = QStringLiteral("00:00");
    int RoundClock = 0;
    int Ticks = 0;
    AnswerChoices Answers;
    QString Right;
    std::array<ChoiceLine, 5> Lines;
    int CurrentIndex = -1;
    int RoundsSinceCover = 0;
    bool VideoRound = false;
    bool Fresh = false;
    bool Running = false;
    bool NextOnStart = false;
    // How often the playlist has ended, so one press of Start ends it only once.
    int PlaylistEnds = 0;
    std::uint32_t Frame = 0x00FFFF;
    std::array<std::uint32_t, 6> Letters{};
    bool CoverOnScreen = false;
    std::array<bool, TileCount + 1> Tiles{};
    int OpenedTiles = 0;
    bool MiniCoverOnScreen = false;
    std::array<bool, 5> Masks{};
    QString HelpNotes;
    std::unique_ptr<VideoView> VideoPlayer;

    GameTimers TimerSet;
};

} // namespace harvoline
