#include "model/input/key_map.h"

namespace harvoline {

namespace {

struct KeyBinding {
    int Key;
    SeatAction Action;
    int Seat;
    int Choice;
};

constexpr KeyBinding SeatKeys[] = {
    {Qt::Key_Q, SeatAction::Buzz, 1, 0},   {Qt::Key_Y, SeatAction::Buzz, 2, 0},
    {Qt::Key_M, SeatAction::Buzz, 3, 0},   {Qt::Key_P, SeatAction::Buzz, 4, 0},
    {Qt::Key_1, SeatAction::Choose, 0, 1}, {Qt::Key_2, SeatAction::Choose, 0, 2},
    {Qt::Key_3, SeatAction::Choose, 0, 3}, {Qt::Key_4, SeatAction::Choose, 0, 4},
};

SeatCommand FromKeyboard(SeatAction action, int seat = 0, int choice = 0) {
    return {CommandSource::Keyboard, seat, action, choice};
}

} // namespace

std::optional<SeatCommand> CommandForKey(int key, Qt::KeyboardModifiers modifiers,
                                         bool autoRepeat) {
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return FromKeyboard(SeatAction::Proceed);
    case Qt::Key_Escape:
        return FromKeyboard(SeatAction::Dismiss);
    default:
        break;
    }
    const bool plain = (modifiers & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (!plain || autoRepeat) {
        return std::nullopt;
    }
    for (const KeyBinding& binding : SeatKeys) {
        if (binding.Key == key) {
            return FromKeyboard(binding.Action, binding.Seat, binding.Choice);
        }
    }
    return std::nullopt;
}

} // namespace harvoline
