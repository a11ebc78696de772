#include "tests/support/scoped_environment.h"

#include <QtGlobal>

namespace harvoline::testing {

namespace {

void Apply(const char* name, const std::optional<QByteArray>& value) {
    if (value) {
        qputenv(name, *value);
    } else {
        qunsetenv(name);
    }
}

} // namespace

ScopedEnvironment::~ScopedEnvironment() {
    for (const auto& [name, value] : Saved) {
        Apply(name.constData(), value);
    }
}

void ScopedEnvironment::Set(const char* name, const std::optional<QByteArray>& value) {
    if (!Saved.contains(name)) {
        Saved[name] = qEnvironmentVariableIsSet(name) ? std::optional<QByteArray>(qgetenv(name))
                                                      : std::nullopt;
    }
    Apply(name, value);
}

} // namespace harvoline::testing
