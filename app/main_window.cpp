#include "app/main_window.h"

#include "model/config/language.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QToolTip>
#include <exception>

namespace harvoline {

namespace {

QFont PixelFont(int pixels, bool bold = false) {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& caption,
                        const QRect& geometry, const QFont& font) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    button->setFont(font);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

TLabel* MakeLabel(QWidget* parent, const QString& name, const QPoint& pos, const QFont& font,
                  bool autoSize = true) {
    auto* label = new TLabel(parent, name, autoSize);
    label->setFont(font);
    label->move(pos);
    return label;
}

// Bars and a red cross over a dimmed panel: a locked-out player is seen across the room.
QImage LockOutPicture(const QSize& size) {
    QImage picture(size, QImage::Format_ARGB32_Premultiplied);
    picture.fill(QColor(0, 0, 0, 90));
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(40, 40, 40, 200), 6));
    for (int x = 14; x < size.width(); x += 27) {
        painter.drawLine(x, 0, x, size.height());
    }
    painter.setPen(QPen(QColor(255, 0, 0, 210), 14, Qt::SolidLine, Qt::RoundCap));
    const int margin = 30;
    painter.drawLine(margin, margin, size.width() - margin, size.height() - margin);
    painter.drawLine(size.width() - margin, margin, margin, size.height() - margin);
    return picture;
}

} // namespace

TfrmMain::TfrmMain(Platform& platform, QWidget* parent)
    : QWidget(parent), Os(platform), Places(ProgramFilePlaces(platform.ExecutableFolder())) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    // The buttons never take the focus; a click on them or on the frame gives it to the
    // window, so that an open name editor loses it and closes before the click acts.
    setFocusPolicy(Qt::ClickFocus);
    setFont(PixelFont(11));
    resize(800, 566);
    Os.SetOwner(this);
    Tags = Os.CreateTagLibrary();
    CreateControls();
    CreateMenu();
    CreateTimers();
    DeviceList = new HidDeviceList(Os.Hid(), this);
    DeviceList->SetChangeHandler(
        [this](HidDeviceList&) { Guarded([this] { OnReceiversChanged(); }); });
    IconClickDelay = new QTimer(this);
    IconClickDelay->setSingleShot(true);
    IconClickDelay->setInterval(QApplication::doubleClickInterval());
    connect(IconClickDelay, &QTimer::timeout, this, [this] { Guarded([this] { HVIconClick(); }); });
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

TfrmMain::~TfrmMain() {
    // Its readers stop while the window and its handlers are still whole.
    delete DeviceList;
    Os.SetOwner(nullptr);
}

