#pragma once

// The records the render engine works on: loaded images, parsed image
// specs, fonts, clip regions, and what it asks of the window's paint manager.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/gdi/font_spec.h"
#include "platform/win32.h"

namespace VantuUI {

// One decoded image: premultiplied 32-bit pixels (0xAARRGGBB, top-down, rows
// packed) in the system's bitmap (a Cairo image surface, a DIB section). Owns it.
struct ImageInfo {
    HBITMAP bitmap = nullptr;
    std::uint8_t* pixels = nullptr;        // the bitmap's memory
    std::vector<std::uint8_t> unadjusted;  // kept for HSL re-adjustment; empty = none
    int width = 0;
    int height = 0;
    bool hasAlpha = false;
    bool useHsl = false;
    std::wstring resType;

    ImageInfo() = default;
    ~ImageInfo();
    ImageInfo(const ImageInfo&) = delete;
    ImageInfo& operator=(const ImageInfo&) = delete;
};

// One image attribute of a control, parsed from its spec on first use.
struct ImageDrawInfo {
    std::wstring spec;
    std::wstring imageName;
    bool loadTried = false;
    const ImageInfo* image = nullptr;  // not owned
    RECT dest{};
    RECT source{};
    RECT corner{};
    BYTE fade = 255;
    bool hole = false;
    bool xtiled = false;
    bool ytiled = false;

    void Clear() { *this = ImageDrawInfo{}; }
};

// A font record: face, pixel size, bold, underline, italic; its metrics come
// from platform::MeasureFont.
using FontInfo = platform::FontSpec;

// What drawing needs from the window's paint manager.
class IRenderHostUI {
  public:
    virtual ~IRenderHostUI() = default;
    // A registered image, loading it on first request; null when it cannot be
    // loaded. `type` null: no resource type.
    virtual const ImageInfo* ImageByNameOrLoad(const std::wstring& name, const std::wstring* type,
                                               DWORD mask, bool useHsl) = 0;
    // The font of an id; null gives the default font.
    virtual const FontInfo* FontById(int id) = 0;
    // The id of a registered font equal to `font`, or -1.
    virtual int FindFont(const FontInfo& /*font*/) { return -1; }
    // Registers a font met in tagged text and returns its id.
    virtual int AddFont(const FontInfo& font) = 0;
    // The system font of `font`, kept by the host; null: the caller makes
    // its own.
    virtual HFONT CachedFont(const FontInfo& /*font*/) { return nullptr; }
    virtual std::wstring ExpandStringTokens(const std::wstring& text) { return text; }
    virtual DWORD LinkColor() { return 0xFF0000FF; }
    virtual DWORD LinkHoverColor() { return 0xFFD3215F; }
    virtual DWORD SelectedBackColor() { return 0xFFBAE4FF; }
    // The last mouse position in client coordinates.
    virtual POINT MousePosition() { return POINT{-1, -1}; }
    // Paints the control tree over `rect` into `dc`, up to `stopControl`.
    virtual void PaintTree(HDC, const RECT&, const void* /*stopControl*/) {}
    // The off-screen bitmap of the last paint, when there is one.
    virtual HBITMAP OffscreenBitmap() { return nullptr; }
};

}  // namespace VantuUI
