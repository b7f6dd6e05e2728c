#pragma once

// The gallery window as a PNG file: what its paint manager last presented.

#include <filesystem>

#include "ui/core/manager/window_manager.h"

namespace gallery {

bool WriteScreenshot(VantuUI::CWindowManagerUI& manager, const std::filesystem::path& file);

}  // namespace gallery
