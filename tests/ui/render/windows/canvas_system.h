#pragma once

// The test canvas on Windows: a 32-bit top-down DIB section selected into a
// memory DC. Included by render_test_support.h.

#include <stb/stb_image_write.h>

#include "platform/gdi/windows/gdi_objects.h"

namespace render_testing {

struct Canvas::State {
    platform::BitmapObject bitmap;
    platform::MemoryDc memory;
    std::uint32_t* bits = nullptr;
    HGDIOBJ previous = nullptr;
};

inline Canvas::Canvas(int w, int h, std::uint32_t fill)
    : m_state(std::make_unique<State>()), m_width(w), m_height(h) {
    m_state->bitmap = platform::CreateDibSection(w, h, &m_state->bits);
    m_state->memory = platform::CreateMemoryDc();
    if (!m_state->bitmap || !m_state->memory) {
        return;
    }
    m_state->previous = SelectObject(m_state->memory.get(), m_state->bitmap.get());
    dc = m_state->memory.get();
    std::fill(m_state->bits, m_state->bits + static_cast<std::size_t>(w) * h, fill);
}

inline Canvas::~Canvas() {
    if (dc != nullptr) {
        SelectObject(dc, m_state->previous);
    }
}

inline std::uint32_t Canvas::At(int x, int y) {
    GdiFlush();
    return m_state->bits[static_cast<std::size_t>(y) * m_width + x];
}

inline bool Canvas::Healthy() {
    RECT box{};
    return dc != nullptr && GetClipBox(dc, &box) != ERROR;
}

inline void Canvas::SavePng(const std::filesystem::path& file) {
    std::vector<std::uint8_t> rgba;
    for (int y = 0; y < m_height; ++y) {
        for (int x = 0; x < m_width; ++x) {
            std::uint32_t p = At(x, y);
            std::uint32_t a = p >> 24;
            auto straight = [a](std::uint32_t c) {
                return static_cast<std::uint8_t>(
                    a == 0 ? 0 : std::min<std::uint32_t>(255, c * 255 / a));
            };
            rgba.push_back(straight((p >> 16) & 0xFF));
            rgba.push_back(straight((p >> 8) & 0xFF));
            rgba.push_back(straight(p & 0xFF));
            rgba.push_back(static_cast<std::uint8_t>(a));
        }
    }
    stbi_write_png(file.string().c_str(), m_width, m_height, 4, rgba.data(), m_width * 4);
}

inline int BitmapWidth(HBITMAP bitmap) {
    BITMAP info{};
    return GetObjectW(bitmap, sizeof info, &info) != 0 ? info.bmWidth : 0;
}

inline std::uint32_t BitmapPixel(HBITMAP bitmap, int x, int y) {
    DIBSECTION dib{};
    if (GetObjectW(bitmap, sizeof dib, &dib) != sizeof dib || dib.dsBm.bmBits == nullptr) {
        return 0;
    }
    GdiFlush();
    const auto* bits = static_cast<const std::uint32_t*>(dib.dsBm.bmBits);
    // The engine's bitmaps are top-down.
    return bits[static_cast<std::size_t>(y) * dib.dsBm.bmWidth + x];
}

inline void FreeBitmap(HBITMAP bitmap) {
    platform::BitmapObject owned(bitmap);
}

}  // namespace render_testing
