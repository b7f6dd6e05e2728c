#include "tests/ui/support/presented_pixel.h"

#include "tools/gallery/windows/window_capture.h"

namespace ui_testing {

std::uint32_t PresentedPixel(HWND top, int x, int y) {
    for (VantuUI::CWindowManagerUI* manager : VantuUI::CWindowManagerUI::LiveManagers()) {
        if (manager->WindowHandle() != top) {
            continue;
        }
        const auto image = gallery::CaptureWindow(*manager);
        if (!image || x < 0 || y < 0 || x >= image->width || y >= image->height) {
            return 0;
        }
        return image->pixels[static_cast<std::size_t>(y) * image->width + x] & 0xFFFFFFu;
    }
    return 0;
}

}  // namespace ui_testing
