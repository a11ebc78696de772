#pragma once

namespace harvoline {

// Single-player mode: seat 1 alone against a limited playing time. The time runs only while a
// round plays and nobody answers.
struct SinglePlayerClock {
    static constexpr int LimitMs = 75000;

    bool SinglePlayer = false;
    int SingleGameElapsedMs = 0;

    bool TimeIsUp() const { return SingleGameElapsedMs >= LimitMs; }
    int TimeLeftMs() const {
        return SingleGameElapsedMs < LimitMs ? LimitMs - SingleGameElapsedMs : 0;
    }
    // A game has used some of its time but not all.
    bool UnderWay() const { return SingleGameElapsedMs > 0 && SingleGameElapsedMs < LimitMs; }
};

} // namespace harvoline