void TfrmMain::CreateControls() {
    Rahmen = new TPanel(this, QStringLiteral("Rahmen"));
    Rahmen->setGeometry(rect());
    Rahmen->SetColor(Yellow);
    Rahmen->SetBevel(1, 2);

    Background = new TImage(Rahmen, QStringLiteral("Background"), TImage::Fit::Stretch);
    Background->setGeometry(3, 3, width() - 6, height() - 6);
    Background->SetPicture(QImage(QStringLiteral(":/background.png")));
    Background->installEventFilter(this);

    // A light strip keeps the status row readable on any background picture; it is part of
    // the background, so clicks go through it.
    StatusBand = new TPanel(Rahmen, QStringLiteral("StatusBand"));
    StatusBand->setGeometry(3, 194, width() - 6, 52);
    StatusBand->SetColor(0xF5EAEE);
    StatusBand->SetBevel(1, 0);
    StatusBand->setAttribute(Qt::WA_TransparentForMouseEvents);

    HVIcon = new TImage(Rahmen, QStringLiteral("HVIcon"), TImage::Fit::Plain);
    HVIcon->setGeometry(272, 4, 33, 33);
    HVIcon->SetPicture(QImage(QStringLiteral(":/icon.png")));
    HVIcon->installEventFilter(this);
    setWindowIcon(QIcon(QStringLiteral(":/icon.png")));

    QFont titleFont(QStringLiteral("Budmo Jiggler"));
    titleFont.setPixelSize(32);
    Titel = MakeLabel(Rahmen, QStringLiteral("Titel"), {312, 4}, titleFont);
    Titel->setAlignment(Qt::AlignCenter);
    Titel->SetFontColor(Yellow);
    Titel->installEventFilter(this);

    Anzahl = MakeLabel(Rahmen, QStringLiteral("Anzahl"), {0, 8}, font());
    Anzahl->SetFontColor(0xC0FFFF);

    Zeit = MakeLabel(Rahmen, QStringLiteral("Zeit"), {136, 206}, PixelFont(24));
    Zeit->SetCaption(QStringLiteral("00:00"));
    Punkte = MakeLabel(Rahmen, QStringLiteral("Punkte"), {240, 206}, PixelFont(24));

    Bevel1 = new QFrame(Rahmen);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Bevel1->setGeometry(360, 200, 433, 41);

    TimesUp = new TPanel(Rahmen, QStringLiteral("TimesUp"));
    TimesUp->setGeometry(360, 200, 321, 41);
    TimesUp->SetColor(MoneyGreen);
    TimesUp->hide();

    static const int answerTops[5] = {0, 34, 74, 114, 154};
    for (int i = 1; i <= 4; ++i) {
        Schatten[i] = MakeLabel(Rahmen, QStringLiteral("Schatten%1").arg(i),
                                {52, answerTops[i] + 2}, PixelFont(32));
        Schatten[i]->SetFontColor(Gray);
        AnswerLabel[i] =
            MakeLabel(Rahmen, QStringLiteral("Label%1").arg(i), {50, answerTops[i]}, PixelFont(32));
        AnswerLabel[i]->SetFontColor(Lime);
    }

    Hilfe = MakeLabel(Rahmen, QStringLiteral("Hilfe"), {18, 258}, PixelFont(13, true));
    Hilfe->SetFontColor(Lime);
    Hilfe->setWordWrap(true);
    Hilfe->SetCaption(DefaultHelpText());
    Hilfe->hide();
    InfoText = MakeLabel(Rahmen, QStringLiteral("InfoText"), {18, 258}, PixelFont(13, true));
    InfoText->SetFontColor(Lime);
    InfoText->setWordWrap(true);
    InfoText->hide();

    Info1 = new TPanel(Rahmen, QStringLiteral("Info1"));
    Info1->setGeometry(472, 32, 249, 22);
    Info1->SetColor(Yellow);
    Info2 = new TPanel(Rahmen, QStringLiteral("Info2"));
    Info2->setGeometry(88, 16, 193, 22);
    Info2->SetColor(Yellow);

    BuzzerPanel = new TPanel(Rahmen, QStringLiteral("BuzzerPanel"));
    BuzzerPanel->setGeometry(208, 130, 385, 73);
    BuzzerPanel->SetColor(MoneyGreen);
    BuzzerPanel->setFont(PixelFont(19));
    BuzzLabel = new TLabel(BuzzerPanel, QStringLiteral("BuzzLabel"), false);
    BuzzLabel->setGeometry(BuzzerPanel->rect());
    // From the top, so that the two lines of a prompt stand clear of the button below them.
    BuzzLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    BuzzLabel->setContentsMargins(0, 2, 0, 0);
    BuzzLabel->setWordWrap(true);
    BuzzLabel->SetCaption(QStringLiteral("Buzzer!\nBitte Roten Knopf für Spieler 1 drücken..."));
    NoMoreBuzzers = MakeButton(BuzzerPanel, QStringLiteral("NoMoreBuzzers"),
                               QStringLiteral("Abbruch"), {312, 48, 70, 20}, font());
    connect(NoMoreBuzzers, &QPushButton::clicked, this,
            [this] { Guarded([this] { NoMoreBuzzersClick(); }); });
    BuzzerPanel->hide();

    MiniCover = new TImage(Rahmen, QStringLiteral("MiniCover"), TImage::Fit::Proportional);
    MiniCover->setGeometry(632, 34, 161, 161);
    MiniCover->hide();
    for (int i = 1; i <= 4; ++i) {
        MiniDeck[i] =
            new TImage(Rahmen, QStringLiteral("MiniDeck%1").arg(i), TImage::Fit::Proportional);
        MiniDeck[i]->setGeometry(MiniCover->geometry());
        MiniDeck[i]->SetPicture(QImage(QStringLiteral(":/mask%1.png").arg(i)));
        MiniDeck[i]->hide();
    }

    EndHelp = MakeButton(Rahmen, QStringLiteral("EndHelp"), QStringLiteral("Ok"),
                         {746, 519, 49, 43}, PixelFont(24));
    EndHelp->hide();
    connect(EndHelp, &QPushButton::clicked, this, [this] { Guarded([this] { EndHelpClick(); }); });

    Resize = new TImage(Rahmen, QStringLiteral("Resize"), TImage::Fit::Plain);
    Resize->setGeometry(782, 548, 16, 16);
    Resize->SetPicture(QImage(QStringLiteral(":/grip.png")));
    Resize->setCursor(Qt::SizeAllCursor);
    Resize->installEventFilter(this);

    Start = MakeButton(this, QStringLiteral("Start"), QStringLiteral("Start"), {8, 200, 113, 43},
                       PixelFont(24));
    connect(Start, &QPushButton::clicked, this, [this] { Guarded([this] { StartClick(); }); });

    static const std::uint32_t answerColours[5] = {0, 0xFF8000, 0x0080FF, 0x40FF00, Yellow};
    for (int i = 1; i <= 4; ++i) {
        const QString letter(QChar(u'A' + i - 1));
        AnswerPanel[i] = new TPanel(this, letter + QStringLiteral("Panel"));
        AnswerPanel[i]->setGeometry(8, answerTops[i], 37, 37);
        AnswerPanel[i]->SetColor(answerColours[i]);
        AnswerButton[i] = MakeButton(AnswerPanel[i], letter, QStringLiteral("&%1").arg(i),
                                     {3, 3, 30, 30}, PixelFont(24, true));
        connect(AnswerButton[i], &QPushButton::clicked, this,
                [this, i] { Guarded([this, i] { SubmitAnswer(i); }); });
        AnswerPanel[i]->hide();
    }

    for (int seat = 1; seat <= 4; ++seat) {
        CreatePlayerPanel(seat);
    }
    for (TPanel* hint : {Info1, Info2, Info3Panel, Info4Panel}) {
        hint->installEventFilter(this);
    }
    CreateCoverPanel();
}

