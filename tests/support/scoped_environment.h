#pragma once

#include <QByteArray>
#include <map>
#include <optional>

namespace harvoline::testing {

// Sets environment variables for the length of a test and restores them afterwards, so
// that the program's view of the user's folders and locale can be chosen.
class ScopedEnvironment {
  public:
    ScopedEnvironment() = default;
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;
    ~ScopedEnvironment();

    // Nothing removes the variable.
    void Set(const char* name, const std::optional<QByteArray>& value);

  private:
    std::map<QByteArray, std::optional<QByteArray>> Saved;
};

} // namespace harvoline::testing
