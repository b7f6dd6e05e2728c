#pragma once

// What the window manager does to a top-level window: its reading of a press
// at a client point (a drag of the window, or a press the window handles
// itself), and its close request (Alt+F4, its close button).

#include "platform/win32.h"

namespace launcher_windows_testing {

enum class CaptionHit { Drag, Normal };

CaptionHit CaptionHitAt(HWND window, int x, int y);

void RequestClose(HWND window);

}  // namespace launcher_windows_testing
