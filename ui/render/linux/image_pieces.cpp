// Image parts on a Cairo context.

#include "ui/render/image/image_pieces.h"

#include <cairo.h>

namespace VantuUI {

struct ImagePieces::State {
    HDC dc;
    HBITMAP bitmap;
    double alpha;
};

ImagePieces::ImagePieces(HDC dc, HBITMAP bitmap, bool /*alpha*/, BYTE fade)
    : m_state(std::make_unique<State>(State{dc, bitmap, fade / 255.0})) {}

ImagePieces::~ImagePieces() = default;

bool ImagePieces::Ready() const {
    return m_state->dc != nullptr && m_state->bitmap != nullptr;
}

int ImagePieces::Width() const {
    return cairo_image_surface_get_width(m_state->bitmap);
}

int ImagePieces::Height() const {
    return cairo_image_surface_get_height(m_state->bitmap);
}

void ImagePieces::Draw(const RECT& dst, const RECT& src, const RECT& clip) {
    HDC dc = m_state->dc;
    int sw = src.right - src.left;
    int sh = src.bottom - src.top;
    cairo_save(dc);
    cairo_rectangle(dc, clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top);
    cairo_clip(dc);
    cairo_translate(dc, dst.left, dst.top);
    cairo_scale(dc, static_cast<double>(dst.right - dst.left) / sw,
                static_cast<double>(dst.bottom - dst.top) / sh);
    cairo_surface_t* part =
        cairo_surface_create_for_rectangle(m_state->bitmap, src.left, src.top, sw, sh);
    cairo_set_source_surface(dc, part, 0, 0);
    // Stretching picks the nearest pixel, as StretchBlt's COLORONCOLOR does;
    // padding keeps neighbouring parts of the bitmap out.
    cairo_pattern_t* pattern = cairo_get_source(dc);
    cairo_pattern_set_filter(pattern, CAIRO_FILTER_NEAREST);
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
    if (m_state->alpha >= 1.0) {
        cairo_paint(dc);
    } else {
        cairo_paint_with_alpha(dc, m_state->alpha);
    }
    cairo_surface_destroy(part);
    cairo_restore(dc);
}

}  // namespace VantuUI
