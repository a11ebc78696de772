#pragma once

#include <QString>

namespace harvoline {

// One of the four places at the table.
struct Seat {
    QString Name;
    int Score = 0;
    // Kept as the clock showed it, and compared as text.
    QString BestTimeText = QStringLiteral("1:00:00");
    // Seated at the table: an empty name or the single-player game takes a seat out.
    bool TakesPart = true;
    // Answered wrong in this round: may not buzz again until the next one.
    bool LockedOut = false;
    // The seat that buzzed in last, shown red until the round's marks are reset.
    bool Marked = false;
};

} // namespace harvoline
