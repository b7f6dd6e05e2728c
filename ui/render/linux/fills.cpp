// Colour fills, gradients, lines and rectangle outlines.

#include <cairo.h>

#include <algorithm>
#include <cmath>

#include "ui/render/pen_style.h"
#include "ui/render/render_engine.h"

namespace VantuUI {

namespace {

double Channel(DWORD color, int shift) {
    return ((color >> shift) & 0xFF) / 255.0;
}

// A pen: colour without alpha, width, dash pattern of the style.
bool SetPen(HDC dc, int width, DWORD color, int style) {
    style &= PS_STYLE_MASK;
    if (style == PS_NULL) {
        return false;
    }
    width = std::max(width, 1);
    cairo_set_source_rgb(dc, Channel(color, 16), Channel(color, 8), Channel(color, 0));
    cairo_set_line_width(dc, width);
    cairo_set_line_cap(dc, CAIRO_LINE_CAP_BUTT);
    cairo_set_line_join(dc, CAIRO_LINE_JOIN_MITER);
    auto pattern = DashPattern(style, width);
    if (!pattern.empty()) {
        double dashes[8];
        for (size_t i = 0; i < pattern.size(); ++i) {
            dashes[i] = pattern[i];
        }
        cairo_set_dash(dc, dashes, static_cast<int>(pattern.size()), 0);
    }
    return true;
}

void RoundRectPath(HDC dc, double x, double y, double w, double h, double rx, double ry) {
    rx = std::min(rx, w / 2);
    ry = std::min(ry, h / 2);
    if (rx <= 0 || ry <= 0) {
        cairo_rectangle(dc, x, y, w, h);
        return;
    }
    cairo_new_sub_path(dc);
    auto corner = [&](double cx, double cy, double from) {
        cairo_save(dc);
        cairo_translate(dc, cx, cy);
        cairo_scale(dc, rx, ry);
        cairo_arc(dc, 0, 0, 1, from, from + M_PI / 2);
        cairo_restore(dc);
    };
    corner(x + w - rx, y + ry, -M_PI / 2);
    corner(x + w - rx, y + h - ry, 0);
    corner(x + rx, y + h - ry, M_PI / 2);
    corner(x + rx, y + ry, M_PI);
    cairo_close_path(dc);
}

}  // namespace

void RoundRectanglePath(HDC dc, const RECT& r, int ellipseWidth, int ellipseHeight) {
    RoundRectPath(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, ellipseWidth / 2.0,
                  ellipseHeight / 2.0);
}

void RenderEngine::DrawColor(HDC dc, const RECT& rect, DWORD color) {
    if (dc == nullptr || color < 0x01000000) {
        return;
    }
    cairo_save(dc);
    cairo_set_source_rgba(dc, Channel(color, 16), Channel(color, 8), Channel(color, 0),
                          Channel(color, 24));
    cairo_rectangle(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    cairo_fill(dc);
    cairo_restore(dc);
}

void RenderEngine::DrawGradient(HDC dc, const RECT& rect, DWORD first, DWORD second, bool vertical,
                                int) {
    DWORD alpha = ((first >> 24) + (second >> 24)) / 2;
    if (dc == nullptr || alpha == 0 || rect.right <= rect.left || rect.bottom <= rect.top) {
        return;
    }
    // Full colour between the two vertices, then blended with the mean alpha.
    cairo_pattern_t* gradient = vertical ? cairo_pattern_create_linear(0, rect.top, 0, rect.bottom)
                                         : cairo_pattern_create_linear(rect.left, 0, rect.right, 0);
    cairo_pattern_add_color_stop_rgb(gradient, 0, Channel(first, 16), Channel(first, 8),
                                     Channel(first, 0));
    cairo_pattern_add_color_stop_rgb(gradient, 1, Channel(second, 16), Channel(second, 8),
                                     Channel(second, 0));
    cairo_save(dc);
    cairo_rectangle(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    cairo_clip(dc);
    cairo_set_source(dc, gradient);
    if (alpha >= 255) {
        cairo_paint(dc);
    } else {
        cairo_paint_with_alpha(dc, alpha / 255.0);
    }
    cairo_restore(dc);
    cairo_pattern_destroy(gradient);
}

void RenderEngine::DrawLine(HDC dc, const RECT& rect, int width, DWORD color, int style) {
    if (dc == nullptr) {
        return;
    }
    cairo_save(dc);
    if (SetPen(dc, width, color, style)) {
        // Odd widths sit on pixel centres, as GDI lights whole pixels.
        double offset = (std::max(width, 1) % 2 == 1) ? 0.5 : 0;
        double x0 = rect.left + offset;
        double y0 = rect.top + offset;
        double x1 = rect.right + offset;
        double y1 = rect.bottom + offset;
        // The last point is not drawn.
        if (rect.top == rect.bottom) {
            x1 += rect.right > rect.left ? -0.5 : 0.5;
            x0 -= rect.right > rect.left ? 0.5 : -0.5;
        } else if (rect.left == rect.right) {
            y1 += rect.bottom > rect.top ? -0.5 : 0.5;
            y0 -= rect.bottom > rect.top ? 0.5 : -0.5;
        }
        cairo_move_to(dc, x0, y0);
        cairo_line_to(dc, x1, y1);
        cairo_stroke(dc);
    }
    cairo_restore(dc);
}

void RenderEngine::DrawRect(HDC dc, const RECT& rect, int width, DWORD color, int style) {
    DrawRoundRect(dc, rect, width, 0, 0, color, style);
}

void RenderEngine::DrawRoundRect(HDC dc, const RECT& rect, int width, int ellipseWidth,
                                 int ellipseHeight, DWORD color, int style) {
    if (dc == nullptr || rect.right <= rect.left || rect.bottom <= rect.top) {
        return;
    }
    cairo_save(dc);
    if (SetPen(dc, width, color, style)) {
        // Inside frame: the pen stays within the rectangle.
        double w = std::max(width, 1);
        double half = w / 2;
        double rw = std::max(0.0, rect.right - rect.left - w);
        double rh = std::max(0.0, rect.bottom - rect.top - w);
        RoundRectPath(dc, rect.left + half, rect.top + half, rw, rh,
                      std::max(0.0, ellipseWidth / 2.0 - half),
                      std::max(0.0, ellipseHeight / 2.0 - half));
        cairo_stroke(dc);
    }
    cairo_restore(dc);
}

}  // namespace VantuUI
