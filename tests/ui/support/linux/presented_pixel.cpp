#include "tests/ui/support/presented_pixel.h"

#include "platform/window/display/display_seam.h"

namespace ui_testing {

std::uint32_t PresentedPixel(HWND top, int x, int y) {
    return platform::seam::PresentedPixel(top, x, y);
}

PresentedImage CapturePresented(HWND top) {
    PresentedImage result;
    RECT client{};
    if (GetClientRect(top, &client) == FALSE) {
        return result;
    }
    result.width = client.right;
    result.height = client.bottom;
    result.pixels.reserve(static_cast<std::size_t>(result.width) * result.height);
    for (int y = 0; y < result.height; ++y) {
        for (int x = 0; x < result.width; ++x) {
            result.pixels.push_back(platform::seam::PresentedPixel(top, x, y));
        }
    }
    return result;
}

}  // namespace ui_testing
