// The label's text effects: gradient text, glow, outline and shadow, drawn
// with Cairo and Pango.

#include <algorithm>
#include <string>

#include "platform/text/text_codec.h"
#include "ui/control/basic/label.h"
#include "ui/control/basic/label_effects.h"
#include "ui/core/manager/window_manager.h"
#include "ui/render/linux/cairo_handles.h"
#include "ui/render/linux/pango_text.h"
#include "ui/render/text/text_layout.h"

namespace VantuUI {

namespace {

void SetColor(cairo_pattern_t* pattern, double offset, DWORD color) {
    cairo_pattern_add_color_stop_rgba(pattern, offset, ((color >> 16) & 0xFF) / 255.0,
                                      ((color >> 8) & 0xFF) / 255.0, (color & 0xFF) / 255.0,
                                      (color >> 24) / 255.0);
}

// A linear gradient in the text rectangle's own coordinates.
PatternPtr MakeBrush(double x0, double y0, double x1, double y1, DWORD from, DWORD to) {
    PatternPtr brush(cairo_pattern_create_linear(x0, y0, x1, y1));
    SetColor(brush.get(), 0, from);
    SetColor(brush.get(), 1, to);
    cairo_pattern_set_extend(brush.get(), CAIRO_EXTEND_PAD);
    return brush;
}

// The laid-out text and where it starts inside its rectangle.
struct PlacedText {
    LayoutPtr layout;
    double x = 0;
    double y = 0;
};

void ShowText(cairo_t* cr, const PlacedText& text, cairo_pattern_t* brush, double dx, double dy) {
    cairo_set_source(cr, brush);
    cairo_move_to(cr, text.x + dx, text.y + dy);
    pango_cairo_update_layout(cr, text.layout.get());
    pango_cairo_show_layout(cr, text.layout.get());
}

}  // namespace

void CLabelUI::PaintTextEffects(HDC dc, const RECT& rect, DWORD color, UINT style) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (dc == nullptr || m_manager == nullptr || width <= 0 || height <= 0) {
        return;
    }
    const bool singleLine = (style & DT_SINGLELINE) != 0;
    const std::wstring shown = PlainTextShown(dc, m_manager, m_text, style).value_or(L"");
    if (shown.empty()) {
        return;
    }
    PlacedText text;
    text.layout = CreateTextLayout(dc, ResolveFont(m_manager, m_font), platform::EncodeUtf8(shown),
                                   singleLine ? 0 : width);
    const PangoAlignment align = (style & DT_CENTER) != 0  ? PANGO_ALIGN_CENTER
                                 : (style & DT_RIGHT) != 0 ? PANGO_ALIGN_RIGHT
                                                           : PANGO_ALIGN_LEFT;
    pango_layout_set_alignment(text.layout.get(), align);
    PangoRectangle logical;
    pango_layout_get_pixel_extents(text.layout.get(), nullptr, &logical);
    if (singleLine) {
        if (align == PANGO_ALIGN_CENTER) {
            text.x = (width - logical.width) / 2;
        } else if (align == PANGO_ALIGN_RIGHT) {
            text.x = width - logical.width;
        }
    }
    if ((style & DT_VCENTER) != 0) {
        text.y = (height - logical.height) / 2;
    } else if ((style & DT_BOTTOM) != 0) {
        text.y = height - logical.height;
    }

    // The brushes run from (angle, 0) to (0, length) of the text rectangle,
    // so a label looks the same wherever it sits in the window.
    const double length = m_gradientLength != 0 ? m_gradientLength : height;
    PatternPtr textBrush =
        MakeBrush(m_gradientAngle, 0, 0, length, color, m_textColor1.value_or(color));
    PatternPtr shadowBrush = MakeBrush(m_gradientAngle, 0, 0, length, m_shadowColorA,
                                       m_shadowColorB.value_or(m_shadowColorA));
    const POINT offset = m_shadowOffset;

    cairo_save(dc);
    cairo_rectangle(dc, m_itemRect.left, m_itemRect.top, m_itemRect.right - m_itemRect.left,
                    m_itemRect.bottom - m_itemRect.top);
    cairo_clip(dc);
    cairo_translate(dc, rect.left, rect.top);
    if (m_luminous) {
        // A glow: the text shrunk by the fuzzy factor and blown up again blurs it.
        SurfacePtr glyphs(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
        {
            ContextPtr cr(cairo_create(glyphs.get()));
            ShowText(cr.get(), text, textBrush.get(), 0, 0);
        }
        const SIZE small = GlowSize(width, height, m_luminousFuzzy);
        const int smallWidth = small.cx;
        const int smallHeight = small.cy;
        SurfacePtr shrunk(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, smallWidth, smallHeight));
        {
            ContextPtr cr(cairo_create(shrunk.get()));
            cairo_scale(cr.get(), static_cast<double>(smallWidth) / width,
                        static_cast<double>(smallHeight) / height);
            cairo_set_source_surface(cr.get(), glyphs.get(), 0, 0);
            cairo_pattern_set_filter(cairo_get_source(cr.get()), CAIRO_FILTER_BEST);
            cairo_paint(cr.get());
        }
        SurfacePtr glow(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
        {
            ContextPtr cr(cairo_create(glow.get()));
            cairo_translate(cr.get(), offset.x, offset.y);
            cairo_scale(cr.get(), static_cast<double>(width) / smallWidth,
                        static_cast<double>(height) / smallHeight);
            cairo_set_source_surface(cr.get(), shrunk.get(), 0, 0);
            cairo_pattern_set_filter(cairo_get_source(cr.get()), CAIRO_FILTER_BEST);
            cairo_paint(cr.get());
        }
        cairo_set_source_surface(dc, glow.get(), 0, 0);
        cairo_paint(dc);
    }
    if (m_stroke && m_strokeColor != 0) {
        PatternPtr stroke(cairo_pattern_create_rgba(
            ((m_strokeColor >> 16) & 0xFF) / 255.0, ((m_strokeColor >> 8) & 0xFF) / 255.0,
            (m_strokeColor & 0xFF) / 255.0, (m_strokeColor >> 24) / 255.0));
        ShowText(dc, text, stroke.get(), -1, 0);
        ShowText(dc, text, stroke.get(), 1, 0);
        ShowText(dc, text, stroke.get(), 0, -1);
        ShowText(dc, text, stroke.get(), 0, 1);
    }
    if (m_shadow && (m_shadowColorA != 0 || m_shadowColorB.value_or(0) != 0)) {
        ShowText(dc, text, shadowBrush.get(), offset.x, offset.y);
    }
    ShowText(dc, text, textBrush.get(), 0, 0);
    cairo_restore(dc);
}

}  // namespace VantuUI
