#pragma once

namespace harvoline::testing {

// Time limits are set for an optimised build; sanitizer builds run several times slower.
#ifdef HARVOLINE_SANITIZED
constexpr int TimeAllowance = 6;
#else
constexpr int TimeAllowance = 1;
#endif

} // namespace harvoline::testing
