#pragma once

// The test canvas on Linux: a Cairo image surface. Included by
// render_test_support.h.

#include <cairo.h>

namespace render_testing {

struct Canvas::State {
    cairo_surface_t* surface = nullptr;
};

inline Canvas::Canvas(int w, int h, std::uint32_t fill)
    : m_state(std::make_unique<State>()), m_width(w), m_height(h) {
    m_state->surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    dc = cairo_create(m_state->surface);
    cairo_set_operator(dc, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_rgba(dc, ((fill >> 16) & 0xFF) / 255.0, ((fill >> 8) & 0xFF) / 255.0,
                          (fill & 0xFF) / 255.0, (fill >> 24) / 255.0);
    cairo_paint(dc);
    cairo_set_operator(dc, CAIRO_OPERATOR_OVER);
}

inline Canvas::~Canvas() {
    cairo_destroy(dc);
    cairo_surface_destroy(m_state->surface);
}

inline std::uint32_t Canvas::At(int x, int y) {
    return BitmapPixel(m_state->surface, x, y);
}

inline bool Canvas::Healthy() {
    return cairo_status(dc) == CAIRO_STATUS_SUCCESS;
}

inline void Canvas::SavePng(const std::filesystem::path& file) {
    cairo_surface_flush(m_state->surface);
    cairo_surface_write_to_png(m_state->surface, file.string().c_str());
}

inline int BitmapWidth(HBITMAP bitmap) {
    return cairo_image_surface_get_width(bitmap);
}

inline std::uint32_t BitmapPixel(HBITMAP bitmap, int x, int y) {
    cairo_surface_flush(bitmap);
    auto* row = cairo_image_surface_get_data(bitmap) + y * cairo_image_surface_get_stride(bitmap);
    return reinterpret_cast<const std::uint32_t*>(row)[x];
}

inline void FreeBitmap(HBITMAP bitmap) {
    cairo_surface_destroy(bitmap);
}

}  // namespace render_testing
