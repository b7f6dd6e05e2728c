// Colour fills, gradients, lines and rectangle outlines with GDI.

#include <algorithm>
#include <vector>

#include "platform/gdi/windows/gdi_objects.h"
#include "ui/render/pen_style.h"
#include "ui/render/render_engine.h"
#include "ui/render/windows/coverage.h"
#include "ui/render/windows/scratch_surface.h"

namespace VantuUI {

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

// A white pen of the width and style; null for PS_NULL. Thin pens take the
// shared dash pattern, in pixels; all have flat ends.
platform::PenObject WhitePen(int width, int style, bool insideFrame) {
    style &= PS_STYLE_MASK;
    if (style == PS_NULL) {
        return nullptr;
    }
    width = std::max(width, 1);
    LOGBRUSH brush{BS_SOLID, kWhite, 0};
    auto pattern = DashPattern(style, width);
    if (width == 1 && !pattern.empty()) {
        std::vector<DWORD> lengths(pattern.begin(), pattern.end());
        return platform::PenObject(ExtCreatePen(PS_GEOMETRIC | PS_USERSTYLE | PS_ENDCAP_FLAT, 1,
                                                &brush, static_cast<DWORD>(lengths.size()),
                                                lengths.data()));
    }
    DWORD kind = PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT | PS_JOIN_MITER;
    if (insideFrame) {
        kind = PS_GEOMETRIC | PS_INSIDEFRAME | PS_ENDCAP_FLAT | PS_JOIN_MITER;
    }
    return platform::PenObject(ExtCreatePen(kind, static_cast<DWORD>(width), &brush, 0, nullptr));
}

// Pens drawn as coverage come in their colour without alpha, as GDI's do.
DWORD Opaque(DWORD color) {
    return color | 0xFF000000u;
}

}  // namespace

void RenderEngine::DrawColor(HDC dc, const RECT& rect, DWORD color) {
    RECT box{};
    if (dc == nullptr || color < 0x01000000 || GetClipBox(dc, &box) == ERROR) {
        return;
    }
    // Stretched over only what shows: a stretch that the clip cuts would map
    // its visible part to a fraction of the one source pixel, and draw nothing.
    RECT area{std::max(rect.left, box.left), std::max(rect.top, box.top),
              std::min(rect.right, box.right), std::min(rect.bottom, box.bottom)};
    if (area.right <= area.left || area.bottom <= area.top) {
        return;
    }
    ScratchSurface pixel(1, 1);
    if (!pixel.Ready()) {
        return;
    }
    DWORD a = color >> 24;
    auto pre = [a](DWORD c) { return (c * a + 127) / 255; };
    *pixel.Bits() = (a << 24) | (pre((color >> 16) & 0xFF) << 16) |
                    (pre((color >> 8) & 0xFF) << 8) | pre(color & 0xFF);
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, pixel.Dc(),
               0, 0, 1, 1, blend);
}

void RenderEngine::DrawGradient(HDC dc, const RECT& rect, DWORD first, DWORD second, bool vertical,
                                int) {
    DWORD alpha = ((first >> 24) + (second >> 24)) / 2;
    if (dc == nullptr || alpha == 0 || rect.right <= rect.left || rect.bottom <= rect.top) {
        return;
    }
    // Full colour between the two vertices, then blended with the mean alpha.
    auto vertex = [](LONG x, LONG y, DWORD c) {
        return TRIVERTEX{x,
                         y,
                         static_cast<COLOR16>(((c >> 16) & 0xFF) << 8),
                         static_cast<COLOR16>(((c >> 8) & 0xFF) << 8),
                         static_cast<COLOR16>((c & 0xFF) << 8),
                         0xFF00};
    };
    BlendOpaque(dc, rect, static_cast<BYTE>(alpha), [&](HDC scratch) {
        TRIVERTEX vertices[2] = {vertex(rect.left, rect.top, first),
                                 vertex(rect.right, rect.bottom, second)};
        GRADIENT_RECT part{0, 1};
        GradientFill(scratch, vertices, 2, &part, 1,
                     vertical ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H);
    });
}

void RenderEngine::DrawLine(HDC dc, const RECT& rect, int width, DWORD color, int style) {
    platform::PenObject pen = WhitePen(width, style, false);
    if (dc == nullptr || !pen) {
        return;
    }
    int reach = std::max(width, 1);
    RECT bounds{std::min(rect.left, rect.right) - reach, std::min(rect.top, rect.bottom) - reach,
                std::max(rect.left, rect.right) + reach, std::max(rect.top, rect.bottom) + reach};
    BlendCoverage(dc, bounds, Opaque(color), [&](HDC scratch) {
        platform::Selection selected(scratch, pen.get());
        MoveToEx(scratch, rect.left, rect.top, nullptr);
        LineTo(scratch, rect.right, rect.bottom);
    });
}

void RenderEngine::DrawRect(HDC dc, const RECT& rect, int width, DWORD color, int style) {
    DrawRoundRect(dc, rect, width, 0, 0, color, style);
}

void RenderEngine::DrawRoundRect(HDC dc, const RECT& rect, int width, int ellipseWidth,
                                 int ellipseHeight, DWORD color, int style) {
    platform::PenObject pen = WhitePen(width, style, true);
    if (dc == nullptr || !pen || rect.right <= rect.left || rect.bottom <= rect.top) {
        return;
    }
    BlendCoverage(dc, rect, Opaque(color), [&](HDC scratch) {
        platform::Selection selectedPen(scratch, pen.get());
        platform::Selection selectedBrush(scratch, GetStockObject(NULL_BRUSH));
        if (ellipseWidth > 0 && ellipseHeight > 0) {
            RoundRect(scratch, rect.left, rect.top, rect.right, rect.bottom, ellipseWidth,
                      ellipseHeight);
        } else {
            Rectangle(scratch, rect.left, rect.top, rect.right, rect.bottom);
        }
    });
}

}  // namespace VantuUI