void TfrmMain::CreatePlayerPanel(int seat) {
    static const char* const buzzCaptions[5] = {"", "&Q", "&Y", "&M", "&P"};
    auto* panel = new TPanel(this, QStringLiteral("PlayerP%1").arg(seat));
    PlayerP[seat] = panel;
    panel->setGeometry(5 + 200 * (seat - 1), 248, 190, 313);
    panel->SetColor(MoneyGreen);

    Image[seat] =
        new TImage(panel, QStringLiteral("Image%1").arg(seat), TImage::Fit::CentreShrinkOnly);
    Image[seat]->setGeometry(10, 10, 170, 230);
    Image[seat]->SetPicture(QImage(QStringLiteral(":/player%1.png").arg(seat)));
    Image[seat]->installEventFilter(this);

    Spieler[seat] =
        MakeLabel(panel, QStringLiteral("Spieler%1").arg(seat), {10, 240}, PixelFont(24), false);
    Spieler[seat]->resize(135, 29);
    Spieler[seat]->installEventFilter(this);

    Edit[seat] = new QLineEdit(panel);
    Edit[seat]->setObjectName(QStringLiteral("Edit%1").arg(seat));
    Edit[seat]->setGeometry(10, 240, 135, 37);
    Edit[seat]->setFont(PixelFont(24));
    Edit[seat]->hide();
    Edit[seat]->installEventFilter(this);

    PlayerPunkte[seat] =
        MakeLabel(panel, QStringLiteral("Punkte%1").arg(seat), {10, 278}, PixelFont(24));
    PlayerPunkte[seat]->SetCaption(QStringLiteral("0"));
    PlayerZeit[seat] =
        MakeLabel(panel, QStringLiteral("Zeit%1").arg(seat), {88, 278}, PixelFont(24));
    PlayerZeit[seat]->SetCaption(QStringLiteral("1:00:00"));

    S[seat] =
        MakeButton(panel, QStringLiteral("S%1").arg(seat), QString::fromLatin1(buzzCaptions[seat]),
                   {144, 240, 37, 37}, PixelFont(24, true));
    S[seat]->setEnabled(false);
    connect(S[seat], &QPushButton::clicked, this,
            [this, seat] { Guarded([this, seat] { BuzzIn(seat); }); });

    Gitter[seat] = new TImage(panel, QStringLiteral("Gitter%1").arg(seat), TImage::Fit::Plain);
    Gitter[seat]->setGeometry(panel->rect());
    Gitter[seat]->SetPicture(LockOutPicture(panel->size()));
    Gitter[seat]->setAttribute(Qt::WA_TransparentForMouseEvents);
    Gitter[seat]->hide();

    if (seat == 3) {
        Info3Panel = new TPanel(panel, QStringLiteral("Info3Panel"));
        Info3Panel->setGeometry(13, 96, 172, 28);
        Info3Panel->SetColor(Yellow);
        info3 = new TLabel(Info3Panel, QStringLiteral("info3"), false);
        Info4Panel = new TPanel(panel, QStringLiteral("Info4Panel"));
        Info4Panel->setGeometry(0, 264, 193, 33);
        Info4Panel->SetColor(Yellow);
        Info4 = new TLabel(Info4Panel, QStringLiteral("Info4"), false);
        for (TLabel* hint : {info3, Info4}) {
            hint->setGeometry(hint->parentWidget()->rect());
            hint->setAlignment(Qt::AlignCenter);
            hint->setWordWrap(true);
        }
    }
}

