// Nine-grid drawing: corners 1:1, edges stretched along their length, the
// centre stretched or tiled, everything cut to the paint rectangle.

#include <cairo.h>

#include <algorithm>

#include "ui/render/render_engine.h"

namespace VantuUI {

namespace {

// Source part `src` of the bitmap into `dst`, scaled, clipped to `paint`.
void DrawPiece(HDC dc, HBITMAP bitmap, const RECT& dst, const RECT& source, const RECT& paint,
               double alpha) {
    // A part reaching outside the bitmap (a malformed spec) keeps to what is there.
    RECT src{std::max<LONG>(source.left, 0), std::max<LONG>(source.top, 0),
             std::min<LONG>(source.right, cairo_image_surface_get_width(bitmap)),
             std::min<LONG>(source.bottom, cairo_image_surface_get_height(bitmap))};
    int sw = src.right - src.left;
    int sh = src.bottom - src.top;
    int dw = dst.right - dst.left;
    int dh = dst.bottom - dst.top;
    if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) {
        return;
    }
    RECT clip{std::max(dst.left, paint.left), std::max(dst.top, paint.top),
              std::min(dst.right, paint.right), std::min(dst.bottom, paint.bottom)};
    if (clip.left >= clip.right || clip.top >= clip.bottom) {
        return;
    }
    cairo_save(dc);
    cairo_rectangle(dc, clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top);
    cairo_clip(dc);
    cairo_translate(dc, dst.left, dst.top);
    cairo_scale(dc, static_cast<double>(dw) / sw, static_cast<double>(dh) / sh);
    cairo_surface_t* part = cairo_surface_create_for_rectangle(bitmap, src.left, src.top, sw, sh);
    cairo_set_source_surface(dc, part, 0, 0);
    // Stretching picks the nearest pixel, as StretchBlt's COLORONCOLOR does;
    // padding keeps neighbouring parts of the bitmap out.
    cairo_pattern_t* pattern = cairo_get_source(dc);
    cairo_pattern_set_filter(pattern, CAIRO_FILTER_NEAREST);
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
    if (alpha >= 1.0) {
        cairo_paint(dc);
    } else {
        cairo_paint_with_alpha(dc, alpha);
    }
    cairo_surface_destroy(part);
    cairo_restore(dc);
}

void DrawCentre(HDC dc, HBITMAP bitmap, const RECT& dst, const RECT& src, const RECT& paint,
                double alpha, bool xtiled, bool ytiled) {
    int tw = src.right - src.left;
    int th = src.bottom - src.top;
    if (tw <= 0 || th <= 0 || dst.right <= dst.left || dst.bottom <= dst.top) {
        return;
    }
    if (!xtiled && !ytiled) {
        DrawPiece(dc, bitmap, dst, src, paint, alpha);
        return;
    }
    int stepX = xtiled ? tw : dst.right - dst.left;
    int stepY = ytiled ? th : dst.bottom - dst.top;
    // Only the tiles that meet the paint rectangle.
    LONG firstX = dst.left + std::max<LONG>(0, (paint.left - dst.left) / stepX) * stepX;
    LONG firstY = dst.top + std::max<LONG>(0, (paint.top - dst.top) / stepY) * stepY;
    LONG endX = std::min(dst.right, paint.right);
    LONG endY = std::min(dst.bottom, paint.bottom);
    for (LONG y = firstY; y < endY; y += stepY) {
        for (LONG x = firstX; x < endX; x += stepX) {
            // The last column and row are cut, not squeezed.
            LONG w = std::min<LONG>(stepX, dst.right - x);
            LONG h = std::min<LONG>(stepY, dst.bottom - y);
            RECT piece{x, y, x + w, y + h};
            RECT part = src;
            if (xtiled) {
                part.right = src.left + w;
            }
            if (ytiled) {
                part.bottom = src.top + h;
            }
            DrawPiece(dc, bitmap, piece, part, paint, alpha);
        }
    }
}

}  // namespace

void RenderEngine::DrawImageGrid(HDC dc, HBITMAP bitmap, const RECT& dest, const RECT& paint,
                                 const RECT& source, const RECT& corner, bool, BYTE fade, bool hole,
                                 bool xtiled, bool ytiled) {
    if (dc == nullptr || bitmap == nullptr) {
        return;
    }
    double alpha = fade / 255.0;
    const RECT& d = dest;
    const RECT& s = source;
    const RECT& c = corner;
    if (!hole) {
        DrawCentre(dc, bitmap,
                   RECT{d.left + c.left, d.top + c.top, d.right - c.right, d.bottom - c.bottom},
                   RECT{s.left + c.left, s.top + c.top, s.right - c.right, s.bottom - c.bottom},
                   paint, alpha, xtiled, ytiled);
    }
    if (c.left > 0 && c.top > 0) {
        DrawPiece(dc, bitmap, RECT{d.left, d.top, d.left + c.left, d.top + c.top},
                  RECT{s.left, s.top, s.left + c.left, s.top + c.top}, paint, alpha);
    }
    if (c.top > 0) {
        DrawPiece(dc, bitmap, RECT{d.left + c.left, d.top, d.right - c.right, d.top + c.top},
                  RECT{s.left + c.left, s.top, s.right - c.right, s.top + c.top}, paint, alpha);
    }
    if (c.right > 0 && c.top > 0) {
        DrawPiece(dc, bitmap, RECT{d.right - c.right, d.top, d.right, d.top + c.top},
                  RECT{s.right - c.right, s.top, s.right, s.top + c.top}, paint, alpha);
    }
    if (c.left > 0) {
        DrawPiece(dc, bitmap, RECT{d.left, d.top + c.top, d.left + c.left, d.bottom - c.bottom},
                  RECT{s.left, s.top + c.top, s.left + c.left, s.bottom - c.bottom}, paint, alpha);
    }
    if (c.right > 0) {
        DrawPiece(dc, bitmap, RECT{d.right - c.right, d.top + c.top, d.right, d.bottom - c.bottom},
                  RECT{s.right - c.right, s.top + c.top, s.right, s.bottom - c.bottom}, paint,
                  alpha);
    }
    if (c.left > 0 && c.bottom > 0) {
        DrawPiece(dc, bitmap, RECT{d.left, d.bottom - c.bottom, d.left + c.left, d.bottom},
                  RECT{s.left, s.bottom - c.bottom, s.left + c.left, s.bottom}, paint, alpha);
    }
    if (c.bottom > 0) {
        DrawPiece(
            dc, bitmap, RECT{d.left + c.left, d.bottom - c.bottom, d.right - c.right, d.bottom},
            RECT{s.left + c.left, s.bottom - c.bottom, s.right - c.right, s.bottom}, paint, alpha);
    }
    if (c.right > 0 && c.bottom > 0) {
        DrawPiece(dc, bitmap, RECT{d.right - c.right, d.bottom - c.bottom, d.right, d.bottom},
                  RECT{s.right - c.right, s.bottom - c.bottom, s.right, s.bottom}, paint, alpha);
    }
}

}  // namespace VantuUI
