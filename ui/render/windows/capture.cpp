// A copy of an area of a window as its controls paint it, as a DIB section.

#include <algorithm>
#include <cstring>

#include "platform/gdi/windows/dib_view.h"
#include "platform/gdi/windows/gdi_objects.h"
#include "ui/render/render_backend.h"
#include "ui/render/render_engine.h"

namespace VantuUI {

namespace {

// Copies the part of a 32-bit DIB section's pixels under `rect`; false when
// the bitmap is of another kind.
bool CopyDibPixels(HBITMAP from, const RECT& rect, std::uint32_t* to, int width, int height) {
    const auto dib = platform::ViewDib(from);
    if (!dib) {
        return false;
    }
    const int left = std::max<LONG>(rect.left, 0);
    const int right = std::min<LONG>(rect.right, dib->width);
    for (int y = 0; y < height && left < right; ++y) {
        const int fromY = rect.top + y;
        if (fromY < 0 || fromY >= dib->height) {
            continue;
        }
        std::memcpy(to + static_cast<std::size_t>(y) * width + (left - rect.left),
                    &dib->bits[static_cast<std::size_t>(fromY) * dib->width + left],
                    static_cast<std::size_t>(right - left) * 4);
    }
    return true;
}

}  // namespace

HBITMAP CaptureArea(IRenderHostUI& manager, const RECT& rect, const void* stopControl,
                    DWORD color) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    std::uint32_t* bits = nullptr;
    platform::BitmapObject result = platform::CreateDibSection(width, height, &bits);
    platform::MemoryDc dc = platform::CreateMemoryDc();
    if (!result || !dc) {
        return nullptr;
    }
    {
        platform::Selection selected(dc.get(), result.get());
        if (!selected.Ok()) {
            return nullptr;
        }
        HBITMAP offscreen = stopControl == nullptr ? manager.OffscreenBitmap() : nullptr;
        if (offscreen == nullptr || !CopyDibPixels(offscreen, rect, bits, width, height)) {
            SetViewportOrgEx(dc.get(), -rect.left, -rect.top, nullptr);
            manager.PaintTree(dc.get(), rect, stopControl);
            SetViewportOrgEx(dc.get(), 0, 0, nullptr);
        }
        if ((color >> 24) != 0) {
            RenderEngine::DrawColor(dc.get(), RECT{0, 0, width, height}, color);
        }
    }
    GdiFlush();
    return result.release();
}

}  // namespace VantuUI
