#include "tests/ui/support/presented_pixel.h"

#include "tools/gallery/windows/window_capture.h"

namespace ui_testing {

PresentedImage CapturePresented(HWND top) {
    PresentedImage result;
    for (VantuUI::CWindowManagerUI* manager : VantuUI::CWindowManagerUI::LiveManagers()) {
        if (manager->WindowHandle() != top) {
            continue;
        }
        if (auto image = gallery::CaptureWindow(*manager)) {
            result.width = image->width;
            result.height = image->height;
            result.pixels = std::move(image->pixels);
            for (std::uint32_t& pixel : result.pixels) {
                pixel &= 0xFFFFFFu;
            }
        }
        break;
    }
    return result;
}

std::uint32_t PresentedPixel(HWND top, int x, int y) {
    return CapturePresented(top).At(x, y);
}

}  // namespace ui_testing
