#pragma once

// PNG files of made-up pixels for the benchmarks' skins and scenes, written
// with stb (Cairo is not there in the Windows program).

#include <stb/stb_image_write.h>

#include <cstdint>
#include <filesystem>
#include <vector>

namespace bench_support {

// `colour(x, y)` gives each pixel as 0xAARRGGBB, straight alpha.
template <class Colour>
bool WritePng(const std::filesystem::path& file, int width, int height, Colour colour) {
    std::filesystem::create_directories(file.parent_path());
    std::vector<std::uint8_t> rgba;
    rgba.reserve(static_cast<std::size_t>(width) * height * 4);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t c = colour(x, y);
            rgba.push_back(static_cast<std::uint8_t>(c >> 16));
            rgba.push_back(static_cast<std::uint8_t>(c >> 8));
            rgba.push_back(static_cast<std::uint8_t>(c));
            rgba.push_back(static_cast<std::uint8_t>(c >> 24));
        }
    }
    return stbi_write_png(file.string().c_str(), width, height, 4, rgba.data(), width * 4) != 0;
}

}  // namespace bench_support
