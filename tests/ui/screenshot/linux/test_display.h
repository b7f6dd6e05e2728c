#pragma once

#include <cstdlib>

namespace screenshot_testing {

// The offscreen display, unless the test is given another.
inline void UseTestDisplay() {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
}

}  // namespace screenshot_testing
