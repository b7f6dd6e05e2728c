#pragma once

// What the label's text effects work out alike on every system; the drawing
// itself is per system (linux/, windows/label_effects.cpp).

#include "platform/win32.h"

namespace VantuUI {

// The size the glow shrinks the text to before blowing it up again. A factor
// below 1 would enlarge instead of blur, and a tiny one would ask for an image
// thousands of times the label's size: the size never passes the label's own
// and never drops below 1 x 1.
SIZE GlowSize(int width, int height, float fuzzy);

}  // namespace VantuUI
