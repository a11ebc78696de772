#pragma once

#include "app/controls.h"
#include "model/config/file_places.h"
#include "model/config/settings.h"
#include "model/input/controller_table.h"
#include "model/input/receiver_buttons.h"
#include "hid/hid_device_list.h"
#include "model/media/answer_list.h"
#include "model/media/song_tag.h"
#include "model/media/tag_library.h"
#include "model/errors.h"
#include "platform/platform.h"
#include "model/media/video_view.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStringList>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>
#include <vector>

namespace harvoline {

// The one window of the game. It owns every control and timer, and much of the game's
// state lives in the controls themselves. Arrays of alike controls are indexed by the
// seat or answer number, 1 to 4 (index 0 is unused).
class TfrmMain : public QWidget {
  public:
    explicit TfrmMain(Platform& platform, QWidget* parent = nullptr);
    ~TfrmMain() override;

    // Controls on the frame.
    TPanel* Rahmen;
    TImage* Background;
    TPanel* StatusBand;
    TImage* HVIcon;
    TLabel* Titel;
    TLabel* Anzahl;
    TLabel* Zeit;
    TLabel* Punkte;
    QFrame* Bevel1;
    TPanel* TimesUp;
    std::array<TLabel*, 5> Schatten{};
    std::array<TLabel*, 5> AnswerLabel{}; // Label1..Label4
    TLabel* Hilfe;
    TLabel* InfoText;
    QPushButton* EndHelp;
    TPanel* Info1;
    TPanel* Info2;
    TPanel* BuzzerPanel;
    TLabel* BuzzLabel;
    QPushButton* NoMoreBuzzers;
    TImage* MiniCover;
    std::array<TImage*, 5> MiniDeck{};
    TImage* Resize;

    // Controls on the window, above the frame.
    QPushButton* Start;
    std::array<TPanel*, 5> AnswerPanel{};       // APanel..DPanel
    std::array<QPushButton*, 5> AnswerButton{}; // A..D
    std::array<TPanel*, 5> PlayerP{};
    std::array<TImage*, 5> Image{};
    std::array<TLabel*, 5> Spieler{};
    std::array<QLineEdit*, 5> Edit{};
    std::array<TLabel*, 5> PlayerPunkte{}; // Punkte1..Punkte4
    std::array<TLabel*, 5> PlayerZeit{};   // Zeit1..Zeit4
    std::array<QPushButton*, 5> S{};
    std::array<TImage*, 5> Gitter{};
    TPanel* Info3Panel;
    TLabel* info3;
    TPanel* Info4Panel;
    TLabel* Info4;
    TPanel* CoverPanel;
    TImage* Cover;
    std::array<TPanel*, 65> Tile{}; // Panel1..Panel64

    QTimer* Timer1;
    QTimer* Timer2;
    QTimer* Timer3;
    QTimer* Timer4;
    QTimer* Timer5;
    QTimer* Timer6;

    // The buzzer receivers' HID devices; scans once the event loop runs.
    HidDeviceList* DeviceList;

    QMenu* Menu;
    QAction* Beenden1;
    QAction* LoadPlaylist;
    QAction* Einzelspieler1;
    QAction* Sprachen1;
    QAction* Hilfe1;
    QAction* Info;
    std::array<QIcon, 7> ImageList1;

    FileDialogRequest OpenSongs;
    FileDialogRequest OpenLang;
    FileDialogRequest OpenPicture;

    // The program's lists.
    SettingsLines Settings;
    QStringList LanguageTable;
    QStringList ErrorLog;
    QStringList SongList;
    QStringList CoverList;
    QStringList VideoList;
    // The folders the start-up found the covers and videos in.
    QString CoverFolder;
    QString VideoFolder;
    AnswerChoices AnswerList;

    bool FreshPlaylist = false;
    int RoundCounter = 0;
    int CoverInterval = 10;
    int SkipMs = 0;
    bool VideoRoundActive = false;
    int SingleGameTime = 0;
    bool SinglePlayerMode = false;
    QString PlaylistFolder;
    SongTag CurrentSongTag; // the tag of the song read last
    QString CorrectAnswer;
    int CurrentIndex = -1;
    int AnswerStage = 0;
    int PointsValue = 3;
    int CurrentPlayer = 0;
    // CurrentPlayer of a closed round: nobody may buzz until the next round starts.
    static constexpr int RoundClosed = 99;
    int RoundClock = 0;
    int AnswerTicks = 0;
    // How often the playlist has ended, so one press of Start ends it only once.
    int PlaylistEnds = 0;
    // A playlist is open and has not ended: rounds start, clocks run and players buzz.
    bool PlaylistRunning = false;
    std::unique_ptr<harvoline::VideoView> VideoView;
    bool VideosAvailable = false;
    QString HelpNotes; // what the start-up added to the help text about covers and videos
    // The video player is installed.
    bool VlcFound = false;
    // Timer5's own counter: the tiles opened so far in the current cover round.
    int Timer5Tag = 0;
    std::array<bool, 5> SavedPanelVisibility{};
    std::array<bool, 5> NameHintOn{false, true, true, true, true};
    std::array<bool, 5> PictureHintOn{false, true, true, true, true};

