#include "gamepad/sdl_gamepads.h"

#include "model/input/press_clock.h"

#include <SDL.h>
#include <sys/prctl.h>

namespace harvoline {

namespace {

static_assert(SDL_CONTROLLER_BUTTON_A == static_cast<int>(PadButton::South));
static_assert(SDL_CONTROLLER_BUTTON_Y == static_cast<int>(PadButton::North));
static_assert(SDL_CONTROLLER_BUTTON_START == static_cast<int>(PadButton::Start));
static_assert(SDL_CONTROLLER_BUTTON_DPAD_UP == static_cast<int>(PadButton::DpadUp));
static_assert(SDL_CONTROLLER_BUTTON_DPAD_RIGHT == static_cast<int>(PadButton::DpadRight));
static_assert(SDL_CONTROLLER_BUTTON_MAX == static_cast<int>(PadButton::Touchpad) + 1);

constexpr Uint16 RumbleStrength = 0xC000;
constexpr unsigned long PollSlackNs = 3'000'000;

QString Utf8(const char* text) {
    return text ? QString::fromUtf8(text) : QString();
}

// The pad's type, and where available its serial number, else the device it is read from:
// two pads of one type tell apart, and the same pad plugged in again is known.
QString IdentityOf(SDL_GameController* controller) {
    char guid[33] = {};
    SDL_JoystickGetGUIDString(SDL_JoystickGetGUID(SDL_GameControllerGetJoystick(controller)), guid,
                              sizeof guid);
    QString place = Utf8(SDL_GameControllerGetSerial(controller));
    if (place.isEmpty()) {
        place = Utf8(SDL_GameControllerPath(controller));
    }
    return QString::fromLatin1(guid) + u'/' + place;
}

} // namespace

SdlGamepads::~SdlGamepads() {
    Stop();
}

void SdlGamepads::Start(PadListener& listener) {
    Stop();
    Listener = &listener;
    if (!Handovers) {
        Handovers = std::make_unique<HandoverQueue>();
    }
    Worker = std::jthread([this](const std::stop_token& stop) { Execute(stop); });
}

void SdlGamepads::Stop() {
    Listener = nullptr;
    if (Worker.joinable()) {
        Worker.request_stop();
        Worker.join();
    }
    const std::lock_guard lock(Lock);
    Calls.clear();
}

void SdlGamepads::ShowSeat(int pad, int seat, std::uint32_t rgb) {
    RunOnPadThread([this, pad, seat, rgb] {
        if (SDL_GameController* controller = Controller(pad)) {
            SDL_GameControllerSetPlayerIndex(controller, seat - 1);
            SDL_GameControllerSetLED(controller, static_cast<Uint8>(rgb >> 16),
                                     static_cast<Uint8>(rgb >> 8), static_cast<Uint8>(rgb));
        }
    });
}

void SdlGamepads::Rumble(int pad, int ms) {
    RunOnPadThread([this, pad, ms] {
        if (SDL_GameController* controller = Controller(pad)) {
            SDL_GameControllerRumble(controller, RumbleStrength, RumbleStrength,
                                     static_cast<Uint32>(ms));
        }
    });
}

void SdlGamepads::RunOnPadThread(std::function<void()> call) {
    const std::lock_guard lock(Lock);
    Calls.push_back(std::move(call));
}

void SdlGamepads::Execute(const std::stop_token& stop) {
    // The game handles SIGINT and SIGTERM itself; buttons are read by their place; a quiz
    // master's window loses the focus now and then, the pads go on.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_GAMECONTROLLER_USE_BUTTON_LABELS, "0");
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    if (SDL_Init(SDL_INIT_GAMECONTROLLER) != 0) {
        return;
    }
    // Without its video part SDL waits for events by looking every millisecond, which costs
    // this thread 2 % of a core while nobody presses anything. Letting the kernel wake it up
    // to 3 ms late makes that about a third, and a press is still seen within 4 ms.
    prctl(PR_SET_TIMERSLACK, PollSlackNs, 0, 0, 0);
    while (!stop.stop_requested()) {
        RunQueuedCalls();
        SDL_Event event;
        if (SDL_WaitEventTimeout(&event, WaitMs) == 1) {
            Take(event);
        }
    }
    CloseAll();
    SDL_Quit();
}

void SdlGamepads::RunQueuedCalls() {
    std::deque<std::function<void()>> calls;
    {
        const std::lock_guard lock(Lock);
        calls.swap(Calls);
    }
    for (const std::function<void()>& call : calls) {
        call();
    }
}

void SdlGamepads::Take(const SDL_Event& event) {
    switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED:
        Open(event.cdevice.which);
        break;
    case SDL_CONTROLLERDEVICEREMOVED:
        Close(event.cdevice.which);
        break;
    case SDL_CONTROLLERBUTTONDOWN: {
        const std::int64_t pressedAtUs = PressClockUs();
        const int pad = event.cbutton.which;
        const auto button = static_cast<PadButton>(event.cbutton.button);
        if (event.cbutton.button < SDL_CONTROLLER_BUTTON_MAX) {
            TellListener(
                [=](PadListener& listener) { listener.OnPadPressed(pad, button, pressedAtUs); });
        }
        break;
    }
    default:
        break;
    }
}

void SdlGamepads::Open(int deviceIndex) {
    SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
    if (!controller) {
        return;
    }
    const int pad = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
    // Present at the start, a pad can be announced twice.
    if (Pads.contains(pad)) {
        SDL_GameControllerClose(controller);
        return;
    }
    Pads[pad] = controller;
    const PadArrival arrival{pad, IdentityOf(controller), Utf8(SDL_GameControllerName(controller)),
                             SDL_GameControllerGetVendor(controller),
                             SDL_GameControllerGetProduct(controller)};
    TellListener([arrival](PadListener& listener) { listener.OnPadArrived(arrival); });
}

void SdlGamepads::Close(int pad) {
    const auto open = Pads.find(pad);
    if (open == Pads.end()) {
        return;
    }
    SDL_GameControllerClose(open->second);
    Pads.erase(open);
    TellListener([pad](PadListener& listener) { listener.OnPadRemoved(pad); });
}

void SdlGamepads::CloseAll() {
    for (const auto& [pad, controller] : Pads) {
        SDL_GameControllerClose(controller);
    }
    Pads.clear();
}

void SdlGamepads::TellListener(std::function<void(PadListener&)> tell) {
    Handovers->Post([this, tell = std::move(tell)] {
        if (Listener) {
            tell(*Listener);
        }
    });
}

SDL_GameController* SdlGamepads::Controller(int pad) const {
    const auto open = Pads.find(pad);
    return open == Pads.end() ? nullptr : open->second;
}

} // namespace harvoline
