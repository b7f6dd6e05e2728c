#include "ui/render/windows/coverage.h"

#include <algorithm>

#include "ui/render/windows/scratch_surface.h"

namespace VantuUI {

namespace {

// The part of `bounds` that the DC's clip lets through; empty when none.
RECT VisiblePart(HDC dc, const RECT& bounds) {
    RECT box{};
    if (GetClipBox(dc, &box) == ERROR) {
        return RECT{};
    }
    return RECT{std::max(bounds.left, box.left), std::max(bounds.top, box.top),
                std::min(bounds.right, box.right), std::min(bounds.bottom, box.bottom)};
}

// Calls `paint` on `scratch` with `area`'s coordinates, then `convert` on
// each of its pixels, and blends the result over `dc` at `constantAlpha`.
template <class Convert>
void DrawThroughScratch(HDC dc, const RECT& bounds, BYTE constantAlpha,
                        const std::function<void(HDC)>& paint, Convert convert) {
    const RECT area = VisiblePart(dc, bounds);
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) {
        return;
    }
    ScratchSurface scratch(width, height);
    if (!scratch.Ready()) {
        return;
    }
    HDC sdc = scratch.Dc();
    SetViewportOrgEx(sdc, -area.left, -area.top, nullptr);
    paint(sdc);
    SetViewportOrgEx(sdc, 0, 0, nullptr);
    GdiFlush();
    for (int y = 0; y < height; ++y) {
        std::uint32_t* row = scratch.Bits() + static_cast<std::size_t>(y) * scratch.Stride();
        for (int x = 0; x < width; ++x) {
            row[x] = convert(row[x]);
        }
    }
    BLENDFUNCTION blend{AC_SRC_OVER, 0, constantAlpha, AC_SRC_ALPHA};
    AlphaBlend(dc, area.left, area.top, width, height, sdc, 0, 0, width, height, blend);
}

}  // namespace

void BlendCoverage(HDC dc, const RECT& bounds, DWORD color, const std::function<void(HDC)>& paint) {
    if (dc == nullptr || (color >> 24) == 0) {
        return;
    }
    const DWORD alpha = color >> 24;
    const DWORD r = (color >> 16) & 0xFF;
    const DWORD g = (color >> 8) & 0xFF;
    const DWORD b = color & 0xFF;
    DrawThroughScratch(dc, bounds, 255, paint, [=](std::uint32_t p) -> std::uint32_t {
        if (p == 0) {
            return 0;  // most of a text run's box
        }
        DWORD cover = std::max({(p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF});
        DWORD a = (cover * alpha + 127) / 255;
        return (a << 24) | (((r * a + 127) / 255) << 16) | (((g * a + 127) / 255) << 8) |
               ((b * a + 127) / 255);
    });
}

void BlendOpaque(HDC dc, const RECT& bounds, BYTE alpha, const std::function<void(HDC)>& paint) {
    if (dc == nullptr || alpha == 0) {
        return;
    }
    DrawThroughScratch(dc, bounds, alpha, paint,
                       [](std::uint32_t p) -> std::uint32_t { return p | 0xFF000000u; });
}

}  // namespace VantuUI
