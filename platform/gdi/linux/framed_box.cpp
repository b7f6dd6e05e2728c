#include "platform/gdi/framed_box.h"

#include <cairo.h>

#include "platform/window/window_system.h"

namespace platform {

namespace {

void SetColor(HDC dc, COLORREF c) {
    cairo_set_source_rgb(dc, (c & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0,
                         ((c >> 16) & 0xFF) / 255.0);
}

}  // namespace

void PaintFramedBox(HDC dc, const RECT& rect, COLORREF fill, COLORREF frame) {
    double width = rect.right - rect.left;
    double height = rect.bottom - rect.top;
    SetColor(dc, fill);
    cairo_rectangle(dc, rect.left, rect.top, width, height);
    cairo_fill(dc);
    SetColor(dc, frame);
    cairo_set_line_width(dc, 1);
    cairo_rectangle(dc, rect.left + 0.5, rect.top + 0.5, width - 1, height - 1);
    cairo_stroke(dc);
}

HDC BeginFramedPaint(HWND hwnd, PAINTSTRUCT& ps, RECT& client, COLORREF fill, COLORREF frame) {
    HDC dc = BeginPaint(hwnd, &ps);
    GetClientRect(hwnd, &client);
    PaintFramedBox(dc, client, fill, frame);
    return dc;
}

}  // namespace platform
