// The display stand-in keeps each window's pixels: it writes them itself.

#include "tools/gallery/screenshot.h"

#include "platform/window/window_system.h"

namespace gallery {

bool WriteScreenshot(VantuUI::CWindowManagerUI& manager, const std::filesystem::path& file) {
    return platform::WriteWindowPng(manager.WindowHandle(), file);
}

}  // namespace gallery
