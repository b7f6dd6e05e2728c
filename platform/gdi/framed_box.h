#pragma once

// What the platform's own plain windows (message box, its buttons, the
// tooltip) paint themselves with: a filled rectangle with a one-pixel frame.

#include "platform/win32.h"

namespace platform {

void PaintFramedBox(HDC dc, const RECT& rect, COLORREF fill, COLORREF frame);

}  // namespace platform
