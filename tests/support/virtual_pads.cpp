#include "tests/support/virtual_pads.h"

#include "model/input/press_clock.h"

#include <SDL.h>
#include <future>
#include <gtest/gtest.h>

namespace harvoline::testing {

int VirtualPads::Attach(std::uint16_t productId) {
    int pad = -1;
    RunThere([this, productId, &pad] {
        SDL_VirtualJoystickDesc description{};
        description.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        description.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        description.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        description.button_mask = (1u << SDL_CONTROLLER_BUTTON_MAX) - 1;
        description.vendor_id = 0x1209;
        description.product_id = productId;
        description.name = "Virtual pad";
        const int index = SDL_JoystickAttachVirtualEx(&description);
        SDL_Joystick* joystick = index < 0 ? nullptr : SDL_JoystickOpen(index);
        if (joystick) {
            pad = SDL_JoystickInstanceID(joystick);
            Joysticks[pad] = joystick;
        }
    });
    EXPECT_GE(pad, 0) << SDL_GetError();
    return pad;
}

void VirtualPads::Detach(int pad) {
    RunThere([this, pad] {
        for (int index = 0; index < SDL_NumJoysticks(); ++index) {
            if (SDL_JoystickGetDeviceInstanceID(index) == pad) {
                SDL_JoystickClose(Joysticks.at(pad));
                Joysticks.erase(pad);
                SDL_JoystickDetachVirtual(index);
                return;
            }
        }
    });
}

void VirtualPads::Hold(int pad, PadButton button) {
    SetButton(pad, button, true);
}

void VirtualPads::Release(int pad, PadButton button) {
    SetButton(pad, button, false);
}

void VirtualPads::SetButton(int pad, PadButton button, bool down) {
    RunThere([this, pad, button, down] {
        if (down) {
            PressedAtUs = PressClockUs();
        }
        SDL_JoystickSetVirtualButton(Joysticks.at(pad), static_cast<int>(button),
                                     down ? SDL_PRESSED : SDL_RELEASED);
        SDL_PumpEvents();
    });
}

void VirtualPads::RunThere(const std::function<void()>& call) {
    std::promise<void> ran;
    std::future<void> done = ran.get_future();
    Pads.RunOnPadThread([&call, &ran] {
        call();
        ran.set_value();
    });
    ASSERT_EQ(done.wait_for(std::chrono::seconds(5)), std::future_status::ready);
}

} // namespace harvoline::testing
