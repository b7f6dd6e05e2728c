#pragma once

// What the platform's own plain windows (message box, its buttons, the
// tooltip) paint themselves with: a filled rectangle with a one-pixel frame.

#include "platform/win32.h"

namespace platform {

void PaintFramedBox(HDC dc, const RECT& rect, COLORREF fill, COLORREF frame);

// Starts a WM_PAINT of such a window: BeginPaint, its client rectangle into
// `client`, and the framed background over it. End with EndPaint.
HDC BeginFramedPaint(HWND hwnd, PAINTSTRUCT& ps, RECT& client, COLORREF fill, COLORREF frame);

}  // namespace platform
