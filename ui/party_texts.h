#pragma once

#include "model/config/more_texts.h"

namespace harvoline {

// The texts of the standings, the quiz master's corrections, the single-player countdown
// and the big screen. "%1" and "%2" take the figures.
inline constexpr MoreText StandingsTitle{"standings-title", "Endstand", "Final standings"};
inline constexpr MoreText WinnerMark{"standings-winner", "Sieg!", "Winner!"};
inline constexpr MoreText SharedWinMark{"standings-shared-win", "Geteilter Sieg!", "Shared win!"};
inline constexpr MoreText SingleResult{"single-result", "%1 Punkte, beste Zeit %2",
                                       "%1 points, best time %2"};
inline constexpr MoreText SingleRank{"single-rank", "Platz %1 von %2 in den Highscores",
                                     "Place %1 of %2 in the highscores"};
inline constexpr MoreText SingleNoRank{"single-no-rank",
                                       "Nur Punkte über 0 kommen in die Highscores.",
                                       "Only a score above 0 goes into the highscores."};
inline constexpr MoreText UndoScoreText{"score-undo", "Letzte Änderung zurücknehmen (%1)",
                                        "Undo last change (%1)"};
inline constexpr MoreText TimeLeftText{"time-left", "Restzeit %1", "Time left %1"};
inline constexpr MoreText BigScreenText{"big-screen", "Großer Bildschirm", "Big screen"};

} // namespace harvoline
