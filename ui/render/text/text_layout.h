#pragma once

// The render engine's text layouts: the platform's Pango layouts (one shared
// zh-CN context per thread, fonts in pixels) in the fonts of the paint manager.

#include "platform/gdi/text_layout.h"
#include "ui/render/render_types.h"

namespace VantuUI {

using platform::CreateTextLayout;
using platform::FontDescription;
using platform::LayoutPtr;

// The font to use for an id: the manager's, or the default one.
const FontInfo& ResolveFont(IRenderHostUI* manager, int id);

}  // namespace VantuUI
