#pragma once

#include "model/config/settings.h"

#include <QString>
#include <QStringList>

namespace harvoline {

// Shifts every character of code 32..122 by a number from a generator started afresh
// from a fixed seed; direction +1 scrambles, -1 unscrambles. Other characters stay.
QString ScrambleLine(const QString& text, int direction);

// An unscrambled highscore line: "<name>: <score padded to 3>; <best time>".
QString HighscoreLine(const QString& name, int score, const QString& bestTime);

// What a highscore line ranks by: the text after its first ": ".
QString HighscoreKey(const QString& line);

// Stores the line scrambled among the highscore lines, which are kept in descending key
// order; it goes above every line it equals or beats. Settings lines missing before the
// first highscore line are first filled from the defaults, so that a highscore never
// takes the place of a setting. Returns the line's rank among the highscores, from 1.
int InsertHighscore(SettingsLines& settings, const QString& line, const QStringList& defaults);

} // namespace harvoline
