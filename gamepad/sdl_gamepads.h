#pragma once

#include "gamepad/gamepad_platform.h"
#include "hid/handover_queue.h"

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <stop_token>
#include <thread>

struct _SDL_GameController;
union SDL_Event;

namespace harvoline {

// Gamepads through SDL's game controllers. SDL lives on one thread of its own, from its
// start to its end: it waits there for the pads' events and stamps each press as it takes
// it, and every other SDL call is queued to that thread. The window's thread gets the
// events through a hand-over queue, as it gets HID reports.
class SdlGamepads : public GamepadPlatform {
  public:
    // How long the thread waits for an event before it looks at its queue of calls again.
    static constexpr int WaitMs = 10;

    SdlGamepads() = default;
    ~SdlGamepads() override;
    SdlGamepads(const SdlGamepads&) = delete;
    SdlGamepads& operator=(const SdlGamepads&) = delete;

    void Start(PadListener& listener) override;
    void Stop() override;
    void ShowSeat(int pad, int seat, std::uint32_t rgb) override;
    void Rumble(int pad, int ms) override;

    // Runs call on SDL's thread, after the calls queued before it; nothing when it stops
    // first or SDL could not start. From any thread.
    void RunOnPadThread(std::function<void()> call);

  private:
    // Everything from here to the thread's end happens on SDL's thread.
    void Execute(const std::stop_token& stop);
    void RunQueuedCalls();
    void Take(const SDL_Event& event);
    void Open(int deviceIndex);
    void Close(int pad);
    void CloseAll();
    // Hands a call to the listener over to the window's thread.
    void TellListener(std::function<void(PadListener&)> tell);
    _SDL_GameController* Controller(int pad) const;

    // Only the window's thread touches it.
    PadListener* Listener = nullptr;
    std::mutex Lock;
    std::deque<std::function<void()>> Calls;
    // The open pads by SDL's instance number; only SDL's thread touches them.
    std::map<int, _SDL_GameController*> Pads;
    // Where the thread hands events over; made on the window's thread, outlives the thread.
    std::unique_ptr<HandoverQueue> Handovers;
    std::jthread Worker;
};

} // namespace harvoline
