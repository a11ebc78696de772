#pragma once

#include "gamepad/sdl_gamepads.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>

struct _SDL_Joystick;

namespace harvoline::testing {

// SDL's virtual game controllers, made and pressed on the pads' own thread like every SDL
// call. A virtual pad's buttons are read when SDL pumps its events, so a press is held
// across one pump: Hold pumps after setting the button.
class VirtualPads {
  public:
    explicit VirtualPads(SdlGamepads& pads) : Pads(pads) {}

    // Plugs in a pad with every button; the product ID tells pads apart. Gives SDL's
    // number for the pad, the one its events carry.
    int Attach(std::uint16_t productId);
    void Detach(int pad);
    void Hold(int pad, PadButton button);
    void Release(int pad, PadButton button);
    // When the last button went down, on the press clock; set before SDL can see it.
    std::int64_t LastPressUs() const { return PressedAtUs; }

  private:
    void SetButton(int pad, PadButton button, bool down);
    // Runs call on the pads' thread and waits for it.
    void RunThere(const std::function<void()>& call);

    SdlGamepads& Pads;
    // Only the pads' thread touches them.
    std::map<int, _SDL_Joystick*> Joysticks;
    std::atomic<std::int64_t> PressedAtUs = 0;
};

} // namespace harvoline::testing
