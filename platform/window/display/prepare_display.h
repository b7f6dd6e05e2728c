#pragma once

// Connecting to the display ahead of the first window (sdl_display.cpp).

namespace platform {

// Connects to the display from any thread, since its set-up takes tens of
// milliseconds (the input method's tables, the screen's modes); the thread
// that makes the first top-level window still becomes the display thread.
// Does nothing when no display is named.
void PrepareDisplay();

}  // namespace platform
