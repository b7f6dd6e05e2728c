#include "tests/ui/support/presented_pixel.h"

#include "platform/window/display/display_seam.h"

namespace ui_testing {

std::uint32_t PresentedPixel(HWND top, int x, int y) {
    return platform::seam::PresentedPixel(top, x, y);
}

}  // namespace ui_testing
