#pragma once

#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <vector>

namespace harvoline {

// A seat's claim of the turn: when its press happened and when it reached the game, both
// on the press clock.
struct BuzzClaim {
    int Seat = 0;
    std::int64_t PressedAtUs = 0;
    std::int64_t ArrivedAtUs = 0;
};

// Decides who gets the turn when seats buzz at nearly the same time. A press from a phone
// reaches the game tens of milliseconds after the finger touched, each phone with its own
// delay; so while a window is set, the first claim of a turn opens it, and when it closes
// the earliest press among the claims that arrived wins. Presses less than TieUs apart go
// by arrival. Without a window the first claim takes the turn at once, as it arrives.
class BuzzDecision : public QObject {
    Q_OBJECT

  public:
    static constexpr int LongestWindowMs = 150;
    static constexpr std::int64_t TieUs = 2000;

    using Clock = std::function<std::int64_t()>;
    // Gives the turn to the seat when the game still lets it buzz; tells whether it did.
    using TurnTaker = std::function<bool(int seat)>;

    BuzzDecision(Clock clock, TurnTaker takeTurn, QObject* parent = nullptr);

    // Clamped to 0 .. LongestWindowMs.
    void SetWindowMs(int ms);
    int WindowMs() const { return Window; }

    // Buzzing opens (a round starts, or plays on after a failed answer): claims still
    // waiting are dropped, and presses from before this moment no longer count.
    void Open();
    // A seat the game lets buzz claims the turn. A press time of 0 means the source knows no
    // better than the arrival; a press time after the arrival is taken as the arrival.
    void Claim(int seat, std::int64_t pressedAtUs);
    // The window closes: the claims are ranked and the first the game still lets buzz takes
    // the turn. Its timer does this; tests take the step themselves.
    void Decide();
    // Whether a window is open and waiting for more claims.
    bool Deciding() const { return Timer.isActive(); }
    // The claims of the last decision, in the order they were ranked.
    const std::vector<BuzzClaim>& LastOrder() const { return Ranked; }

    // The claims in the order they win: the earliest press first, presses within TieUs of
    // it by arrival.
    static std::vector<BuzzClaim> Rank(std::vector<BuzzClaim> claims);

  private:
    Clock Now;
    TurnTaker TakeTurn;
    QTimer Timer;
    int Window = 0;
    std::int64_t OpenedAtUs = 0;
    std::vector<BuzzClaim> Waiting;
    std::vector<BuzzClaim> Ranked;
};

} // namespace harvoline