    // Start-up, layout and shutdown.
    void FormActivate();
    void FormResize();
    void FormClose();
    void HideStartHints();
    void Timer4Timer();
    void UpdateSongCount();
    void ClearAnswerLines();
    void ScanCovers();
    void DetectVideoSupport();
    void AddHelpNote(const QString& note);
    void PlaceCoverGrid();
    void ResetBuzzerTable();
    // After every change of DeviceList's device list, and once at start-up.
    void OnReceiversChanged();

    // Buzzer receivers in use, numbered by their place here. The device is DeviceList's, never
    // freed here. A receiver plugged in takes the place of one unplugged before, and with
    // it the bindings to that receiver's controllers.
    struct BuzzerReceiver {
        HidDevice* Device;
        ReceiverButtons Buttons;
    };
    std::vector<BuzzerReceiver> Receivers;
    // Indexed by player, 1 to 4.
    std::array<PlayerBuzzer, 5> BuzzerAssignment{};
    // The next player to bind; above 4 when all are bound.
    int AssignmentCursor = 1;
    void TakeReceiver(HidDevice& device);
    // Tells on the help page why a receiver that may not be read and written is not used.
    void NoteUnusableReceiver(HidDevice& device);
    void BuzzerData(HidDevice& HidDev, std::uint8_t ReportID, const std::uint8_t* Data,
                    std::uint16_t Size);
    // A button newly pressed on a controller of the receiver numbered receiver.
    void BindController(int receiver, const QString& key);
    void RedButtonPressed(int receiver, const QString& key);
    void AnswerButtonPressed(int receiver, const QString& key);
    // The player whose controller it is, 0 for none.
    int SeatBoundTo(int receiver, const QString& redKey) const;
    void NoMoreBuzzersClick();
    // Hides the panel and lets the quiz master go on.
    void EndAssignment();
    // The product string, else "Device VID=054C PID=1000"; empty when it cannot be read.
    static QString DescribeDevice(HidDevice& device);
    // On the receiver of the player's controller.
    void LightPlayerLamp(int seat);
    // On every receiver.
    void ClearLamps();
    QString BuzzerPrompt(int seat) const;

    // Title, icon and menu.
    void TitelMouseDown();
    void ResizeMouseDown();
    void TitelDblClick();
    void HVIconClick();
    void HVIconDblClick();
    void Beenden1Click();
    void LoadPlaylistClick();
    // False when the dialog was cancelled.
    bool OpenPlaylist();
    // A position in SongList that is none of the excluded ones, or -1 when none is left.
    int DrawSong(int e1 = -1, int e2 = -1, int e3 = -1);
    void StartSongRound();
    void EndPlaylist();
    // No round goes on: playback, the round's timers and the answer window stop, and nobody
    // can buzz until a playlist is opened again.
    void StopRounds();
    // Where a playlist entry's file is: beside the playlist, else as written.
    QString SongPath(const QString& entry) const;
    void CreateVideoView();
    void FreeVideoView();
    // Waits a few milliseconds at a time until done() holds or the time is up; tells
    // whether it held.
    bool WaitUntil(const std::function<bool()>& done, int boundMs);
    void NewRound();
    // The round display after a round has started, and the end of a playlist that the start
    // ran down to fewer songs than a round needs.
    void FinishRoundStart(int playlistEndsBefore);
    void Einzelspieler1Click();
    void Hilfe1Click();
    void InfoClick();
    void OpenTextPage();
    void EndHelpClick();
    void BackgroundClick();
    void StartClick();
    void SetPoints(int points);
    void Timer1Timer();
    void Timer2Timer();
    void Timer6Timer();
    void ShowNextClue();
    void RevealCover();
    void ShowAnswerButtons(bool visible);
    void ResetPlayerMarks();
    // False when no cover could be shown; the covers that failed to load are dropped.
    bool StartCoverRound();
    // A position in CoverList that is none of the excluded ones, or -1 with fewer than 6 covers.
    int DrawCover(int e1 = -1, int e2 = -1, int e3 = -1);
    // A position in VideoList, or -1 when it is empty.
    int DrawVideo();
    void Timer5Timer();
    // Cover rounds set the round counter to 0.
    bool IsCoverRound() const { return RoundCounter == 0; }

