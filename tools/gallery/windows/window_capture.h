#pragma once

// What a managed window shows, read back where the desktop keeps no pixels
// (wine without a display): the paint manager's back buffer with the native
// child windows printed over it. Pixels are premultiplied 0xAARRGGBB, rows
// top-down.

#include <cstdint>
#include <optional>
#include <vector>

#include "ui/core/manager/window_manager.h"

namespace gallery {

struct CapturedImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

std::optional<CapturedImage> CaptureWindow(VantuUI::CWindowManagerUI& manager);

}  // namespace gallery
