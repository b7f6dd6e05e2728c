#pragma once

// Skin words for text-drawing flags, shared by every control that draws a
// text with its own alignment ("align", "valign", "endellipsis",
// "multiline" and their "item" forms).

#include <string>

#include "platform/win32.h"

namespace VantuUI {

// Text containing "left", "center" or "right", tested in that order; other
// text leaves the style as it is.
UINT WithHorizontalAlign(UINT style, const std::wstring& value);
// Text containing "top", "vcenter" or "bottom", tested in that order.
UINT WithVerticalAlign(UINT style, const std::wstring& value);
UINT WithFlag(UINT style, UINT flag, bool on);
// Multi-line text wraps at words; single-line text does not.
UINT WithMultiline(UINT style, bool multiline);

}  // namespace VantuUI
