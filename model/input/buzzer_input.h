#pragma once

#include "model/game/seat_lamps.h"
#include "model/input/controller_table.h"
#include "model/input/receiver_buttons.h"
#include "model/input/seat_input.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace harvoline {

class QuizGame;

// A buzzer receiver as the buzzer input sees it: it may be unplugged, and it lights its
// controllers' lamps.
class BuzzerReceiver {
  public:
    virtual ~BuzzerReceiver() = default;

    virtual bool IsPluggedIn() const = 0;
    // One lamp report; raises HarvolineError when the receiver refuses it.
    virtual void WriteLamps(const LampReportBytes& report) = 0;
};

// Buzzer receivers with four controllers each, as a source of seat commands. A receiver
// taken asks the seats in turn to press their red buttons, binding each seat to one
// controller of one receiver. From then on a red button buzzes in, or in a closed round
// goes on to the next one; a coloured button chooses an answer for the controller's seat.
// Only a newly pressed button counts. The lamp of the seat that buzzed in lights.
class BuzzerInput : public SeatInput, public SeatLamps {
    Q_OBJECT

  public:
    explicit BuzzerInput(const QuizGame& game, QObject* parent = nullptr);

    // A receiver plugged in takes the place of one unplugged before, and with it the
    // bindings to that receiver's controllers. Its lamps go dark first; when it refuses
    // that, it is not used.
    void TakeReceiver(BuzzerReceiver& receiver);
    // The receivers in use, numbered by their place here.
    std::vector<BuzzerReceiver*> Receivers() const;
    // The data bytes of a receiver's report, after the report ID.
    void OnReceiverReport(const BuzzerReceiver& from, std::span<const std::uint8_t> data);

    // Binding controllers to seats: open from a receiver's arrival until the fourth seat
    // is bound or the quiz master ends it.
    bool SetupOpen() const { return Binding; }
    // The next seat to bind; above 4 when all are bound.
    int SeatToBind() const { return NextSeat; }
    void EndSetup();
    const ControllerBinding& BindingOf(int seat) const { return Bindings.at(seat); }
    void ClearBindings() { Bindings = {}; }

    void LightSeat(int seat) override;
    void ClearAll() override;

  signals:
    // The setup opened or closed, or moved on to the next seat.
    void SetupChanged();

  private:
    struct Receiver {
        BuzzerReceiver* Device;
        ReceiverButtons Buttons;
    };

    void Bind(int receiver, const QString& key);
    // The seat whose controller the key is on, 0 for none.
    int SeatOfRedKey(int receiver, const QString& key) const;
    int SeatOfAnswerKey(int receiver, const QString& key, int& choice) const;
    void Give(int seat, SeatAction action, int choice = 0);

    const QuizGame& Game;
    std::vector<Receiver> InUse;
    std::array<ControllerBinding, 5> Bindings{};
    int NextSeat = 1;
    bool Binding = false;
};

} // namespace harvoline
