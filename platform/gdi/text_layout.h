#pragma once

// Stands in for GDI's font selection under DrawText: Pango layouts on one
// shared context per thread with the zh-CN language (Han text in Simplified
// forms), fonts in absolute pixel sizes. A face that is not installed falls
// back through fontconfig to sans-serif. Used by platform/ and ui/render alike.

#include <pango/pangocairo.h>

#include <memory>
#include <string_view>

#include "platform/gdi/font_spec.h"

namespace platform {

struct LayoutDeleter {
    void operator()(PangoLayout* layout) const { g_object_unref(layout); }
};
using LayoutPtr = std::unique_ptr<PangoLayout, LayoutDeleter>;

// The Pango description of a font (owned by a per-thread cache). Underline is
// not part of it: layouts carry it as an attribute.
const PangoFontDescription* FontDescription(const FontSpec& font);

// Starts the font set-up of this thread's text, adopting the font map that
// WarmTextLayout left (once, for the first thread that asks) as the thread's
// default; the display thread calls it before its first window. Whether it
// adopted one.
bool PrepareTextLayout();

// Loads the font configuration, which is the process's: any thread may do it
// ahead of the first layout.
void PrepareFontConfiguration();

// Draws `sample` (UTF-8) in `font` once, out of sight, on a font map of its
// own that it then leaves for PrepareTextLayout, so that the first text the
// display thread draws in that font finds it matched, shaped and rendered.
// Any thread may call it, before the display thread's first text.
void WarmTextLayout(const FontSpec& font, std::string_view sample);
// A layout for drawing on `dc` (may be null: measuring only) in `font`.
LayoutPtr CreateTextLayout(HDC dc, const FontSpec& font);
// A layout of `text` (UTF-8), wrapped at `wrapWidth` pixels when it is positive.
LayoutPtr CreateTextLayout(HDC dc, const FontSpec& font, std::string_view text, int wrapWidth = 0);

}  // namespace platform
