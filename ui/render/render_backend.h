#pragma once

// What each system's drawing backend gives the render engine's shared entry
// points (ui/render/linux: Cairo and Pango; ui/render/windows: GDI). The
// entries check their arguments; these are called with valid ones only.

#include <string>

#include "ui/render/render_types.h"
#include "ui/render/text/markup_parser.h"

namespace VantuUI {

// ANDs the round rectangle `item` (its right and bottom edges included) into
// the DC's clip.
void IntersectRoundClip(HDC dc, const RECT& item, int ellipseWidth, int ellipseHeight);

// Lays out tagged text and draws it into `rect` (or, with DT_CALCRECT, sets
// `rect` to the size it takes and draws nothing). Returns how many link
// rectangles it recorded, at most `capacity`.
int DrawMarkupBlock(HDC dc, IRenderHostUI& manager, RECT& rect, const std::wstring& text,
                    const MarkupOptions& options, UINT style, RECT* linkRects,
                    std::wstring* linkTexts, int capacity);

// A new bitmap of the area as painted (`rect` not empty), or null.
HBITMAP CaptureArea(IRenderHostUI& manager, const RECT& rect, const void* stopControl, DWORD color);

}  // namespace VantuUI
