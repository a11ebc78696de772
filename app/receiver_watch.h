#pragma once

#include "model/input/buzzer_input.h"

#include <QString>
#include <memory>
#include <vector>

namespace harvoline {

class GameServices;
class HidDevice;
class HidDeviceList;
class HidPlatform;
class QuizGame;

// The buzzer receivers among the HID devices. Every device the list finds is claimed; those
// that name themselves receivers go to the buzzer input, and a receiver that may not be
// read and written is named on the help page instead. Its readers stop when it goes, while
// the input and the game they hand reports to are still whole.
class ReceiverWatch {
  public:
    ReceiverWatch(HidPlatform& hid, GameServices& services, QuizGame& game, BuzzerInput& buzzers);
    ~ReceiverWatch();

    HidDeviceList& Devices() { return *List; }
    // The devices the buzzer input uses, in its numbering.
    std::vector<HidDevice*> ReceiversInUse() const;

    // The product string, else "Device VID=054C PID=1000"; empty when it cannot be read.
    static QString DescribeDevice(HidDevice& device);

  private:
    class HidReceiver;

    // After every change of the device list, and once at the start.
    void OnReceiversChanged();
    void TakeReceiver(HidDevice& device);
    // Tells on the help page why a receiver that may not be read and written is not used.
    void NoteUnusableReceiver(HidDevice& device);

    GameServices& Services;
    QuizGame& Game;
    BuzzerInput& Buzzers;
    std::vector<std::unique_ptr<HidReceiver>> Taken;
    std::unique_ptr<HidDeviceList> List;
};

} // namespace harvoline
