#pragma once

// What the window benchmarks need of the system they run on (linux/: the
// window system's stand-in on the offscreen display; windows/: user32 and
// gdi32 themselves): the display, a thread's processor time, a pixel of a
// skinned window's frame and the back buffer of a window that paints itself.

#ifdef _WIN32
#include "bench/support/windows/bench_display.h"
#else
#include "bench/support/linux/bench_display.h"
#endif
