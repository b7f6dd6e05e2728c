// Plain text with the DrawText flags.

#include <cairo.h>

#include <algorithm>

#include "platform/text/text_codec.h"
#include "ui/render/linux/pango_text.h"
#include "ui/render/render_engine.h"

namespace VantuUI {

void RenderEngine::DrawPlainText(HDC dc, IRenderHostUI* manager, RECT& rect,
                                 const std::wstring& text, DWORD color, int font, UINT style) {
    std::optional<std::wstring> shown = PlainTextShown(dc, manager, text, style);
    if (!shown) {
        return;
    }
    style |= DT_NOPREFIX;
    bool single = (style & DT_SINGLELINE) != 0;
    LayoutPtr layout = CreateTextLayout(dc, ResolveFont(manager, font));
    std::string utf8 = platform::EncodeUtf8(*shown);
    pango_layout_set_text(layout.get(), utf8.c_str(), static_cast<int>(utf8.size()));

    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    bool wrap = (style & DT_WORDBREAK) != 0 && !single;
    bool widthSet = false;
    if (wrap && width > 0) {
        pango_layout_set_width(layout.get(), width * PANGO_SCALE);
        pango_layout_set_wrap(layout.get(), PANGO_WRAP_WORD_CHAR);
        widthSet = true;
    }
    if ((style & DT_END_ELLIPSIS) != 0 && width > 0) {
        pango_layout_set_width(layout.get(), width * PANGO_SCALE);
        pango_layout_set_ellipsize(layout.get(), PANGO_ELLIPSIZE_END);
        // Without word breaks each line is cut; with them, the lines that fit.
        pango_layout_set_height(layout.get(), wrap ? std::max(height, 1) * PANGO_SCALE : -1);
        widthSet = true;
    }
    PangoAlignment align = (style & DT_CENTER) != 0  ? PANGO_ALIGN_CENTER
                           : (style & DT_RIGHT) != 0 ? PANGO_ALIGN_RIGHT
                                                     : PANGO_ALIGN_LEFT;
    pango_layout_set_alignment(layout.get(), align);

    PangoRectangle logical;
    pango_layout_get_pixel_extents(layout.get(), nullptr, &logical);
    if ((style & DT_CALCRECT) != 0) {
        int needed = logical.x + logical.width;
        rect.right = wrap ? std::max<LONG>(rect.right, rect.left + needed) : rect.left + needed;
        rect.bottom = rect.top + logical.height;
        return;
    }
    double x = rect.left;
    double y = rect.top;
    if (!widthSet) {
        if (align == PANGO_ALIGN_CENTER) {
            x += (width - logical.width) / 2;
        } else if (align == PANGO_ALIGN_RIGHT) {
            x += width - logical.width;
        }
    }
    if (single) {
        if ((style & DT_VCENTER) != 0) {
            y += (height - logical.height) / 2;
        } else if ((style & DT_BOTTOM) != 0) {
            y += height - logical.height;
        }
    }
    cairo_save(dc);
    cairo_rectangle(dc, rect.left, rect.top, width, height);
    cairo_clip(dc);
    cairo_set_source_rgb(dc, ((color >> 16) & 0xFF) / 255.0, ((color >> 8) & 0xFF) / 255.0,
                         (color & 0xFF) / 255.0);
    cairo_move_to(dc, x, y);
    pango_cairo_show_layout(dc, layout.get());
    cairo_restore(dc);
}

}  // namespace VantuUI
