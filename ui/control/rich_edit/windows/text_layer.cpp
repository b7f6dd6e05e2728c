// The system's text services draw with GDI, which clears the alpha byte of
// every pixel it touches in a 32-bit DIB section. So they draw on a copy of
// the back buffer's pixels whose alpha is all set: a pixel whose alpha came
// back clear was drawn on and becomes opaque, the others keep their own.

#include "ui/control/rich_edit/text_layer.h"

#include <cstdint>
#include <vector>

#include "platform/gdi/windows/gdi_objects.h"

namespace VantuUI {

void DrawTextLayer(HDC dc, const RECT& area, platform::CTextServices& services) {
    RECT clip{};
    RECT box{};
    if (dc == nullptr || GetClipBox(dc, &clip) == ERROR || !IntersectRect(&box, &area, &clip)) {
        return;
    }
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    std::uint32_t* bits = nullptr;
    platform::BitmapObject bitmap = platform::CreateDibSection(width, height, &bits);
    platform::MemoryDc scratch = platform::CreateMemoryDc();
    if (bitmap == nullptr || scratch == nullptr) {
        return;
    }
    platform::Selection selected(scratch.get(), bitmap.get());
    BitBlt(scratch.get(), 0, 0, width, height, dc, box.left, box.top, SRCCOPY);
    GdiFlush();
    const std::size_t count = static_cast<std::size_t>(width) * height;
    std::vector<std::uint8_t> alpha(count);
    for (std::size_t i = 0; i < count; ++i) {
        alpha[i] = static_cast<std::uint8_t>(bits[i] >> 24);
        bits[i] |= 0xFF000000u;
    }
    SetViewportOrgEx(scratch.get(), -box.left, -box.top, nullptr);
    services.TxDraw(scratch.get(), box);
    SetViewportOrgEx(scratch.get(), 0, 0, nullptr);
    GdiFlush();
    for (std::size_t i = 0; i < count; ++i) {
        const bool drawn = (bits[i] >> 24) == 0;
        bits[i] = (bits[i] & 0x00FFFFFFu) | (drawn ? 0xFF000000u : std::uint32_t{alpha[i]} << 24);
    }
    BitBlt(dc, box.left, box.top, width, height, scratch.get(), 0, 0, SRCCOPY);
}

}  // namespace VantuUI
