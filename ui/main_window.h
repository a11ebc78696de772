#pragma once

#include "model/game/game_screen.h"
#include "ui/content_scale.h"

#include <QIcon>
#include <QPoint>
#include <QRect>
#include <QTimer>
#include <QWidget>
#include <array>
#include <optional>

class QAction;
class QMenu;
class QPushButton;

namespace harvoline {

class AnswerBoardView;
class BuzzerInput;
class BuzzerSetupView;
class CaptionLabel;
class CoverView;
class FilledPanel;
class HelpView;
class MiniCoverView;
class PhonePanelView;
class PictureBox;
class Platform;
class QuizGame;
class SeatView;
class StandingsView;
class StartHints;
class StatusRowView;

// The one window of the game: a frameless frame that moves by its title and sizes by its
// grip, the icon's menu, the two text pages and the layout pass, over the views of the
// game's areas. It shows the game and hands the user's gestures on to it; the players'
// keys and buttons go to the inputs. Arrays by seat are indexed 1 to 4.
class MainWindow : public QWidget, public GameScreen {
    Q_OBJECT

  public:
    MainWindow(Platform& platform, QuizGame& game, const BuzzerInput& buzzers,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    FilledPanel* Frame;
    PictureBox* Background;
    FilledPanel* StatusBand;
    PictureBox* MenuIcon;
    CaptionLabel* TitleLabel;
    PictureBox* ResizeGrip;
    QPushButton* StartButton;

    StatusRowView* StatusRow;
    AnswerBoardView* AnswerBoard;
    HelpView* Help;
    BuzzerSetupView* BuzzerSetup;
    MiniCoverView* MiniCover;
    std::array<SeatView*, 5> Seats{};
    StartHints* Hints;
    CoverView* Cover;
    StandingsView* Standings;
    PhonePanelView* PhonePanel;

    QMenu* Menu;
    QAction* QuitAction;
    QAction* LoadPlaylistAction;
    QAction* SinglePlayerAction;
    QAction* LanguageAction;
    QAction* HelpAction;
    QAction* AboutAction;
    // The content grows with the window, for a TV; remembered in the options file.
    QAction* BigScreenAction;
    // Checked while phones can join; the session switches them.
    QAction* PhonesAction;
    // Shows the join panel again while phones can join.
    QAction* PhoneJoinAction;

    // What the start adds to the game's: the hint colour, the pictures the settings name,
    // and the layout.
    void StartUp();
    bool StartedUp() const { return Started; }
    void ApplyLayout();
    void SetBigScreen(bool on);
    void ToggleFullScreen();

    // Start and the playlist item work as the inputs' rules allow.
    void EnableStart(bool start, bool loadPlaylist);
    void HideStartHints();
    // A name editor is open on a seat that takes part.
    bool NameBeingEdited() const;

    // The text pages hide the seats and the background while one is open.
    bool TextPageOpen() const { return PageOpen; }
    void OpenHelp();
    void OpenAbout();
    void CloseTextPage();
    // The standings at the end of a playlist or of a single-player game.
    void OpenStandings();
    bool StandingsOpen() const;

    // The user's gestures.
    void EditName(int seat);
    void FinishNameEdit(int seat);
    void ChooseSeatPicture(int seat);
    void BackgroundDoubleClicked();
    void TitleDoubleClicked();
    void IconClicked();

    void ShowCover(const QString& path) override;
    bool ShowSongPicture(const EmbeddedPicture& picture) override;
    void ClearSongPicture() override;
    std::unique_ptr<VideoView> CreateVideoView() override;

  signals:
    void FirstShown();
    void Closing();
    void TextPageChanged();

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct ChosenPicture {
        QString Path;
        QImage Picture;
    };

    void CreateFrame();
    void CreateViews(const BuzzerInput& buzzers);
    void CreateMenu();
    void CreateBigScreenItem();
    // The controls' places at a window size; on the big screen, at the design size.
    void LayOut(const QSize& window);
    // The frame, the background and the status band fill the window's width on any scale.
    void PlaceLayers();
    void ConnectSeat(int seat);
    void ShowPicturesOfSettings();
    void ShowRoundColours();
    void ShowTexts();
    void ShowStartButton();
    void OpenTextPage();
    // The picture the user picks, or nothing when none was picked or it cannot be loaded;
    // in that case the user is told what failed.
    std::optional<ChosenPicture> PickPicture();
    // Runs a gesture's handling; an error it raises goes to the general error box.
    void Handle(const std::function<void()>& action);
    void TitlePressed();
    void GripPressed();
    void DragWindow(const QPoint& globalPos);
    void OpenMenuAt(const QPoint& globalPos);
    bool FrameMouseEvent(QObject* watched, QEvent* event);

    enum class Drag { None, PendingMove, Move, Size };

    Platform& Os;
    QuizGame& Game;
    std::array<QIcon, 7> MenuIcons;
    bool Started = false;
    bool PageOpen = false;
    bool IconClickArmed = false;
    Drag DragMode = Drag::None;
    QPoint DragStart;
    QRect DragStartGeometry;
    QTimer IconClickDelay;
    ContentScale Magnified;
};

} // namespace harvoline
