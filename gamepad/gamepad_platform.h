#pragma once

#include "model/input/gamepad_input.h"

namespace harvoline {

// The system's gamepads. Watching runs on a thread of its own; what the pads' player
// numbers, lights and rumble are asked is carried out there too.
class GamepadPlatform : public PadOutput {
  public:
    // Tells listener of every pad present and of every pad and press to come, on the
    // calling thread from its event loop, until Stop.
    virtual void Start(PadListener& listener) = 0;
    // Ends the watching and waits for it; nothing more reaches the listener.
    virtual void Stop() = 0;
};

} // namespace harvoline
