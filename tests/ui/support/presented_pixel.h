#pragma once

// What a top-level window shows at a point of its client area, as 0x00RRGGBB:
// the offscreen display's surface on Linux; on Windows, where the test desktop
// keeps no pixels, what its paint manager last presented.

#include <cstdint>

#include "platform/window/window_api.h"

namespace ui_testing {

std::uint32_t PresentedPixel(HWND top, int x, int y);

}  // namespace ui_testing
