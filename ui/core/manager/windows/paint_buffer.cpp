// Paint buffers as DIB sections selected into memory DCs.

#include "ui/core/manager/paint_buffer.h"

#include <optional>

#include "platform/gdi/windows/gdi_objects.h"
#include "ui/render/image_surface.h"

namespace VantuUI {

struct CPaintBufferUI::Native {
    platform::MemoryDc memory;
    std::optional<platform::Selection> selected;  // goes before the DC
};

CPaintBufferUI::CPaintBufferUI(int width, int height) : m_native(std::make_unique<Native>()) {
    if (width <= 0 || height <= 0 || !AllocateImagePixels(m_image, width, height)) {
        return;
    }
    m_native->memory = platform::CreateMemoryDc();
    if (m_native->memory == nullptr) {
        return;
    }
    m_native->selected.emplace(m_native->memory.get(), m_image.bitmap);
    if (!m_native->selected->Ok()) {
        return;
    }
    m_dc = m_native->memory.get();
}

CPaintBufferUI::~CPaintBufferUI() {
    // The bitmap leaves the DC before the DC and then the bitmap go.
    m_native.reset();
}

void CPaintBufferUI::BeginPixels() {
    BeginPixelAccess(m_image);
}

void CPaintBufferUI::EndPixels() {
    EndPixelAccess(m_image);
}

void ClearArea(HDC dc, const RECT& rect) {
    // BLACKNESS writes zero to every byte of a 32-bit DIB: alpha included.
    PatBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, BLACKNESS);
}

void CopyBuffer(HDC dc, const CPaintBufferUI& source, POINT origin, const RECT& area) {
    GdiFlush();
    BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, source.Dc(),
           area.left - origin.x, area.top - origin.y, SRCCOPY);
}

CSavedDcUI::CSavedDcUI(HDC dc) : m_dc(dc), m_saved(SaveDC(dc)) {}

CSavedDcUI::~CSavedDcUI() {
    if (m_saved != 0) {
        RestoreDC(m_dc, m_saved);
    }
}

void CSavedDcUI::Offset(int dx, int dy) {
    OffsetViewportOrgEx(m_dc, dx, dy, nullptr);
}

}  // namespace VantuUI
