#pragma once

#include "model/input/gamepad_input.h"

namespace harvoline {

class GamepadPlatform;
class ReceiverWatch;

// The gamepads the system knows, for the gamepad input, but not the buzzer receivers among
// them: a receiver is read as a HID device, and offered as a pad it would be bound twice.
// Watching starts with it and stops when it goes.
class GamepadWatch : public PadListener {
  public:
    GamepadWatch(GamepadPlatform& pads, GamepadInput& input, const ReceiverWatch& receivers);
    ~GamepadWatch() override;
    GamepadWatch(const GamepadWatch&) = delete;
    GamepadWatch& operator=(const GamepadWatch&) = delete;

    void OnPadArrived(const PadArrival& pad) override;
    void OnPadRemoved(int pad) override;
    void OnPadPressed(int pad, PadButton button, std::int64_t pressedAtUs) override;

  private:
    bool IsReceiver(const PadArrival& pad) const;

    GamepadPlatform& Pads;
    GamepadInput& Input;
    const ReceiverWatch& Receivers;
};

} // namespace harvoline
