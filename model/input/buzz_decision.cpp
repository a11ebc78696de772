#include "model/input/buzz_decision.h"

#include <algorithm>

namespace harvoline {

BuzzDecision::BuzzDecision(Clock clock, TurnTaker takeTurn, QObject* parent)
    : QObject(parent), Now(std::move(clock)), TakeTurn(std::move(takeTurn)) {
    Timer.setSingleShot(true);
    Timer.setTimerType(Qt::PreciseTimer);
    connect(&Timer, &QTimer::timeout, this, &BuzzDecision::Decide);
}

void BuzzDecision::SetWindowMs(int ms) {
    Window = std::clamp(ms, 0, LongestWindowMs);
}

void BuzzDecision::Open() {
    Timer.stop();
    Waiting.clear();
    OpenedAtUs = Now();
}

void BuzzDecision::Claim(int seat, std::int64_t pressedAtUs) {
    const std::int64_t arrived = Now();
    const std::int64_t pressed = pressedAtUs == 0 ? arrived : std::min(pressedAtUs, arrived);
    // A press from before buzzing opened belongs to a turn that is over.
    if (pressed < OpenedAtUs) {
        return;
    }
    const bool claimed = std::any_of(Waiting.begin(), Waiting.end(),
                                     [seat](const BuzzClaim& claim) { return claim.Seat == seat; });
    if (!claimed) {
        Waiting.push_back({seat, pressed, arrived});
    }
    if (Window == 0) {
        Decide();
    } else if (!Timer.isActive()) {
        Timer.start(Window);
    }
}

void BuzzDecision::Decide() {
    Timer.stop();
    Ranked = Rank(std::move(Waiting));
    Waiting.clear();
    for (const BuzzClaim& claim : Ranked) {
        if (TakeTurn(claim.Seat)) {
            return;
        }
    }
}

std::vector<BuzzClaim> BuzzDecision::Rank(std::vector<BuzzClaim> claims) {
    std::vector<BuzzClaim> ranked;
    while (!claims.empty()) {
        const auto earliest =
            std::min_element(claims.begin(), claims.end(), [](const auto& a, const auto& b) {
                return a.PressedAtUs < b.PressedAtUs;
            });
        const std::int64_t tieEnd = earliest->PressedAtUs + TieUs;
        auto next = claims.end();
        for (auto claim = claims.begin(); claim != claims.end(); ++claim) {
            if (claim->PressedAtUs <= tieEnd &&
                (next == claims.end() || claim->ArrivedAtUs < next->ArrivedAtUs)) {
                next = claim;
            }
        }
        ranked.push_back(*next);
        claims.erase(next);
    }
    return ranked;
}

} // namespace harvoline
