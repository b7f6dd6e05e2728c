// The screen may keep no pixels (a desktop without a display, under wine):
// the manager's back buffer is what the window shows.

#include "tools/gallery/screenshot.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "tools/gallery/windows/window_capture.h"

// Only this file writes PNGs in the program; its own copy of the writer.
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#include <stb/stb_image_write.h>
#pragma GCC diagnostic pop

namespace gallery {

bool WriteScreenshot(VantuUI::CWindowManagerUI& manager, const std::filesystem::path& file) {
    const auto image = CaptureWindow(manager);
    if (!image) {
        return false;
    }
    // Premultiplied BGRA to straight RGBA.
    std::vector<std::uint8_t> rgba;
    rgba.reserve(image->pixels.size() * 4);
    for (const std::uint32_t pixel : image->pixels) {
        const std::uint32_t alpha = pixel >> 24;
        auto straight = [alpha](std::uint32_t channel) {
            return static_cast<std::uint8_t>(alpha == 0 ? 0
                                                        : std::min(255u, channel * 255 / alpha));
        };
        rgba.push_back(straight((pixel >> 16) & 0xFF));
        rgba.push_back(straight((pixel >> 8) & 0xFF));
        rgba.push_back(straight(pixel & 0xFF));
        rgba.push_back(static_cast<std::uint8_t>(alpha));
    }
    return stbi_write_png(file.string().c_str(), image->width, image->height, 4, rgba.data(),
                          image->width * 4) != 0;
}

}  // namespace gallery
