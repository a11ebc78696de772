#pragma once

#include <QString>

namespace harvoline {

// The decimal text of the value with "0" put in front while it is shorter than the width;
// nothing is cut, and the zeros go in front of a minus sign.
QString PadNumber(int value, int width);

// The game clock's text for a number of milliseconds: minutes, seconds and hundredths,
// as in 1:23:45; 0:00:00 for less than nothing.
QString ClockText(int ms);

enum class RoundKind { Song, Cover, Video };

// Which round a press of Start brings while a game runs: a cover round when its turn has
// come and there are covers enough, a video round halfway between cover rounds when
// videos can be shown, else a song round.
RoundKind NextRoundKind(int roundCounter, int coverInterval, int coverCount, int videoCount,
                        bool videosAvailable);

// The part of an answer before its first " - ": for songs and videos the title; empty
// when the text has no " - ".
QString FirstHalf(const QString& answer);

} // namespace harvoline
