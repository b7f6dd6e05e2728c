#pragma once

// Stands in for GDI brushes (a brush is a Cairo pattern) and the colours a DC
// carries: what a parent answers WM_CTLCOLOREDIT and WM_CTLCOLORSTATIC with. Before asking, a
// control sets its default colours on the DC; the parent may change them (SetTextColor, SetBkColor,
// SetBkMode) and returns a brush that fills the control's background, or 0
// for the control's own background. A pattern brush's image starts at the
// control's client origin. The parent keeps the brush and deletes it.

#include <memory>
#include <type_traits>

#include "platform/gdi/system_values.h"
#include "platform/win32.h"

HBRUSH CreateSolidBrush(COLORREF color);
// A brush painting `bitmap` (copied, so the bitmap may go), premultiplied
// alpha included, over what lies below.
HBRUSH CreatePatternBrush(HBITMAP bitmap);
BOOL DeleteObject(HBRUSH brush);
int FillRect(HDC dc, const RECT* rect, HBRUSH brush);

// The DC's text colour, text background colour and mode (OPAQUE fills the
// text background, TRANSPARENT leaves what is below). A DC that was never
// given them has black text on an opaque white background.
COLORREF SetTextColor(HDC dc, COLORREF color);
COLORREF GetTextColor(HDC dc);
COLORREF SetBkColor(HDC dc, COLORREF color);
COLORREF GetBkColor(HDC dc);
int SetBkMode(HDC dc, int mode);
int GetBkMode(HDC dc);

namespace platform {

// Sets the Cairo source of `dc` to a COLORREF.
void SetSourceColor(HDC dc, COLORREF color);

// The one owner of a brush handle.
struct BrushDeleter {
    void operator()(HBRUSH brush) const { DeleteObject(brush); }
};
using BrushHandle = std::unique_ptr<std::remove_pointer_t<HBRUSH>, BrushDeleter>;

}  // namespace platform
