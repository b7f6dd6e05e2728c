#include "ui/control/slider/slider_track.h"

namespace VantuUI {

namespace {

// Wide arithmetic: a large range times a long track overflows 32 bits.
int Scale(long long value, long long numerator, long long denominator) {
    return static_cast<int>(value * numerator / denominator);
}

}  // namespace

bool SliderTrack::CanSlide() const {
    const long long travel =
        horizontal ? item.right - item.left - thumb.cx : item.bottom - item.top - thumb.cy;
    return maximum != minimum && travel > 0;
}

RECT SliderTrack::ThumbRect(int value) const {
    RECT thumbRect{};
    if (horizontal) {
        thumbRect.left = item.left;
        if (CanSlide()) {
            thumbRect.left +=
                Scale(static_cast<long long>(value) - minimum, item.right - item.left - thumb.cx,
                      static_cast<long long>(maximum) - minimum);
        }
        thumbRect.top = (item.bottom + item.top - thumb.cy) / 2;
        thumbRect.right = thumbRect.left + thumb.cx;
        thumbRect.bottom = thumbRect.top + thumb.cy;
        return thumbRect;
    }
    thumbRect.left = (item.right + item.left - thumb.cx) / 2;
    thumbRect.bottom = item.bottom;
    if (CanSlide()) {
        thumbRect.bottom -=
            Scale(static_cast<long long>(value) - minimum, item.bottom - item.top - thumb.cy,
                  static_cast<long long>(maximum) - minimum);
    }
    thumbRect.right = thumbRect.left + thumb.cx;
    thumbRect.top = thumbRect.bottom - thumb.cy;
    return thumbRect;
}

std::optional<int> SliderTrack::ValueAt(POINT point) const {
    if (!CanSlide()) {
        return std::nullopt;
    }
    const long long range = static_cast<long long>(maximum) - minimum;
    if (horizontal) {
        if (point.x >= item.right - thumb.cx / 2) {
            return maximum;
        }
        if (point.x <= item.left + thumb.cx / 2) {
            return minimum;
        }
        return minimum +
               Scale(point.x - thumb.cx / 2 - item.left, range, item.right - item.left - thumb.cx);
    }
    if (point.y >= item.bottom - thumb.cy / 2) {
        return minimum;
    }
    if (point.y <= item.top + thumb.cy / 2) {
        return maximum;
    }
    return minimum +
           Scale(item.bottom - thumb.cy / 2 - point.y, range, item.bottom - item.top - thumb.cy);
}

}  // namespace VantuUI
