#include "ui/standings_view.h"

#include "model/config/settings.h"
#include "model/game/quiz_game.h"
#include "ui/party_texts.h"
#include "ui/widgets/colours.h"
#include "ui/widgets/make_controls.h"
#include "ui/widgets/picture_box.h"

namespace harvoline {

namespace {

// The page lies where the seats stand, left of the Ok button.
constexpr QRect PageArea{18, 250, 720, 310};
constexpr int FirstRowTop = 44;
constexpr int RowHeight = 64;
constexpr int PictureWidth = 44;
constexpr int NameLeft = 56;
constexpr int ScoreLeft = 396;
constexpr int TimeLeft = 466;
constexpr int MarkLeft = 580;
constexpr int TextDrop = 14;

CaptionLabel* MakeRowText(QWidget* page, const QString& name, int left, int top) {
    CaptionLabel* label = MakeLabel(page, name, {left, top + TextDrop}, PixelFont(24));
    label->SetFontColor(Lime);
    return label;
}

} // namespace

StandingsView::StandingsView(const QuizGame& game, QWidget* frame) : QObject(frame), Game(game) {
    Page = new QWidget(frame);
    Page->setObjectName(QStringLiteral("StandingsPage"));
    Page->setGeometry(PageArea);
    Title = MakeLabel(Page, QStringLiteral("StandingsTitle"), {0, 0}, PixelFont(32, true));
    Title->SetFontColor(Yellow);
    for (int row = 1; row <= 4; ++row) {
        const int top = FirstRowTop + (row - 1) * RowHeight;
        RowPictures[row] = new PictureBox(Page, QStringLiteral("StandingsPicture%1").arg(row),
                                          PictureBox::Fit::Proportional);
        RowPictures[row]->setGeometry(0, top, PictureWidth, RowHeight - 4);
        RowNames[row] =
            MakeRowText(Page, QStringLiteral("StandingsName%1").arg(row), NameLeft, top);
        RowScores[row] =
            MakeRowText(Page, QStringLiteral("StandingsScore%1").arg(row), ScoreLeft, top);
        RowTimes[row] =
            MakeRowText(Page, QStringLiteral("StandingsTime%1").arg(row), TimeLeft, top);
        RowMarks[row] =
            MakeRowText(Page, QStringLiteral("StandingsMark%1").arg(row), MarkLeft, top);
        RowMarks[row]->setFont(PixelFont(24, true));
        RowMarks[row]->SetFontColor(Yellow);
    }
    Note = MakeRowText(Page, QStringLiteral("StandingsNote"), 0, FirstRowTop + RowHeight);
    Page->hide();
}

void StandingsView::ShowStandings(const std::array<QImage, 5>& pictures) {
    Title->SetCaption(Game.Config().Text(StandingsTitle));
    const std::vector<Standing> standings = Game.Standings();
    int row = 1;
    for (const Standing& standing : standings) {
        ShowRow(row, standing.SeatNumber, pictures.at(standing.SeatNumber),
                QString::number(standing.Place) + QStringLiteral(". "));
        const bool winner = standing.Place == 1;
        RowMarks[row]->SetCaption(!winner                ? QString()
                                  : standing.SharesPlace ? Game.Config().Text(SharedWinMark)
                                                         : Game.Config().Text(WinnerMark));
        ++row;
    }
    HideRows(row);
    Note->hide();
    Page->show();
}

void StandingsView::ShowSingleResult(const QImage& picture) {
    Title->SetCaption(Game.Config().Text(StandingsTitle));
    ShowRow(1, 1, picture, QString());
    RowMarks[1]->SetCaption(QString());
    HideRows(2);
    const Seat& player = Game.SeatAt(1);
    const int stored = Game.Config().Settings().Count() - FirstHighscoreLine;
    const QString rank = Game.HighscoreRank() > 0
                             ? Game.Config().Text(SingleRank).arg(Game.HighscoreRank()).arg(stored)
                             : Game.Config().Text(SingleNoRank);
    Note->SetCaption(Game.Config().Text(SingleResult).arg(player.Score).arg(player.BestTimeText) +
                     u'\n' + rank);
    Note->show();
    Page->show();
}

void StandingsView::ShowRow(int row, int seat, const QImage& picture, const QString& place) {
    const Seat& shown = Game.SeatAt(seat);
    RowPictures[row]->SetPicture(picture);
    RowNames[row]->SetCaption(place + shown.Name);
    RowScores[row]->SetCaption(QString::number(shown.Score));
    RowTimes[row]->SetCaption(shown.BestTimeText);
    SetRowShown(row, true);
}

void StandingsView::HideRows(int fromRow) {
    for (int row = fromRow; row <= 4; ++row) {
        SetRowShown(row, false);
    }
}

void StandingsView::SetRowShown(int row, bool shown) {
    for (QWidget* part : std::initializer_list<QWidget*>{
             RowPictures[row], RowNames[row], RowScores[row], RowTimes[row], RowMarks[row]}) {
        part->setVisible(shown);
    }
}

bool StandingsView::IsOpen() const {
    return !Page->isHidden();
}

void StandingsView::Hide() {
    Page->hide();
}

} // namespace harvoline
