#pragma once

// Whether this process's windows can be seen and answered by someone: a
// window nobody can see must not hold the program in a modal loop.

namespace platform {

// Linux: a display, or the offscreen driver that tests drive, could be
// started (display/sdl_display.cpp). Windows: the process's window station
// is the interactive one (not a service's).
bool CanShowWindows();

}  // namespace platform
