#pragma once

#include <cstdlib>

namespace screenshot_testing {

// The offscreen display, unless the test is given another.
inline void UseTestDisplay() {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
}

// The release notes' rich edit runs on the project's own text services.
inline constexpr bool kRichEditBuilt = true;

}  // namespace screenshot_testing
