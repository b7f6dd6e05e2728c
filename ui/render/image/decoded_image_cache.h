#pragma once

// Decoded skin images kept by their file bytes: every window loads its own
// images, and decoding the same PNG again for the next window costs far more
// than copying its pixels. Keyed by content (and the mask colour), so a file
// that changes on disk is decoded afresh. Bounded; safe from any thread.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/win32.h"

namespace VantuUI {

struct DecodedImage {
    int width = 0;
    int height = 0;
    bool hasAlpha = false;
    // Premultiplied 0xAARRGGBB, rows packed without padding.
    std::vector<std::uint32_t> pixels;
};

std::shared_ptr<const DecodedImage> FindDecodedImage(const std::uint8_t* data, std::size_t size,
                                                     DWORD mask);
void KeepDecodedImage(const std::uint8_t* data, std::size_t size, DWORD mask,
                      std::shared_ptr<const DecodedImage> image);

}  // namespace VantuUI
