#include "ui/keyboard_input.h"

#include "model/input/key_map.h"

#include <QKeyEvent>

namespace harvoline {

KeyboardInput::KeyboardInput(QObject* window) : SeatInput(window) {
    window->installEventFilter(this);
}

bool KeyboardInput::eventFilter(QObject*, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    const std::optional<SeatCommand> command =
        CommandForKey(key->key(), key->modifiers(), key->isAutoRepeat());
    if (!command) {
        return false;
    }
    emit CommandGiven(*command);
    return true;
}

} // namespace harvoline
