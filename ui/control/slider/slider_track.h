#pragma once

// Where a slider's thumb sits for a value, and which value a point stands
// for. Horizontal sliders grow to the right, vertical ones upwards.

#include <optional>

#include "platform/win32.h"

namespace VantuUI {

struct SliderTrack {
    RECT item{};
    SIZE thumb{};
    int minimum = 0;
    int maximum = 0;
    bool horizontal = true;

    // False for an empty range or an item no longer than its thumb: the
    // thumb then stays at the start and no point changes the value.
    bool CanSlide() const;
    // The thumb's rectangle for `value`, in the coordinates of `item`.
    RECT ThumbRect(int value) const;
    // The value at `point`, or nothing when the track cannot slide.
    std::optional<int> ValueAt(POINT point) const;

  private:
    long long Length() const;
    long long ThumbLength() const;
};

}  // namespace VantuUI
