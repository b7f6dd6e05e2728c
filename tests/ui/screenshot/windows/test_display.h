#pragma once

namespace screenshot_testing {

// The wine desktop of the test prefix: nothing to choose.
inline void UseTestDisplay() {}

}  // namespace screenshot_testing
