#pragma once

#include "model/game/seat.h"

#include <array>
#include <vector>

namespace harvoline {

// A seat's place in the standings at the end of a playlist.
struct Standing {
    int SeatNumber = 0;
    // From 1; seats with the same score and the same best time share their place.
    int Place = 0;
    bool SharesPlace = false;
};

// The seats that take part, best first: the higher score, then the better (lower) best
// time, compared as text as the clock showed it; seats that tie keep their seat order.
// Indexed 1 to 4 as the game's seats are; index 0 is not read.
std::vector<Standing> RankSeats(const std::array<Seat, 5>& seats);

} // namespace harvoline
