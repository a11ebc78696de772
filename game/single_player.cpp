// Single-player mode and highscores.
#include "app/main_window.h"
#include "model/game/highscores.h"

namespace harvoline {

namespace {

constexpr int SingleGameLimitMs = 75000;

} // namespace

void TfrmMain::Einzelspieler1Click() {
    SinglePlayerMode = true;
    PlayerP[1]->show();
    for (int seat = 2; seat <= 4; ++seat) {
        PlayerP[seat]->hide();
    }
    if (SingleGameUnderWay() && !Os.AskYesNo(LanguageEntry(13))) {
        return;
    }
    SingleGameTime = 0;
    PlayerPunkte[1]->SetCaption(QStringLiteral("0"));
    PlayerZeit[1]->SetCaption(QStringLiteral("1:00:00"));
}

void TfrmMain::CountSingleGameTime(int ms) {
    SingleGameTime += ms;
    if (SingleGameTime >= SingleGameLimitMs) {
        EndSingleGame();
    }
}

bool TfrmMain::SingleGameUnderWay() const {
    return SingleGameTime > 0 && SingleGameTime < SingleGameLimitMs;
}

void TfrmMain::EndSingleGame() {
    // Nothing may count, buzz or tick any more: the next game starts with a new playlist.
    StopRounds();
    Os.ShowInformation(LanguageEntry(6));
    if (Score(1) > 0) {
        InsertHighscore(Settings,
                        HighscoreLine(Spieler[1]->Caption(), Score(1), PlayerZeit[1]->Caption()),
                        DefaultSettings(LanguageTable));
    }
    SingleGameTime = 0;
}

} // namespace harvoline
