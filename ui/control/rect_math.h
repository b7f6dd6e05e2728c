#pragma once

// Rectangle arithmetic on window-client pixels. Rectangles are half-open:
// right and bottom are outside.

#include <algorithm>

#include "platform/win32.h"

namespace VantuUI {

inline bool RectIsEmpty(const RECT& r) {
    return r.right <= r.left || r.bottom <= r.top;
}

// The common part of a and b; false (and an all-zero result) when empty.
inline bool RectIntersect(RECT& out, const RECT& a, const RECT& b) {
    RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom)};
    if (RectIsEmpty(r)) {
        out = RECT{};
        return false;
    }
    out = r;
    return true;
}

// The smallest rectangle holding both; an empty side is ignored.
inline RECT RectUnion(const RECT& a, const RECT& b) {
    if (RectIsEmpty(a)) {
        return b;
    }
    if (RectIsEmpty(b)) {
        return a;
    }
    return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}

inline RECT RectOffset(const RECT& r, LONG dx, LONG dy) {
    return RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

inline bool RectContains(const RECT& r, const POINT& p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

inline bool RectsMeet(const RECT& a, const RECT& b) {
    RECT unused;
    return RectIntersect(unused, a, b);
}

}  // namespace VantuUI
