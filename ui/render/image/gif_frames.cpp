#include "ui/render/image/gif_frames.h"

#include <stb/stb_image.h>

#include <cstdlib>
#include <cstring>

#include "ui/render/render_engine.h"

namespace VantuUI {

namespace {

// All frames are decoded at once, each the size of the whole canvas: a small
// hostile file (a huge canvas, or thousands of tiny frames) could otherwise
// make the decoder ask for gigabytes.
constexpr long long kMaxTotalPixels = 32LL << 20;

struct Cursor {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t at = 0;
    bool Has(std::size_t n) const { return size - at >= n && at <= size; }
};

// Skips data sub-blocks up to the terminating empty one.
bool SkipSubBlocks(Cursor& c) {
    while (c.Has(1)) {
        std::size_t length = c.data[c.at++];
        if (length == 0) {
            return true;
        }
        if (!c.Has(length)) {
            return false;
        }
        c.at += length;
    }
    return false;
}

std::size_t ColorTableBytes(std::uint8_t flags) {
    return (flags & 0x80) != 0 ? 3u * (2u << (flags & 0x07)) : 0;
}

// The number of frames the block structure holds, its canvas size, or
// nullopt when it is not a GIF. A file cut short counts the frames before the cut.
struct GifShape {
    int width = 0;
    int height = 0;
    long long frames = 0;
    bool frameDelays = false;  // a graphic control extension, where delays live
};

std::optional<GifShape> ReadShape(const std::uint8_t* data, std::size_t size) {
    if (size < 13 || (std::memcmp(data, "GIF87a", 6) != 0 && std::memcmp(data, "GIF89a", 6) != 0)) {
        return std::nullopt;
    }
    GifShape shape;
    shape.width = data[6] | (data[7] << 8);
    shape.height = data[8] | (data[9] << 8);
    Cursor c{data, size, 13 + ColorTableBytes(data[10])};
    while (c.Has(1)) {
        std::uint8_t kind = c.data[c.at++];
        if (kind == 0x3B) {  // trailer
            break;
        }
        if (kind == 0x21) {  // extension: label, then sub-blocks
            if (!c.Has(1)) {
                break;
            }
            shape.frameDelays = shape.frameDelays || c.data[c.at] == 0xF9;
            ++c.at;
            if (!SkipSubBlocks(c)) {
                break;
            }
        } else if (kind == 0x2C) {  // image: descriptor, colour table, LZW size, data
            if (!c.Has(9)) {
                break;
            }
            std::size_t table = ColorTableBytes(c.data[c.at + 8]);
            c.at += 9;
            if (!c.Has(table + 1)) {
                break;
            }
            c.at += table + 1;
            ++shape.frames;
            if (!SkipSubBlocks(c)) {
                break;
            }
        } else {
            return std::nullopt;
        }
    }
    return shape;
}

}  // namespace

std::optional<GifFrames> LoadGifFrames(const std::uint8_t* data, std::size_t size) {
    if (data == nullptr || size == 0 || size > 0x7FFFFFFF) {
        return std::nullopt;
    }
    auto shape = ReadShape(data, size);
    if (!shape || shape->width <= 0 || shape->height <= 0 || shape->frames <= 0 ||
        shape->frames * shape->width * shape->height > kMaxTotalPixels) {
        return std::nullopt;
    }
    int* delays = nullptr;
    int width = 0;
    int height = 0;
    int count = 0;
    int channels = 0;
    stbi_uc* pixels = stbi_load_gif_from_memory(data, static_cast<int>(size), &delays, &width,
                                                &height, &count, &channels, 4);
    std::unique_ptr<stbi_uc, decltype(&std::free)> ownedPixels(pixels, &std::free);
    std::unique_ptr<int, decltype(&std::free)> ownedDelays(delays, &std::free);
    if (pixels == nullptr || width <= 0 || height <= 0 || count <= 0) {
        return std::nullopt;
    }
    GifFrames result;
    result.hasFrameDelays = shape->frameDelays;
    std::size_t frameBytes = static_cast<std::size_t>(width) * height * 4;
    for (int i = 0; i < count; ++i) {
        auto frame = RenderEngine::ImageFromRgba(pixels + frameBytes * i, width, height, 0);
        if (!frame) {
            return std::nullopt;
        }
        result.frames.push_back(std::move(frame));
        result.delays.push_back(delays != nullptr ? delays[i] : 0);
    }
    return result;
}

}  // namespace VantuUI
