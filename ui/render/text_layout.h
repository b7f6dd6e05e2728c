#pragma once

// Pango layouts for the render engine's text: one shared context per thread
// with the zh-CN language (Han text in Simplified forms), fonts in absolute
// pixel sizes.

#include <pango/pangocairo.h>

#include <memory>
#include <string>

#include "ui/render/render_types.h"

namespace VantuUI {

struct LayoutDeleter {
    void operator()(PangoLayout* layout) const { g_object_unref(layout); }
};
using LayoutPtr = std::unique_ptr<PangoLayout, LayoutDeleter>;

// A layout for drawing on `dc` (may be null: measuring only) in `font`.
LayoutPtr CreateTextLayout(HDC dc, const FontInfo& font);
// The Pango description of a font (owned by a per-thread cache).
const PangoFontDescription* FontDescription(const FontInfo& font);
// The font to use for an id: the manager's, or the default one.
const FontInfo& ResolveFont(IRenderHostUI* manager, int id);

}  // namespace VantuUI
