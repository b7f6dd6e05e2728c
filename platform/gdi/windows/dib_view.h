#pragma once

// The pixels of a 32-bit top-down DIB section, read in place. Works while the
// bitmap is selected into a DC, where selecting it into a second DC would fail.

#include <windows.h>

#include <cstdint>
#include <optional>

namespace platform {

struct DibView {
    const std::uint32_t* bits = nullptr;
    int width = 0;
    int height = 0;

    std::uint32_t At(int x, int y) const { return bits[static_cast<std::size_t>(y) * width + x]; }
    bool Holds(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
};

// None when the bitmap is not a 32-bit DIB section. Flushes GDI's pending
// drawing first.
std::optional<DibView> ViewDib(HBITMAP bitmap);

}  // namespace platform