void TfrmMain::CreateCoverPanel() {
    CoverPanel = new TPanel(this, QStringLiteral("CoverPanel"));
    CoverPanel->setGeometry(120, 0, 566, 566);
    CoverPanel->SetColor(Yellow);
    CoverPanel->SetBevel(0, 2);
    Cover = new TImage(CoverPanel, QStringLiteral("Cover"), TImage::Fit::CentreShrinkOnly);
    static const QString letters = QStringLiteral("COVER!");
    for (int n = 1; n <= 64; ++n) {
        Tile[n] = new TPanel(CoverPanel, QStringLiteral("Panel%1").arg(n));
        Tile[n]->SetColor(Yellow);
        if (n >= 18 && n <= 23) {
            Tile[n]->setFont(PixelFont(48, true));
            Tile[n]->SetCaption(letters.mid(n - 18, 1));
        }
    }
    PlaceCoverGrid();
    CoverPanel->hide();
}

// The picture and its 8 by 8 tiles fill the panel's inside: 70-pixel tiles at the panel's
// design size, smaller ones when the layout shrinks the panel to fit a low window.
void TfrmMain::PlaceCoverGrid() {
    const int inside = CoverPanel->width() - 6;
    Cover->setGeometry(3, 3, inside, inside);
    const auto edge = [inside](int step) { return 3 + inside * step / 8; };
    for (int n = 1; n <= 64; ++n) {
        const int column = (n - 1) % 8;
        const int row = (n - 1) / 8;
        Tile[n]->setGeometry(QRect(QPoint(edge(column), edge(row)),
                                   QPoint(edge(column + 1) - 1, edge(row + 1) - 1)));
    }
}

