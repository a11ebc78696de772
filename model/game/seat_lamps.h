#pragma once

namespace harvoline {

// Lamps in the players' hands that tell who buzzed in. Writing to one may fail with
// HarvolineError, which reaches the error box as any failure of the game does.
class SeatLamps {
  public:
    virtual ~SeatLamps() = default;

    virtual void LightSeat(int seat) = 0;
    virtual void ClearAll() = 0;
};

} // namespace harvoline
