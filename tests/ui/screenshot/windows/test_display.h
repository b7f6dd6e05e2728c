#pragma once

namespace screenshot_testing {

// The wine desktop of the test prefix: nothing to choose.
inline void UseTestDisplay() {}

// The rich edit waits for the system's text services (CreateTextServices):
// the skin gets no control for it yet.
inline constexpr bool kRichEditBuilt = false;

}  // namespace screenshot_testing
