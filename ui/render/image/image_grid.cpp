// Nine-grid drawing: corners 1:1, edges stretched along their length, the
// centre stretched or tiled, everything cut to the paint rectangle.

#include <algorithm>

#include "ui/render/image/image_pieces.h"
#include "ui/render/render_engine.h"

namespace VantuUI {

namespace {

// Source part `source` of the bitmap into `dst`, scaled, cut to `paint`.
void DrawPiece(ImagePieces& pieces, const RECT& dst, const RECT& source, const RECT& paint) {
    // A part reaching outside the bitmap (a malformed spec) keeps to what is there.
    RECT src{std::max<LONG>(source.left, 0), std::max<LONG>(source.top, 0),
             std::min<LONG>(source.right, pieces.Width()),
             std::min<LONG>(source.bottom, pieces.Height())};
    if (src.right <= src.left || src.bottom <= src.top || dst.right <= dst.left ||
        dst.bottom <= dst.top) {
        return;
    }
    RECT clip{std::max(dst.left, paint.left), std::max(dst.top, paint.top),
              std::min(dst.right, paint.right), std::min(dst.bottom, paint.bottom)};
    if (clip.left >= clip.right || clip.top >= clip.bottom) {
        return;
    }
    pieces.Draw(dst, src, clip);
}

void DrawCentre(ImagePieces& pieces, const RECT& dst, const RECT& src, const RECT& paint,
                bool xtiled, bool ytiled) {
    int tw = src.right - src.left;
    int th = src.bottom - src.top;
    if (tw <= 0 || th <= 0 || dst.right <= dst.left || dst.bottom <= dst.top) {
        return;
    }
    if (!xtiled && !ytiled) {
        DrawPiece(pieces, dst, src, paint);
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
            DrawPiece(pieces, piece, part, paint);
        }
    }
}

}  // namespace

void RenderEngine::DrawImageGrid(HDC dc, HBITMAP bitmap, const RECT& dest, const RECT& paint,
                                 const RECT& source, const RECT& corner, bool alpha, BYTE fade,
                                 bool hole, bool xtiled, bool ytiled) {
    if (dc == nullptr || bitmap == nullptr) {
        return;
    }
    ImagePieces pieces(dc, bitmap, alpha, fade);
    if (!pieces.Ready()) {
        return;
    }
    const RECT& d = dest;
    const RECT& s = source;
    const RECT& c = corner;
    if (!hole) {
        DrawCentre(pieces,
                   RECT{d.left + c.left, d.top + c.top, d.right - c.right, d.bottom - c.bottom},
                   RECT{s.left + c.left, s.top + c.top, s.right - c.right, s.bottom - c.bottom},
                   paint, xtiled, ytiled);
    }
    if (c.left > 0 && c.top > 0) {
        DrawPiece(pieces, RECT{d.left, d.top, d.left + c.left, d.top + c.top},
                  RECT{s.left, s.top, s.left + c.left, s.top + c.top}, paint);
    }
    if (c.top > 0) {
        DrawPiece(pieces, RECT{d.left + c.left, d.top, d.right - c.right, d.top + c.top},
                  RECT{s.left + c.left, s.top, s.right - c.right, s.top + c.top}, paint);
    }
    if (c.right > 0 && c.top > 0) {
        DrawPiece(pieces, RECT{d.right - c.right, d.top, d.right, d.top + c.top},
                  RECT{s.right - c.right, s.top, s.right, s.top + c.top}, paint);
    }
    if (c.left > 0) {
        DrawPiece(pieces, RECT{d.left, d.top + c.top, d.left + c.left, d.bottom - c.bottom},
                  RECT{s.left, s.top + c.top, s.left + c.left, s.bottom - c.bottom}, paint);
    }
    if (c.right > 0) {
        DrawPiece(pieces, RECT{d.right - c.right, d.top + c.top, d.right, d.bottom - c.bottom},
                  RECT{s.right - c.right, s.top + c.top, s.right, s.bottom - c.bottom}, paint);
    }
    if (c.left > 0 && c.bottom > 0) {
        DrawPiece(pieces, RECT{d.left, d.bottom - c.bottom, d.left + c.left, d.bottom},
                  RECT{s.left, s.bottom - c.bottom, s.left + c.left, s.bottom}, paint);
    }
    if (c.bottom > 0) {
        DrawPiece(pieces, RECT{d.left + c.left, d.bottom - c.bottom, d.right - c.right, d.bottom},
                  RECT{s.left + c.left, s.bottom - c.bottom, s.right - c.right, s.bottom}, paint);
    }
    if (c.right > 0 && c.bottom > 0) {
        DrawPiece(pieces, RECT{d.right - c.right, d.bottom - c.bottom, d.right, d.bottom},
                  RECT{s.right - c.right, s.bottom - c.bottom, s.right, s.bottom}, paint);
    }
}

}  // namespace VantuUI
