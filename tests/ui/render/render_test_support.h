#pragma once

// Surfaces, images and a stand-in paint manager for render tests.

#include <cairo.h>
#include <stb/stb_image_write.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/text/text_codec.h"
#include "ui/render/render_engine.h"

namespace render_testing {

struct Canvas {
    Canvas(int w, int h, std::uint32_t fill = 0xFFFFFFFF)
        : surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h)),
          dc(cairo_create(surface)) {
        cairo_set_operator(dc, CAIRO_OPERATOR_SOURCE);
        cairo_set_source_rgba(dc, ((fill >> 16) & 0xFF) / 255.0, ((fill >> 8) & 0xFF) / 255.0,
                              (fill & 0xFF) / 255.0, (fill >> 24) / 255.0);
        cairo_paint(dc);
        cairo_set_operator(dc, CAIRO_OPERATOR_OVER);
    }
    ~Canvas() {
        cairo_destroy(dc);
        cairo_surface_destroy(surface);
    }
    std::uint32_t At(int x, int y) {
        cairo_surface_flush(surface);
        auto* row =
            cairo_image_surface_get_data(surface) + y * cairo_image_surface_get_stride(surface);
        return reinterpret_cast<const std::uint32_t*>(row)[x];
    }
    cairo_surface_t* surface;
    cairo_t* dc;
};

// RGBA pixels (0xRRGGBBAA each) written as a PNG file.
inline void WritePng(const std::filesystem::path& file, int w, int h,
                     const std::vector<std::uint32_t>& rgba) {
    std::vector<std::uint8_t> bytes;
    for (std::uint32_t p : rgba) {
        bytes.push_back(static_cast<std::uint8_t>(p >> 24));
        bytes.push_back(static_cast<std::uint8_t>(p >> 16));
        bytes.push_back(static_cast<std::uint8_t>(p >> 8));
        bytes.push_back(static_cast<std::uint8_t>(p));
    }
    stbi_write_png(file.string().c_str(), w, h, 4, bytes.data(), w * 4);
}

// What the paint manager will be: images by name, fonts by id.
class TestHost : public VantuUI::IRenderHostUI {
  public:
    const VantuUI::ImageInfo* ImageByNameOrLoad(const std::wstring& name, const std::wstring* type,
                                                DWORD mask, bool) override {
        ++loads;
        auto& slot = images[name];
        if (!slot) {
            slot = VantuUI::RenderEngine::LoadSkinImage(name, type, mask);
        }
        return slot.get();
    }
    const VantuUI::FontInfo* FontById(int id) override {
        auto it = fonts.find(id);
        return it != fonts.end() ? &it->second : nullptr;
    }
    int AddFont(const VantuUI::FontInfo& font) override {
        int id = 1000 + static_cast<int>(fonts.size());
        fonts[id] = font;
        return id;
    }
    POINT MousePosition() override { return mouse; }

    std::map<std::wstring, std::unique_ptr<VantuUI::ImageInfo>> images;
    std::map<int, VantuUI::FontInfo> fonts;
    POINT mouse{-1, -1};
    int loads = 0;
};

// The box of pixels close to one colour (RGB) in the canvas's top-left w x h;
// antialiased edges fade to the background, so only the heart of each
// stroke counts. Right and bottom are -1 when there is none.
inline RECT InkOf(Canvas& c, int w, int h, std::uint32_t rgb) {
    RECT box{w, h, -1, -1};
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            std::uint32_t p = c.At(x, y);
            auto near = [&](int shift) {
                return std::abs(static_cast<int>((p >> shift) & 0xFF) -
                                static_cast<int>((rgb >> shift) & 0xFF)) < 90;
            };
            if (near(16) && near(8) && near(0)) {
                box.left = std::min<LONG>(box.left, x);
                box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1);
                box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
        }
    }
    return box;
}

inline bool Inked(std::uint32_t pixel) {
    return (pixel & 0x00FFFFFF) != 0x00FFFFFF;
}

}  // namespace render_testing