    // Buzzing in and answering.
    void BuzzIn(int seat);
    void Timer3Timer();
    void SubmitAnswer(int choice);
    bool IsRightAnswer(const QString& text) const;
    void RightAnswerGiven();
    void WrongAnswerGiven();
    void AnswerTimeUp();
    void MarkBuzzingPlayer(int seat);
    int Score(int seat) const;
    void AddScore(int seat, int points);
    // Seated at the table, even while a text page hides the panels.
    bool TakesPart(int seat) const;
    // Taking part and not locked out.
    bool IsOpenPlayer(int seat) const;
    bool PlayerAnswering() const { return CurrentPlayer >= 1 && CurrentPlayer <= 4; }
    // Start works unless a player answers, a text page is open or buzzers are being bound.
    void UpdateStartEnabled();
    void PausePlayback();
    // The song or video of the round plays on; when it cannot, the general error box says
    // why and the round goes on without it.
    void ResumePlayback();
    void EndAnswerWindow();
    void GoOnAfterFailedAnswer();
    // The answering player's turn ends without a judgement: the round plays on, open to
    // every player who is not locked out.
    void ReopenRound();
    // False when the video cannot be played.
    bool StartVideoRound();
    void CountSingleGameTime(int ms);
    // A single-player game has used some of its time but not all.
    bool SingleGameUnderWay() const;
    void EndSingleGame();

    // Player panels and the background picture.
    void SpielerDblClick(int seat);
    void EditExit(int seat);
    void EditKeyUp(int seat, int key);
    void ImageDblClick(int seat);
    void BackgroundDblClick();

    // Settings and language.
    void ReadSettings();
    void WriteSettings();
    void WriteErrorLog();
    void LoadDefaultSettings();
    void UseDefaultSettings();
    void LoadDefaultLanguage();
    void ApplyLanguage();
    void LoadLanguageFile(const QString& path);
    // Loads the language file, else the built-in texts; false when the file was not taken.
    bool TryLanguageFile(const QString& path);
    // The language of a first start; returns the path of the file it loaded, if any.
    QString LoadFirstLanguage();
    void Sprachen1Click();
    void ApplyHints(int seat);

    // The file the user picks; nothing when the dialog is cancelled or when the path holds a
    // line break, which the settings file could not keep.
    std::optional<QString> ChooseFile(const FileDialogRequest& request);

    QString LanguageEntry(int index) const { return LanguageTable.value(index); }
    QString SettingsPath() const;
    // A relative path is taken against the current folder.
    QString ResolvePath(const QString& path) const;
    bool StartupDone() const { return StartedUp; }

    // Song tags. The tag library is set up with the window and released with it; without
    // it the game reads ID3v1 records only.
    std::unique_ptr<TagLibrary> Tags;
    bool TagLibraryReady() const { return Tags != nullptr; }
    // Shows the picture stored in the song file in the image, or leaves the image hidden.
    void ShowEmbeddedPicture(const QString& path, TImage* image);

    // Runs an action from the event loop; an error it raises goes to the general error box.
    void Guarded(const std::function<void()>& action);

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Draws a song; the positions pointed at are excluded, and follow their songs when
    // entries before them are removed.
    int DrawTrackedSong(const std::array<int*, 3>& attached);
    void RemoveSongAt(int position, const std::array<int*, 3>& attached);
    // The positions pointed at follow their songs when the entry at the position is removed.
    void FollowRemoval(int position, const std::array<int*, 3>& attached);
    void TakeAnswerFromTag();
    // The double-clicks on names and pictures and the name editors' focus and keys;
    // true when the event is used up.
    bool PlayerPanelEvent(QObject* watched, QEvent* event);
    // The three steps of a video round's start; each tells whether it succeeded.
    bool LoadVideo(const QString& name);
    bool PlayVideo(const QString& name);
    bool FinishVideoStart();
    bool TryStartSongRound();
    void CreateControls();
    void CreatePlayerPanel(int seat);
    void CreateCoverPanel();
    void CreateMenu();
    void CreateTimers();
    void OpenMenuAt(const QPoint& globalPos);
    void DragWindow(const QPoint& globalPos);

    enum class Drag { None, PendingMove, Move, Size };

    Platform& Os;
    FilePlaces Places;
    bool StartedUp = false;
    bool Closed = false;
    bool SettingsRead = false;
    bool SettingsUnreadable = false;
    bool IconClickArmed = false;
    Drag DragMode = Drag::None;
    QPoint DragStart;
    QRect DragStartGeometry;
    QTimer* IconClickDelay;
};

} // namespace harvoline
