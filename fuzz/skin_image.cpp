// Skin image attributes and image bytes: the spec parser on any text and the
// decoder (with premultiplication and masking) on any bytes.

#include <cstddef>
#include <cstdint>
#include <string>

#include "ui/render/render_engine.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    if ((data[0] & 1) == 0) {
        VantuUI::ImageDrawInfo record;
        record.spec.assign(data + 1, data + size);  // bytes as characters
        VantuUI::RenderEngine::ParseImageSpec(record);
    } else {
        auto image = VantuUI::RenderEngine::LoadImageFromMemory(data + 1, size - 1, 0xFFFF00FF);
        if (image && (image->width <= 0 || image->height <= 0)) {
            __builtin_trap();
        }
    }
    return 0;
}
