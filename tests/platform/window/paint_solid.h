#pragma once

// Test windows painted with one colour each, on the offscreen display.

#include <cairo.h>

#include <optional>

#include "platform/window/window_system.h"

namespace window_testing {

// Paints every window that asks with one colour per window.
inline std::optional<LRESULT> PaintSolid(HWND hwnd, UINT message, double r, double g, double b) {
    if (message != WM_PAINT) {
        return std::nullopt;
    }
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    cairo_set_source_rgb(dc, r, g, b);
    cairo_paint(dc);
    EndPaint(hwnd, &ps);
    return 0;
}

}  // namespace window_testing
