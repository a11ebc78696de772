#include "model/game/report_errors.h"

#include "model/game/game_services.h"

#include <exception>

namespace harvoline {

void ReportErrors(GameServices& services, const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& error) {
        services.ShowError(QString::fromStdString(error.what()));
    }
}

} // namespace harvoline
