#include "ui/control/slider/slider_track.h"

namespace VantuUI {

namespace {

// Wide arithmetic: a large range times a long track overflows 32 bits.
long long Scale(long long value, long long numerator, long long denominator) {
    return value * numerator / denominator;
}

}  // namespace

// Along the track, distances run from the minimum's end: rightwards from
// the left edge, or upwards from the bottom edge.
long long SliderTrack::Length() const {
    return horizontal ? item.right - item.left : item.bottom - item.top;
}

long long SliderTrack::ThumbLength() const {
    return horizontal ? thumb.cx : thumb.cy;
}

bool SliderTrack::CanSlide() const {
    return maximum != minimum && Length() > ThumbLength();
}

RECT SliderTrack::ThumbRect(int value) const {
    const long long offset =
        CanSlide() ? Scale(static_cast<long long>(value) - minimum, Length() - ThumbLength(),
                           static_cast<long long>(maximum) - minimum)
                   : 0;
    if (horizontal) {
        const auto left = static_cast<LONG>(item.left + offset);
        const LONG top = (item.bottom + item.top - thumb.cy) / 2;
        return RECT{left, top, left + thumb.cx, top + thumb.cy};
    }
    const LONG left = (item.right + item.left - thumb.cx) / 2;
    const auto bottom = static_cast<LONG>(item.bottom - offset);
    return RECT{left, bottom - thumb.cy, left + thumb.cx, bottom};
}

std::optional<int> SliderTrack::ValueAt(POINT point) const {
    if (!CanSlide()) {
        return std::nullopt;
    }
    const long long distance = horizontal ? point.x - item.left : item.bottom - point.y;
    const long long half = ThumbLength() / 2;
    if (distance >= Length() - half) {
        return maximum;
    }
    if (distance <= half) {
        return minimum;
    }
    return static_cast<int>(minimum + Scale(distance - half,
                                            static_cast<long long>(maximum) - minimum,
                                            Length() - ThumbLength()));
}

}  // namespace VantuUI
