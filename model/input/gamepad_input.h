#pragma once

#include "model/config/more_texts.h"
#include "model/input/pad_buttons.h"
#include "model/input/seat_input.h"

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

namespace harvoline {

class QuizGame;

inline constexpr MoreText GamepadPromptText{"gamepad-prompt",
                                            "Spieler %1: Drück einen Knopf auf deinem Gamepad",
                                            "Player %1: press a button on your gamepad"};
inline constexpr MoreText GamepadLegendText{
    "gamepad-legend",
    "Buzzern: jeder Knopf. Antwort 1 2 3 4: Tasten links, rechts, unten, oben oder "
    "Steuerkreuz hoch, rechts, runter, links.\nSpielleiter: Start auf einem eigenen Gamepad.",
    "Buzz: any button. Answer 1 2 3 4: face buttons left, right, bottom, top, or D-pad up, "
    "right, down, left.\nQuiz master: Start on a pad of your own."};

// A gamepad that has come, as the gamepad layer tells of it.
struct PadArrival {
    // The layer's number for the pad while it stays plugged in.
    int Pad = 0;
    // The same each time this pad is plugged in (its type and its serial number or place).
    QString Identity;
    QString Name;
    std::uint16_t VendorId = 0;
    std::uint16_t ProductId = 0;
};

// What the gamepad layer tells; every call comes on the window's thread.
class PadListener {
  public:
    virtual ~PadListener() = default;

    virtual void OnPadArrived(const PadArrival& pad) = 0;
    virtual void OnPadRemoved(int pad) = 0;
    // A button newly pressed, with the moment on the press clock.
    virtual void OnPadPressed(int pad, PadButton button, std::int64_t pressedAtUs) = 0;
};

// What a pad can show its player; a pad that cannot, or has gone, ignores it.
class PadOutput {
  public:
    virtual ~PadOutput() = default;

    // The player number (1 to 4, 0 for none) and the light bar's colour as 0xRRGGBB.
    virtual void ShowSeat(int pad, int seat, std::uint32_t rgb) = 0;
    virtual void Rumble(int pad, int ms) = 0;
};

// Gamepads as a source of seat commands. A pad that comes and is not known yet asks the
// seats without a pad in turn to press a button on it, as receivers do; Start on such a pad
// makes it the quiz master's instead. Pads are known by their identity for the evening, so a
// pad plugged in again gets its seat back without asking, and a seat whose pad went stays
// as it was. The pad of the seat that gets the turn rumbles.
class GamepadInput : public SeatInput, public PadListener {
    Q_OBJECT

  public:
    static constexpr int TurnRumbleMs = 200;

    explicit GamepadInput(const QuizGame& game, QObject* parent = nullptr);

    void SetOutput(PadOutput& output) { Output = &output; }

    void OnPadArrived(const PadArrival& pad) override;
    void OnPadRemoved(int pad) override;
    void OnPadPressed(int pad, PadButton button, std::int64_t pressedAtUs) override;

    // Binding pads to seats: open from the arrival of an unknown pad until every pad present
    // has a seat, every seat has a pad present or the quiz master ends it.
    bool SetupOpen() const { return Binding; }
    // The first seat without a pad present; above 4 when every seat has one.
    int SeatToBind() const;
    void EndSetup();

    // The seat of a pad present, 0 for none.
    int SeatOfPad(int pad) const;
    bool IsQuizMastersPad(int pad) const;

  signals:
    // The setup opened or closed, or moved on to the next seat.
    void SetupChanged();

  private:
    struct Pad {
        int Id = 0;
        QString Identity;
    };

    const Pad* Find(int pad) const;
    bool SeatHasPad(int seat) const;
    bool UnboundPadPresent() const;
    void Bind(const Pad& pad, PadButton button);
    void FollowSetup();
    void ShowSeat(const Pad& pad, int seat);
    void RumbleForTurn();

    const QuizGame& Game;
    PadOutput* Output = nullptr;
    std::vector<Pad> Present;
    // The identity of each seat's pad, remembered while the game runs.
    std::array<QString, 5> SeatPads;
    QString QuizMasterPad;
    bool Binding = false;
    int RumbledSeat = 0;
};

} // namespace harvoline
