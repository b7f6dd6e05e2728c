#pragma once

// Surfaces, images and a stand-in paint manager for render tests.

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

// A 32-bit premultiplied drawing surface and its DC: a Cairo image surface
// on Linux, a DIB section in a memory DC on Windows (linux/, windows/).
class Canvas {
  public:
    Canvas(int w, int h, std::uint32_t fill = 0xFFFFFFFF);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    // The pixel as 0xAARRGGBB, premultiplied.
    std::uint32_t At(int x, int y);
    // False once the system reports the DC broken.
    bool Healthy();
    // The canvas as a PNG (straight alpha).
    void SavePng(const std::filesystem::path& file);
    int Width() const { return m_width; }
    int Height() const { return m_height; }

    HDC dc = nullptr;

  private:
    struct State;
    std::unique_ptr<State> m_state;
    int m_width = 0;
    int m_height = 0;
};

// What the engine hands out as an HBITMAP (captures): width, a pixel
// (0xAARRGGBB), and letting it go.
int BitmapWidth(HBITMAP bitmap);
std::uint32_t BitmapPixel(HBITMAP bitmap, int x, int y);
void FreeBitmap(HBITMAP bitmap);

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
            auto similar = [&](int shift) {
                return std::abs(static_cast<int>((p >> shift) & 0xFF) -
                                static_cast<int>((rgb >> shift) & 0xFF)) < 90;
            };
            if (similar(16) && similar(8) && similar(0)) {
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

#ifdef _WIN32
#include "tests/ui/render/windows/canvas_system.h"
#else
#include "tests/ui/render/linux/canvas_system.h"
#endif
