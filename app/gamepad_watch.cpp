#include "app/gamepad_watch.h"

#include "app/receiver_watch.h"
#include "gamepad/gamepad_platform.h"
#include "hid/hid_device.h"
#include "model/input/controller_table.h"

#include <algorithm>

namespace harvoline {

GamepadWatch::GamepadWatch(GamepadPlatform& pads, GamepadInput& input,
                           const ReceiverWatch& receivers)
    : Pads(pads), Input(input), Receivers(receivers) {
    Input.SetOutput(Pads);
    Pads.Start(*this);
}

GamepadWatch::~GamepadWatch() {
    Pads.Stop();
}

// A pad the input never heard of is ignored by it, in its removal and its presses too.
void GamepadWatch::OnPadArrived(const PadArrival& pad) {
    if (!IsReceiver(pad)) {
        Input.OnPadArrived(pad);
    }
}

void GamepadWatch::OnPadRemoved(int pad) {
    Input.OnPadRemoved(pad);
}

void GamepadWatch::OnPadPressed(int pad, PadButton button, std::int64_t pressedAtUs) {
    Input.OnPadPressed(pad, button, pressedAtUs);
}

// By the name the receivers are known by, or as the same USB product as a receiver in use.
bool GamepadWatch::IsReceiver(const PadArrival& pad) const {
    if (IsReceiverDescription(pad.Name)) {
        return true;
    }
    return std::ranges::any_of(Receivers.ReceiversInUse(), [&pad](const HidDevice* device) {
        return device->VendorId() == pad.VendorId && device->ProductId() == pad.ProductId;
    });
}

} // namespace harvoline