void TfrmMain::CreateMenu() {
    for (int i = 0; i < 7; ++i) {
        ImageList1[i] = QIcon(QStringLiteral(":/menu%1.png").arg(i));
    }
    Menu = new QMenu(this);
    Menu->setObjectName(QStringLiteral("Menu"));
    auto add = [this](const QString& name, int icon, void (TfrmMain::*handler)()) {
        QAction* action = Menu->addAction(ImageList1[icon], QString());
        action->setObjectName(name);
        connect(action, &QAction::triggered, this,
                [this, handler] { Guarded([this, handler] { (this->*handler)(); }); });
        return action;
    };
    Beenden1 = add(QStringLiteral("Beenden1"), 0, &TfrmMain::Beenden1Click);
    Menu->addSeparator();
    LoadPlaylist = add(QStringLiteral("LoadPlaylist"), 1, &TfrmMain::LoadPlaylistClick);
    Einzelspieler1 = add(QStringLiteral("Einzelspieler1"), 5, &TfrmMain::Einzelspieler1Click);
    Menu->addSeparator();
    Sprachen1 = add(QStringLiteral("Sprachen1"), 6, &TfrmMain::Sprachen1Click);
    Menu->addSeparator();
    Hilfe1 = add(QStringLiteral("Hilfe1"), 3, &TfrmMain::Hilfe1Click);
    Info = add(QStringLiteral("Info"), 4, &TfrmMain::InfoClick);
}

void TfrmMain::CreateTimers() {
    const std::array<QTimer**, 6> timers = {&Timer1, &Timer2, &Timer3, &Timer4, &Timer5, &Timer6};
    const std::array<int, 6> intervals = {10000, 10, 20, 15000, 750, 1500};
    for (int i = 0; i < 6; ++i) {
        auto* timer = new QTimer(this);
        timer->setObjectName(QStringLiteral("Timer%1").arg(i + 1));
        timer->setInterval(intervals[i]);
        *timers[i] = timer;
    }
    Timer2->setTimerType(Qt::PreciseTimer);
    Timer3->setTimerType(Qt::PreciseTimer);
    connect(Timer1, &QTimer::timeout, this, [this] { Guarded([this] { Timer1Timer(); }); });
    connect(Timer3, &QTimer::timeout, this, [this] { Guarded([this] { Timer3Timer(); }); });
    connect(Timer2, &QTimer::timeout, this, [this] { Guarded([this] { Timer2Timer(); }); });
    connect(Timer4, &QTimer::timeout, this, [this] { Guarded([this] { Timer4Timer(); }); });
    connect(Timer5, &QTimer::timeout, this, [this] { Guarded([this] { Timer5Timer(); }); });
    connect(Timer6, &QTimer::timeout, this, [this] { Guarded([this] { Timer6Timer(); }); });
    Timer4->start();
}

void TfrmMain::Guarded(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& error) {
        Os.ShowError(QString::fromStdString(error.what()));
    }
}

void TfrmMain::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!StartedUp) {
        Guarded([this] { FormActivate(); });
    }
}

void TfrmMain::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Rahmen->setGeometry(rect());
    Background->setGeometry(3, 3, width() - 6, height() - 6);
    StatusBand->resize(width() - 6, StatusBand->height());
    if (StartedUp) {
        Guarded([this] { FormResize(); });
    }
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    Guarded([this] { FormClose(); });
    event->accept();
}

void TfrmMain::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (IsShown(Start) && IsEnabledFlag(Start)) {
            Start->click();
        }
        return;
    case Qt::Key_Escape:
        if (IsShown(EndHelp)) {
            EndHelp->click();
        } else if (IsShown(BuzzerPanel) && IsShown(NoMoreBuzzers)) {
            NoMoreBuzzers->click();
        }
        return;
    default:
        break;
    }
    // The players' letters and the answer digits work without Alt; a name editor with
    // the focus takes them as text before they get here.
    static const std::array<std::pair<int, int>, 4> buzzKeys = {
        {{Qt::Key_Q, 1}, {Qt::Key_Y, 2}, {Qt::Key_M, 3}, {Qt::Key_P, 4}}};
    QPushButton* button = nullptr;
    for (const auto& [key, seat] : buzzKeys) {
        if (event->key() == key) {
            button = S[seat];
        }
    }
    if (event->key() >= Qt::Key_1 && event->key() <= Qt::Key_4) {
        button = AnswerButton[event->key() - Qt::Key_1 + 1];
    }
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (button == nullptr || !plain) {
        QWidget::keyPressEvent(event);
        return;
    }
    // A button hidden with its panel ignores its key too.
    if (!event->isAutoRepeat() && button->isVisibleTo(this) && button->isEnabledTo(this)) {
        button->click();
    }
}

} // namespace harvoline
