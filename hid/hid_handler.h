#pragma once

#include <concepts>
#include <cstddef>
#include <functional>
#include <memory>
#include <type_traits>

namespace harvoline {

// A handler that a device list hands on to its devices. Copies compare equal, so a new
// handler of the list can replace exactly the devices that still hold the old one.
template <typename... Args> class HidHandler {
  public:
    HidHandler() = default;
    HidHandler(std::nullptr_t) {}
    template <typename F>
    requires(!std::same_as<std::remove_cvref_t<F>, HidHandler> && std::is_invocable_v<F&, Args...>)
        HidHandler(F&& handler)
        : Call(std::make_shared<const std::function<void(Args...)>>(std::forward<F>(handler))) {}

    explicit operator bool() const { return Call != nullptr; }
    void operator()(Args... args) const { (*Call)(args...); }
    bool operator==(const HidHandler&) const = default;

  private:
    std::shared_ptr<const std::function<void(Args...)>> Call;
};

} // namespace harvoline
