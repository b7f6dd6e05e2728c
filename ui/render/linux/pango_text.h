#pragma once

// The render engine's text layouts on Linux: the platform's Pango layouts (one
// shared zh-CN context per thread, fonts in pixels) in the fonts of the paint manager.

#include "platform/gdi/text_layout.h"
#include "ui/render/text/text_layout.h"

namespace VantuUI {

using platform::CreateTextLayout;
using platform::FontDescription;
using platform::LayoutPtr;

}  // namespace VantuUI
