#include "ui/render/windows/coverage.h"

#include <algorithm>

#include "platform/gdi/windows/gdi_objects.h"

namespace VantuUI {

namespace {

// A scratch bitmap over the part of `bounds` that the DC's clip lets through.
struct Scratch {
    RECT area{};
    int width = 0;
    int height = 0;
    std::uint32_t* bits = nullptr;
    platform::BitmapObject bitmap;
    platform::MemoryDc dc;
};

bool MakeScratch(HDC dc, const RECT& bounds, Scratch& s) {
    RECT box{};
    if (GetClipBox(dc, &box) == ERROR) {
        return false;
    }
    s.area = RECT{std::max(bounds.left, box.left), std::max(bounds.top, box.top),
                  std::min(bounds.right, box.right), std::min(bounds.bottom, box.bottom)};
    s.width = s.area.right - s.area.left;
    s.height = s.area.bottom - s.area.top;
    if (s.width <= 0 || s.height <= 0) {
        return false;
    }
    s.bitmap = platform::CreateDibSection(s.width, s.height, &s.bits);
    s.dc = platform::CreateMemoryDc();
    return s.bitmap != nullptr && s.dc != nullptr;
}

void Paint(Scratch& s, const std::function<void(HDC)>& paint) {
    platform::Selection selected(s.dc.get(), s.bitmap.get());
    SetViewportOrgEx(s.dc.get(), -s.area.left, -s.area.top, nullptr);
    paint(s.dc.get());
    SetViewportOrgEx(s.dc.get(), 0, 0, nullptr);
    GdiFlush();
}

void Blend(HDC dc, Scratch& s, BYTE constantAlpha) {
    platform::Selection selected(s.dc.get(), s.bitmap.get());
    BLENDFUNCTION blend{AC_SRC_OVER, 0, constantAlpha, AC_SRC_ALPHA};
    AlphaBlend(dc, s.area.left, s.area.top, s.width, s.height, s.dc.get(), 0, 0, s.width, s.height,
               blend);
}

}  // namespace

void BlendCoverage(HDC dc, const RECT& bounds, DWORD color, const std::function<void(HDC)>& paint) {
    Scratch s;
    if (dc == nullptr || (color >> 24) == 0 || !MakeScratch(dc, bounds, s)) {
        return;
    }
    Paint(s, paint);
    const DWORD alpha = color >> 24;
    const DWORD r = (color >> 16) & 0xFF;
    const DWORD g = (color >> 8) & 0xFF;
    const DWORD b = color & 0xFF;
    const std::size_t count = static_cast<std::size_t>(s.width) * s.height;
    for (std::size_t i = 0; i < count; ++i) {
        std::uint32_t p = s.bits[i];
        DWORD cover = std::max({(p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF});
        DWORD a = (cover * alpha + 127) / 255;
        s.bits[i] = (a << 24) | (((r * a + 127) / 255) << 16) | (((g * a + 127) / 255) << 8) |
                    ((b * a + 127) / 255);
    }
    Blend(dc, s, 255);
}

void BlendOpaque(HDC dc, const RECT& bounds, BYTE alpha, const std::function<void(HDC)>& paint) {
    Scratch s;
    if (dc == nullptr || alpha == 0 || !MakeScratch(dc, bounds, s)) {
        return;
    }
    Paint(s, paint);
    const std::size_t count = static_cast<std::size_t>(s.width) * s.height;
    for (std::size_t i = 0; i < count; ++i) {
        s.bits[i] |= 0xFF000000u;
    }
    Blend(dc, s, alpha);
}

}  // namespace VantuUI
