#pragma once

// Stateless drawing shared by the paint manager and every control. A DC is the
// system's (a Cairo context on Linux, a GDI DC on Windows); all coordinates are
// window-client pixels and all colours 0xAARRGGBB.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/render/render_types.h"

namespace VantuUI {

// A clip in force while it lives: the rectangle (or round rectangle) AND the
// clip that was there before. Going away puts the previous clip back.
class RenderClip {
  public:
    RenderClip() = default;
    ~RenderClip();
    RenderClip(const RenderClip&) = delete;
    RenderClip& operator=(const RenderClip&) = delete;

    // Paint with the clip that was there before (floating children), then
    // return to this one.
    void UseOldClipBegin();
    void UseOldClipEnd();

    RECT rect{};

  private:
    friend class RenderEngine;
    HDC m_dc = nullptr;
    std::vector<RECT> m_previous;  // the earlier clip as rectangles
    bool m_hadPrevious = false;
};

// A parsed image spec (what the key='value' list says besides the record's own fields).
struct ImageSpec {
    std::wstring name;
    std::optional<std::wstring> type;  // "res" with "restype", or "*COLOR*"
    DWORD mask = 0;
    bool hsl = false;
};

class RenderEngine {
  public:
    // Images.
    static std::unique_ptr<ImageInfo> LoadSkinImage(const std::wstring& name,
                                                    const std::wstring* type, DWORD mask);
    static std::unique_ptr<ImageInfo> LoadImageFromMemory(const std::uint8_t* data, size_t size,
                                                          DWORD mask);
    // Straight RGBA bytes (top-down rows, no padding) as premultiplied pixels;
    // pixels equal to `mask` (0xAARRGGBB, 0: none) become transparent.
    static std::unique_ptr<ImageInfo> ImageFromRgba(const std::uint8_t* rgba, int width, int height,
                                                    DWORD mask);
    static std::unique_ptr<ImageInfo> MakeColorImage(DWORD color);
    static void FreeSkinImage(ImageInfo* image, bool deleteRecord);
    // Where image bytes come from (the skin archive, resources): name and
    // type (null: none) to bytes. Process-wide; without it, or when it finds
    // nothing, the name is read as a file path.
    using ImageReader = std::function<std::optional<std::vector<std::uint8_t>>(
        const std::wstring&, const std::wstring*)>;
    static void SetImageReader(ImageReader reader);

    // Image specs.
    static ImageSpec ParseImageSpec(ImageDrawInfo& record);
    static bool DrawImageSpec(HDC dc, IRenderHostUI* manager, const RECT& item, const RECT& paint,
                              ImageDrawInfo& record);
    static void DrawImageGrid(HDC dc, HBITMAP bitmap, const RECT& dest, const RECT& paint,
                              const RECT& source, const RECT& corner, bool alpha, BYTE fade,
                              bool hole, bool xtiled, bool ytiled);

    // Fills and lines.
    static void DrawColor(HDC dc, const RECT& rect, DWORD color);
    static void DrawGradient(HDC dc, const RECT& rect, DWORD first, DWORD second, bool vertical,
                             int steps);
    static void DrawLine(HDC dc, const RECT& rect, int width, DWORD color, int style = PS_SOLID);
    static void DrawRect(HDC dc, const RECT& rect, int width, DWORD color, int style = PS_SOLID);
    static void DrawRoundRect(HDC dc, const RECT& rect, int width, int ellipseWidth,
                              int ellipseHeight, DWORD color, int style = PS_SOLID);

    // Clips.
    static void GenerateClip(HDC dc, const RECT& rect, RenderClip& clip);
    static void GenerateRoundClip(HDC dc, const RECT& paint, const RECT& item, int ellipseWidth,
                                  int ellipseHeight, RenderClip& clip);

    // Hue (0..359, 180 neutral), saturation and lightness (percent, 100 neutral).
    static DWORD AdjustColor(DWORD color, int hue, int saturation, int lightness);
    static void AdjustImage(bool useHsl, ImageInfo* image, int hue, int saturation, int lightness);

    // Text. `rect` is in/out for DT_CALCRECT.
    static void DrawPlainText(HDC dc, IRenderHostUI* manager, RECT& rect, const std::wstring& text,
                              DWORD color, int font, UINT style);
    static void DrawMarkupText(HDC dc, IRenderHostUI* manager, RECT& rect, const std::wstring& text,
                               DWORD color, RECT* linkRects, std::wstring* linkTexts,
                               int& linkCount, int font, UINT style);

    // A copy of an area of the window as painted (null on failure); filled
    // with `color` afterwards when its alpha is not 0. The caller owns it
    // (cairo_surface_destroy on Linux, DeleteObject on Windows).
    static HBITMAP CaptureWindowArea(IRenderHostUI* manager, const RECT& rect,
                                     const void* stopControl, DWORD color);
};

// "#AARRGGBB" or "AARRGGBB" (hexadecimal) to a colour.
DWORD ParseColorText(std::wstring_view text);

}  // namespace VantuUI
