#pragma once

#include "gamepad/gamepad_platform.h"

#include <vector>

namespace harvoline::testing {

// Gamepads that tests plug in and press through the listener; records what the pads were
// asked to show.
class FakeGamepads : public GamepadPlatform {
  public:
    struct SeatShown {
        int Pad = 0;
        int Seat = 0;
        std::uint32_t Rgb = 0;
        bool operator==(const SeatShown&) const = default;
    };
    struct Rumbled {
        int Pad = 0;
        int Ms = 0;
        bool operator==(const Rumbled&) const = default;
    };

    void Start(PadListener& listener) override { Listener = &listener; }
    void Stop() override { Listener = nullptr; }
    void ShowSeat(int pad, int seat, std::uint32_t rgb) override {
        Shown.push_back({pad, seat, rgb});
    }
    void Rumble(int pad, int ms) override { Rumbles.push_back({pad, ms}); }

    PadListener* Listener = nullptr;
    std::vector<SeatShown> Shown;
    std::vector<Rumbled> Rumbles;
};

} // namespace harvoline::testing
