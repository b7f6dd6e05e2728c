#pragma once

// What a top-level window shows, as 0x00RRGGBB: the offscreen display's
// surface on Linux; on Windows, where the test desktop keeps no pixels, what
// its paint manager last presented with its child windows printed over it.

#include <cstdint>
#include <vector>

#include "platform/window/window_api.h"

namespace ui_testing {

// The whole client area at once: for tests that look at many pixels (a
// capture on Windows costs as much as the window's area).
struct PresentedImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    // 0 outside the image.
    std::uint32_t At(int x, int y) const {
        return x >= 0 && y >= 0 && x < width && y < height
                   ? pixels[static_cast<std::size_t>(y) * width + x]
                   : 0;
    }
};

PresentedImage CapturePresented(HWND top);

// One pixel; 0 outside the client area.
std::uint32_t PresentedPixel(HWND top, int x, int y);

}  // namespace ui_testing
