// A copy of an area of a window as its controls paint it.

#include <cairo.h>

#include "ui/render/render_backend.h"
#include "ui/render/render_engine.h"

namespace VantuUI {

HBITMAP CaptureArea(IRenderHostUI& manager, const RECT& rect, const void* stopControl,
                    DWORD color) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    cairo_surface_t* result = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    if (cairo_surface_status(result) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(result);
        return nullptr;
    }
    cairo_t* dc = cairo_create(result);
    HBITMAP offscreen = stopControl == nullptr ? manager.OffscreenBitmap() : nullptr;
    if (offscreen != nullptr) {
        cairo_set_operator(dc, CAIRO_OPERATOR_SOURCE);
        cairo_set_source_surface(dc, offscreen, -rect.left, -rect.top);
        cairo_paint(dc);
        cairo_set_operator(dc, CAIRO_OPERATOR_OVER);
    } else {
        cairo_save(dc);
        cairo_translate(dc, -rect.left, -rect.top);
        manager.PaintTree(dc, rect, stopControl);
        cairo_restore(dc);
    }
    if ((color >> 24) != 0) {
        RenderEngine::DrawColor(dc, RECT{0, 0, width, height}, color);
    }
    cairo_destroy(dc);
    cairo_surface_flush(result);
    return result;
}

}  // namespace VantuUI
