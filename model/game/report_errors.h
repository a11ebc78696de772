#pragma once

#include <functional>

namespace harvoline {

class GameServices;

// Runs an action from the event loop: a click, a key, a timer, a menu item or a report of a
// buzzer receiver. An error it raises goes to the general error box, so that none leaves
// the action for the event loop.
void ReportErrors(GameServices& services, const std::function<void()>& action);

} // namespace harvoline
