#pragma once

// The dash patterns of pen styles, the same on every system: cosmetic
// patterns only apply to thin pens, wide ones are solid.

#include <span>

#include "platform/win32.h"

namespace VantuUI {

// On and off lengths in pixels, starting with on; empty for a solid line.
std::span<const DWORD> DashPattern(int style, int width);

}  // namespace VantuUI
