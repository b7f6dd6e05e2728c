#pragma once

// Rectangle arithmetic the platform's drawing code shares (defined with the
// window system, which uses it most).

#include "platform/win32.h"

namespace platform {

int Width(const RECT& r);
int Height(const RECT& r);
// The common part of two rectangles; false (and an empty `out`) when none.
bool Intersect(RECT& out, const RECT& a, const RECT& b);
RECT Union(const RECT& a, const RECT& b);

}  // namespace platform
