// The window's controls and views, its start, the layout pass, the texts of the language
// and the screen the game shows its pictures and videos on.
#include "ui/main_window.h"

#include "model/errors.h"
#include "model/game/quiz_game.h"
#include "model/game/report_errors.h"
#include "model/media/video_view.h"
#include "platform/platform.h"
#include "ui/answer_board_view.h"
#include "ui/buzzer_setup_view.h"
#include "ui/cover_view.h"
#include "ui/help_view.h"
#include "ui/layout.h"
#include "ui/mini_cover_view.h"
#include "ui/party_texts.h"
#include "ui/phone_panel_view.h"
#include "ui/seat_view.h"
#include "ui/standings_view.h"
#include "ui/start_hints.h"
#include "ui/status_row_view.h"
#include "ui/widgets/colours.h"
#include "ui/widgets/filled_panel.h"
#include "ui/widgets/make_controls.h"
#include "ui/widgets/picture_box.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QFrame>
#include <QMenu>
#include <QScreen>
#include <QShortcut>

namespace harvoline {

namespace {

constexpr const char* BigScreenOption = "big-screen";

bool FileExists(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isFile();
}

// A picture that cannot be loaded leaves the box as it is; why goes into the failures.
void ShowPictureFile(Platform& os, PictureBox* box, const QString& path, QStringList& failures) {
    if (!FileExists(path)) {
        return;
    }
    try {
        box->SetPicture(os.LoadPicture(path));
    } catch (const HarvolineError& error) {
        failures.append(QString::fromUtf8(error.what()));
    }
}

} // namespace

MainWindow::MainWindow(Platform& platform, QuizGame& game, const BuzzerInput& buzzers,
                       QWidget* parent)
    : QWidget(parent), Os(platform), Game(game) {
    setObjectName(QStringLiteral("MainWindow"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    // The buttons never take the focus; a click on them or on the frame gives it to the
    // window, so that an open name editor loses it and closes before the click acts.
    setFocusPolicy(Qt::ClickFocus);
    setFont(PixelFont(11));
    resize(800, 566);
    Os.SetOwner(this);
    CreateFrame();
    CreateViews(buzzers);
    CreateMenu();
    IconClickDelay.setSingleShot(true);
    IconClickDelay.setInterval(QApplication::doubleClickInterval());
    connect(&IconClickDelay, &QTimer::timeout, this, [this] { Handle([this] { IconClicked(); }); });
    connect(&Game, &QuizGame::RoundColoursDrawn, this, &MainWindow::ShowRoundColours);
    connect(&Game, &QuizGame::LanguageChanged, this, &MainWindow::ShowTexts);
    connect(&Game, &QuizGame::PhaseChanged, this, &MainWindow::ShowStartButton);
    connect(&Game, &QuizGame::PlaylistEnded, this, &MainWindow::OpenStandings);
    connect(&Game, &QuizGame::SingleGameEnded, this, &MainWindow::OpenStandings);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

MainWindow::~MainWindow() {
    Os.SetOwner(nullptr);
}

void MainWindow::CreateFrame() {
    Frame = new FilledPanel(this, QStringLiteral("Frame"));
    Frame->setGeometry(rect());
    Frame->SetColor(Yellow);
    Frame->SetBevel(1, 2);

    Background = new PictureBox(Frame, QStringLiteral("Background"), PictureBox::Fit::Stretch);
    Background->setGeometry(3, 3, width() - 6, height() - 6);
    Background->SetPicture(QImage(QStringLiteral(":/background.png")));
    Background->installEventFilter(this);

    // A light strip keeps the status row readable on any background picture; it is part of
    // the background, so clicks go through it.
    StatusBand = new FilledPanel(Frame, QStringLiteral("StatusBand"));
    StatusBand->setGeometry(3, 194, width() - 6, 52);
    StatusBand->SetColor(0xF5EAEE);
    StatusBand->SetBevel(1, 0);
    StatusBand->setAttribute(Qt::WA_TransparentForMouseEvents);

    MenuIcon = new PictureBox(Frame, QStringLiteral("MenuIcon"), PictureBox::Fit::Plain);
    MenuIcon->setGeometry(272, 4, 33, 33);
    MenuIcon->SetPicture(QImage(QStringLiteral(":/icon.png")));
    MenuIcon->installEventFilter(this);
    setWindowIcon(QIcon(QStringLiteral(":/icon.png")));

    QFont titleFont(QStringLiteral("Budmo Jiggler"));
    titleFont.setPixelSize(32);
    TitleLabel = MakeLabel(Frame, QStringLiteral("TitleLabel"), {312, 4}, titleFont);
    TitleLabel->setAlignment(Qt::AlignCenter);
    TitleLabel->SetFontColor(Yellow);
    TitleLabel->installEventFilter(this);
}

// In the order their controls overlap: later ones lie above earlier ones.
void MainWindow::CreateViews(const BuzzerInput& buzzers) {
    StatusRow = new StatusRowView(Game, Frame);
    AnswerBoard = new AnswerBoardView(Game, Frame, this);
    Help = new HelpView(Game, Frame);
    BuzzerSetup = new BuzzerSetupView(Game, buzzers, Frame);
    MiniCover = new MiniCoverView(Game, Frame);
    Standings = new StandingsView(Game, Frame);
    Help->CloseHelpButton->raise();
    connect(Help->CloseHelpButton, &QPushButton::clicked, this,
            [this] { Handle([this] { CloseTextPage(); }); });

    ResizeGrip = new PictureBox(Frame, QStringLiteral("ResizeGrip"), PictureBox::Fit::Plain);
    ResizeGrip->setGeometry(782, 548, 16, 16);
    ResizeGrip->SetPicture(QImage(QStringLiteral(":/grip.png")));
    ResizeGrip->setCursor(Qt::SizeAllCursor);
    ResizeGrip->installEventFilter(this);

    StartButton = MakeButton(this, QStringLiteral("StartButton"), QStringLiteral("Start"),
                             {8, 200, 113, 43}, PixelFont(24));
    for (int seat = 1; seat <= 4; ++seat) {
        Seats[seat] = new SeatView(Game, seat, this);
        ConnectSeat(seat);
    }
    Hints = new StartHints(Game, Frame, Seats[3]->Panel);
    Hints->TitleHint->stackUnder(BuzzerSetup->BuzzerSetupPanel);
    Hints->MenuHint->stackUnder(BuzzerSetup->BuzzerSetupPanel);
    Cover = new CoverView(Game, this);
    PhonePanel = new PhonePanelView(Game, this);
}

void MainWindow::ConnectSeat(int seat) {
    const SeatView* view = Seats[seat];
    connect(view, &SeatView::NameDoubleClicked, this,
            [this](int which) { Handle([this, which] { EditName(which); }); });
    connect(view, &SeatView::PictureDoubleClicked, this,
            [this](int which) { Handle([this, which] { ChooseSeatPicture(which); }); });
    connect(view, &SeatView::NameEditFinished, this,
            [this](int which) { Handle([this, which] { FinishNameEdit(which); }); });
    connect(view, &SeatView::ScoreCorrected, this, [this](int which, int points) {
        Handle([this, which, points] { Game.CorrectScore(which, points); });
    });
    connect(view, &SeatView::ScoreChangeUndone, this,
            [this](int which) { Handle([this, which] { Game.UndoScoreChange(which); }); });
}

void MainWindow::CreateMenu() {
    for (int i = 0; i < 7; ++i) {
        MenuIcons[i] = QIcon(QStringLiteral(":/menu%1.png").arg(i));
    }
    Menu = new QMenu(this);
    Menu->setObjectName(QStringLiteral("Menu"));
    auto add = [this](const QString& name, int icon, const std::function<void()>& chosen) {
        QAction* action = Menu->addAction(MenuIcons[icon], QString());
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, [this, chosen] { Handle(chosen); });
        return action;
    };
    QuitAction = add(QStringLiteral("QuitAction"), 0, [this] { close(); });
    Menu->addSeparator();
    LoadPlaylistAction =
        add(QStringLiteral("LoadPlaylistAction"), 1, [this] { Game.LoadPlaylist(); });
    SinglePlayerAction =
        add(QStringLiteral("SinglePlayerAction"), 5, [this] { Game.StartSinglePlayer(); });
    Menu->addSeparator();
    LanguageAction =
        add(QStringLiteral("LanguageAction"), 6, [this] { Game.Config().ChooseLanguage(); });
    PhonesAction = add(QStringLiteral("PhonesAction"), 2, [] {});
    PhonesAction->setCheckable(true);
    PhoneJoinAction = add(QStringLiteral("PhoneJoinAction"), 2, [] {});
    PhoneJoinAction->setEnabled(false);
    Menu->addSeparator();
    HelpAction = add(QStringLiteral("HelpAction"), 3, [this] { OpenHelp(); });
    AboutAction = add(QStringLiteral("AboutAction"), 4, [this] { OpenAbout(); });
    CreateBigScreenItem();
}

void MainWindow::CreateBigScreenItem() {
    Menu->addSeparator();
    BigScreenAction = Menu->addAction(QString());
    BigScreenAction->setObjectName(QStringLiteral("BigScreenAction"));
    BigScreenAction->setCheckable(true);
    connect(BigScreenAction, &QAction::toggled, this,
            [this](bool on) { Handle([this, on] { SetBigScreen(on); }); });
    auto* fullScreen = new QShortcut(QKeySequence(Qt::Key_F11), this);
    connect(fullScreen, &QShortcut::activated, this,
            [this] { Handle([this] { ToggleFullScreen(); }); });
}

void MainWindow::SetBigScreen(bool on) {
    if (Started) {
        ApplyLayout();
    }
    Game.Config().Options().SetFlag(QString::fromLatin1(BigScreenOption), on);
}

void MainWindow::ToggleFullScreen() {
    if (isFullScreen()) {
        showNormal();
    } else {
        showFullScreen();
    }
}

void MainWindow::Handle(const std::function<void()>& action) {
    ReportErrors(Os, action);
}

// Start, layout and the game's pictures ------------------------------------------------------

void MainWindow::StartUp() {
    Started = true;
    Hints->UseHintColour();
    StatusRow->ApplyClockColour();
    ShowPicturesOfSettings();
    {
        const QSignalBlocker quiet(BigScreenAction);
        BigScreenAction->setChecked(
            Game.Config().Options().Flag(QString::fromLatin1(BigScreenOption), false));
    }
    ApplyLayout();
    MiniCover->PrepareMasks();
}

// A damaged picture costs its own place only; the names, the other pictures and the
// highscores are kept.
void MainWindow::ShowPicturesOfSettings() {
    const std::optional<SeatSettings>& stored = Game.Config().Seats();
    if (!stored) {
        return;
    }
    QStringList unreadable;
    ShowPictureFile(Os, Background, stored->Background, unreadable);
    const QString nameLabel = Game.Config().Text(1);
    for (int seat = 1; seat <= 4; ++seat) {
        const PlayerLine& player = stored->Players[seat];
        ShowPictureFile(Os, Seats[seat]->Picture, Game.Config().ResolvePath(player.PicturePath),
                        unreadable);
        Seats[seat]->NameHintOn = player.Name.contains(nameLabel);
        Seats[seat]->PictureHintOn = player.PicturePath.contains(nameLabel);
        Seats[seat]->ApplyHints();
    }
    if (!unreadable.isEmpty()) {
        Os.ShowMessage(QStringLiteral("These pictures cannot be shown, so the built-in ones "
                                      "stay in their place:\n\n") +
                       unreadable.join(u'\n'));
    }
}

// On the big screen the controls are laid out at the design size and then magnified as one
// picture, so that every size shows the same arrangement.
void MainWindow::ApplyLayout() {
    RestoreDesign(this);
    Magnified = BigScreenAction->isChecked() ? ContentScale::For(size()) : ContentScale{};
    if (Magnified.IsIdentity()) {
        LayOut(size());
    } else {
        LayOut(ContentScale::DesignSize);
        ScaleContent(this, Magnified, {Frame, Background, StatusBand});
        // The grip stays in the window's corner, where a hand looks for it.
        ResizeGrip->move(width() - ResizeGrip->width() - 2, height() - ResizeGrip->height() - 2);
        AnswerBoard->FitLines(MiniCover->MiniCover->x(), Magnified.Factor);
        StatusRow->ShowSongCount();
        StatusRow->ShowTimeLeft();
    }
    PlaceLayers();
}

void MainWindow::PlaceLayers() {
    Frame->setGeometry(rect());
    Background->setGeometry(3, 3, width() - 6, height() - 6);
    const QRect band = Magnified.Map(QRect(3, 194, ContentScale::DesignSize.width() - 6, 52));
    StatusBand->setGeometry(3, band.y(), width() - 6, band.height());
}

void MainWindow::LayOut(const QSize& window) {
    LayoutInput in;
    in.Window = window;
    in.TitleWidth = TitleLabel->width();
    in.TitleHeight = TitleLabel->height();
    in.AnswerTrackLeft = StatusRow->AnswerTimeTrack->x();
    in.SeatPanel = Seats[1]->Panel->size();
    in.CoverPanelSize = Cover->CoverPanel->height();
    in.AnswerBarTop = StatusRow->AnswerTimeBar->y();
    in.AnswerBarHeight = StatusRow->AnswerTimeBar->height();
    in.BuzzerSetupPanel = BuzzerSetup->BuzzerSetupPanel->size();
    in.MiniCoverWidth = MiniCover->MiniCover->width();
    const LayoutResult out = ComputeLayout(in);

    TitleLabel->move(out.TitleLeft, TitleLabel->y());
    MenuIcon->move(out.MenuIconLeft, MenuIcon->y());
    StatusRow->AnswerTimeTrack->resize(out.AnswerTrackWidth, StatusRow->AnswerTimeTrack->height());
    for (int seat = 1; seat <= 4; ++seat) {
        Seats[seat]->Panel->move(out.SeatLefts[seat - 1], out.SeatTop);
    }
    Cover->CoverPanel->setGeometry(
        QRect(out.CoverPanelPos, QSize(out.CoverPanelSize, out.CoverPanelSize)));
    Cover->PlaceGrid();
    BuzzerSetup->BuzzerSetupPanel->move(out.BuzzerSetupPos);
    MiniCover->MoveTo(out.MiniCoverLeft);
    AnswerBoard->FitLines(MiniCover->MiniCover->x(), 1.0);
    ResizeGrip->move(out.ResizeGripPos);
    Help->FitPages(window.width());
    StatusRow->ShowSongCount();
    StatusRow->ShowTimeLeft();
    PhonePanel->Place(window);
}

void MainWindow::ShowRoundColours() {
    const std::uint32_t colour = Game.FrameColour();
    TitleLabel->SetFontColor(colour);
    Frame->SetColor(colour);
}

void MainWindow::ShowTexts() {
    const GameConfig& config = Game.Config();
    setWindowTitle(config.Text(0));
    QuitAction->setText(config.Text(25));
    LoadPlaylistAction->setText(config.Text(26));
    SinglePlayerAction->setText(config.Text(27));
    LanguageAction->setText(config.Text(28));
    HelpAction->setText(config.Text(30));
    AboutAction->setText(config.Text(31));
    BigScreenAction->setText(config.Text(BigScreenText));
    PhonesAction->setText(config.Text(PhonesMenuText));
    PhoneJoinAction->setText(config.Text(PhonesShowJoinText));
    TitleLabel->SetCaption(windowTitle());
    ShowStartButton();
}

void MainWindow::ShowStartButton() {
    StartButton->setText(Game.Config().Text(Game.StartMeansNext() ? 4 : 5));
}

void MainWindow::EnableStart(bool start, bool loadPlaylist) {
    StartButton->setEnabled(start);
    LoadPlaylistAction->setEnabled(loadPlaylist);
}

void MainWindow::HideStartHints() {
    Hints->Hide();
}

bool MainWindow::NameBeingEdited() const {
    for (int seat = 1; seat <= 4; ++seat) {
        if (Seats[seat]->EditingName() && Game.TakesPart(seat)) {
            return true;
        }
    }
    return false;
}

void MainWindow::ShowCover(const QString& path) {
    Cover->SetPicture(Os.LoadPicture(path));
}

bool MainWindow::ShowSongPicture(const EmbeddedPicture& picture) {
    return MiniCover->ShowPicture(picture);
}

void MainWindow::ClearSongPicture() {
    MiniCover->ClearPicture();
}

// Centred below the answer bar, over the seats it overlaps.
std::unique_ptr<VideoView> MainWindow::CreateVideoView() {
    const QRect bar = DesignGeometry(StatusRow->AnswerTimeBar);
    const int across = Magnified.IsIdentity() ? width() : ContentScale::DesignSize.width();
    return Os.CreateVideoView(this,
                              Magnified.Map(QRect((across - 505) / 2, bar.bottom() + 3, 505, 321)));
}

// Text pages --------------------------------------------------------------------------------

void MainWindow::OpenTextPage() {
    Help->HidePages();
    Standings->Hide();
    if (PageOpen) {
        return;
    }
    PageOpen = true;
    for (int seat = 1; seat <= 4; ++seat) {
        Seats[seat]->SetCoveredByPage(true);
    }
    Background->setEnabled(false);
    Help->CloseHelpButton->show();
    emit TextPageChanged();
}

void MainWindow::OpenHelp() {
    OpenTextPage();
    Help->ShowHelp();
}

void MainWindow::OpenAbout() {
    OpenTextPage();
    Help->ShowAbout();
}

void MainWindow::CloseTextPage() {
    Help->HidePages();
    Standings->Hide();
    Help->CloseHelpButton->hide();
    PageOpen = false;
    for (int seat = 1; seat <= 4; ++seat) {
        Seats[seat]->SetCoveredByPage(false);
    }
    Background->setEnabled(true);
    emit TextPageChanged();
}

void MainWindow::OpenStandings() {
    OpenTextPage();
    if (Game.SingleGame().SinglePlayer) {
        Standings->ShowSingleResult(Seats[1]->Picture->Picture());
        return;
    }
    std::array<QImage, 5> pictures;
    for (int seat = 1; seat <= 4; ++seat) {
        pictures[seat] = Seats[seat]->Picture->Picture();
    }
    Standings->ShowStandings(pictures);
}

bool MainWindow::StandingsOpen() const {
    return Standings->IsOpen();
}

} // namespace harvoline
