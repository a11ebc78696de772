#pragma once

#include <QString>
#include <stdexcept>

namespace harvoline {

// Raised by operations that cannot do what was asked; the one error boundary,
// ReportErrors, shows the text in the general error box.
class HarvolineError : public std::runtime_error {
  public:
    explicit HarvolineError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

} // namespace harvoline
