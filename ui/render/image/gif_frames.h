#pragma once

// The frames of an animated GIF (what the GIF control plays), decoded with
// stb_image: every frame is the whole composed canvas in premultiplied 32-bit
// pixels, with how long it shows.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "ui/render/render_types.h"

namespace VantuUI {

struct GifFrames {
    std::vector<std::unique_ptr<ImageInfo>> frames;
    std::vector<int> delays;  // milliseconds, one per frame, as the file gives them
    // Whether the file gives delays at all: one without them is a set of
    // pictures, not an animation to start by itself.
    bool hasFrameDelays = false;
};

// Nullopt for what is not a GIF, a damaged one, or one whose frames together
// would need more memory than any skin animation does.
std::optional<GifFrames> LoadGifFrames(const std::uint8_t* data, std::size_t size);

}  // namespace VantuUI
