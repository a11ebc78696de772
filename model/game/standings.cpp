#include "model/game/standings.h"

#include <algorithm>

namespace harvoline {

namespace {

bool Ahead(const Seat& one, const Seat& other) {
    if (one.Score != other.Score) {
        return one.Score > other.Score;
    }
    return one.BestTimeText < other.BestTimeText;
}

bool Tied(const Seat& one, const Seat& other) {
    return one.Score == other.Score && one.BestTimeText == other.BestTimeText;
}

} // namespace

std::vector<Standing> RankSeats(const std::array<Seat, 5>& seats) {
    std::vector<int> order;
    for (int seat = 1; seat <= 4; ++seat) {
        if (seats[seat].TakesPart) {
            order.push_back(seat);
        }
    }
    std::stable_sort(order.begin(), order.end(),
                     [&seats](int one, int other) { return Ahead(seats[one], seats[other]); });
    std::vector<Standing> standings;
    for (std::size_t i = 0; i < order.size(); ++i) {
        Standing standing{order[i], static_cast<int>(i) + 1, false};
        if (i > 0 && Tied(seats[order[i]], seats[order[i - 1]])) {
            standing.Place = standings.back().Place;
            standing.SharesPlace = true;
            standings.back().SharesPlace = true;
        }
        standings.push_back(standing);
    }
    return standings;
}

} // namespace harvoline
