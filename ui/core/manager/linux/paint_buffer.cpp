// Paint buffers as Cairo image surfaces with a context each.

#include "ui/core/manager/paint_buffer.h"

#include <cairo.h>

#include "ui/render/image_surface.h"

namespace VantuUI {

struct CPaintBufferUI::Native {
    cairo_t* context = nullptr;
};

CPaintBufferUI::CPaintBufferUI(int width, int height) : m_native(std::make_unique<Native>()) {
    if (width <= 0 || height <= 0 || !AllocateImagePixels(m_image, width, height)) {
        return;
    }
    cairo_t* context = cairo_create(m_image.bitmap);
    if (cairo_status(context) != CAIRO_STATUS_SUCCESS) {
        cairo_destroy(context);
        return;
    }
    m_native->context = context;
    m_dc = context;
}

CPaintBufferUI::~CPaintBufferUI() {
    if (m_native->context != nullptr) {
        cairo_destroy(m_native->context);
    }
}

void CPaintBufferUI::BeginPixels() {
    BeginPixelAccess(m_image);
}

void CPaintBufferUI::EndPixels() {
    EndPixelAccess(m_image);
}

void ClearArea(HDC dc, const RECT& rect) {
    cairo_save(dc);
    cairo_set_operator(dc, CAIRO_OPERATOR_CLEAR);
    cairo_rectangle(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    cairo_fill(dc);
    cairo_restore(dc);
}

void CopyBuffer(HDC dc, const CPaintBufferUI& source, POINT origin, const RECT& area) {
    cairo_surface_flush(source.Bitmap());
    cairo_save(dc);
    cairo_rectangle(dc, area.left, area.top, area.right - area.left, area.bottom - area.top);
    cairo_clip(dc);
    cairo_set_operator(dc, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(dc, source.Bitmap(), origin.x, origin.y);
    cairo_paint(dc);
    cairo_restore(dc);
}

CSavedDcUI::CSavedDcUI(HDC dc) : m_dc(dc), m_saved(1) {
    cairo_save(m_dc);
}

CSavedDcUI::~CSavedDcUI() {
    if (m_saved != 0) {
        cairo_restore(m_dc);
    }
}

void CSavedDcUI::Offset(int dx, int dy) {
    cairo_translate(m_dc, dx, dy);
}

}  // namespace VantuUI
