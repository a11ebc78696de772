#include "model/input/buzz_decision.h"

#include <gtest/gtest.h>
#include <set>

using namespace harvoline;

namespace {

constexpr std::int64_t Ms = 1000;
// The moment buzzing opens in every case.
constexpr std::int64_t Opened = 5'000'000;

// A claim as it reaches the game: its seat, when it was pressed (0: unknown) and when it
// arrived, both in ms after buzzing opened.
struct Arrival {
    int Seat;
    double PressedMs;
    double ArrivedMs;
    bool UnknownPress = false;
};

Arrival Key(int seat, double arrivedMs) {
    return {seat, 0, arrivedMs, true};
}

} // namespace

// Who takes the turn, for claims arriving in order with the times their sources give.
TEST(BuzzDecision, GivesTheTurnToTheEarliestPressAmongTheClaimsOfItsWindow) {
    struct Case {
        const char* What;
        int WindowMs;
        std::vector<Arrival> Claims;
        // Seats the game no longer lets buzz when the decision falls.
        std::set<int> LockedOut;
        int Winner;
    };
    const Case cases[] = {
        {"without a window the first arrival wins", 0, {Key(2, 50), {3, 20, 60}}, {}, 2},
        {"an earlier press arriving in the window beats a later key press",
         80,
         {Key(2, 50), {3, 20, 60}},
         {},
         3},
        {"a press arriving after the window is too late", 80, {Key(2, 50), {3, 20, 140}}, {}, 2},
        {"a press time later than its arrival counts as the arrival",
         80,
         {{3, 400, 40}, Key(2, 45)},
         {},
         3},
        {"a press from before buzzing opened is stale", 80, {{3, -5, 10}, Key(2, 50)}, {}, 2},
        {"presses within 2 ms go by arrival", 80, {{3, 20, 60}, {2, 21.5, 30}}, {}, 2},
        {"presses 2.5 ms apart go by press", 80, {{3, 20, 60}, {2, 22.5, 30}}, {}, 3},
        {"a seat locked out meanwhile passes the turn on", 80, {{3, 20, 60}, Key(2, 50)}, {3}, 2},
        {"a seat's second claim changes nothing",
         80,
         {{2, 30, 40}, {3, 25, 50}, {2, 10, 60}},
         {},
         3},
        {"nobody when every claimant is locked out", 80, {{3, 20, 60}}, {3}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        std::int64_t now = Opened;
        std::set<int> locked;
        int winner = 0;
        BuzzDecision decision([&now] { return now; },
                              [&](int seat) {
                                  if (locked.contains(seat)) {
                                      return false;
                                  }
                                  winner = seat;
                                  return true;
                              });
        decision.SetWindowMs(c.WindowMs);
        decision.Open();
        const std::int64_t windowEnd =
            Opened + static_cast<std::int64_t>(c.Claims.front().ArrivedMs * Ms) + c.WindowMs * Ms;
        for (const Arrival& claim : c.Claims) {
            now = Opened + static_cast<std::int64_t>(claim.ArrivedMs * Ms);
            if (decision.Deciding() && now > windowEnd) {
                locked = c.LockedOut;
                decision.Decide();
            }
            if (winner == 0) {
                decision.Claim(claim.Seat, claim.UnknownPress ? 0
                                                              : Opened + static_cast<std::int64_t>(
                                                                             claim.PressedMs * Ms));
            }
        }
        locked = c.LockedOut;
        if (decision.Deciding()) {
            decision.Decide();
        }
        EXPECT_EQ(winner, c.Winner);
    }
}

TEST(BuzzDecision, WindowsAreClampedAndANewOpeningDropsTheWaitingClaims) {
    std::int64_t now = Opened;
    int turns = 0;
    BuzzDecision decision([&now] { return now; }, [&](int) { return ++turns > 0; });
    decision.SetWindowMs(400);
    EXPECT_EQ(decision.WindowMs(), BuzzDecision::LongestWindowMs);
    decision.SetWindowMs(-1);
    EXPECT_EQ(decision.WindowMs(), 0);

    decision.SetWindowMs(80);
    decision.Open();
    decision.Claim(1, 0);
    EXPECT_TRUE(decision.Deciding());
    now += 10 * Ms;
    decision.Open();
    EXPECT_FALSE(decision.Deciding());
    decision.Decide();
    EXPECT_EQ(turns, 0);
}

TEST(BuzzDecision, TheOrderKeepsEveryClaimWithItsPressTime) {
    const std::vector<BuzzClaim> ranked = BuzzDecision::Rank({{1, 30 * Ms, 90 * Ms},
                                                              {2, 10 * Ms, 80 * Ms},
                                                              {3, 11 * Ms, 20 * Ms},
                                                              {4, 50 * Ms, 55 * Ms}});
    std::vector<int> seats;
    for (const BuzzClaim& claim : ranked) {
        seats.push_back(claim.Seat);
    }
    EXPECT_EQ(seats, (std::vector<int>{3, 2, 1, 4}));
}
