// The system's text services draw with GDI, which clears the alpha byte of
// every pixel it touches in a 32-bit DIB section. So they draw on a copy of
// the back buffer's pixels whose alpha is all set: a pixel whose alpha came
// back clear was drawn on and becomes opaque, the others keep their own.

#include "ui/control/rich_edit/text_layer.h"

#include <cstdint>
#include <vector>

#include "ui/render/windows/scratch_surface.h"

namespace VantuUI {

void DrawTextLayer(HDC dc, const RECT& area, platform::CTextServices& services) {
    RECT clip{};
    RECT box{};
    if (dc == nullptr || GetClipBox(dc, &clip) == ERROR || !IntersectRect(&box, &area, &clip)) {
        return;
    }
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    ScratchSurface scratch(width, height);
    if (!scratch.Ready()) {
        return;
    }
    HDC sdc = scratch.Dc();
    BitBlt(sdc, 0, 0, width, height, dc, box.left, box.top, SRCCOPY);
    GdiFlush();
    auto row = [&](int y) {
        return scratch.Bits() + static_cast<std::size_t>(y) * scratch.Stride();
    };
    std::vector<std::uint8_t> alpha(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        std::uint32_t* pixels = row(y);
        std::uint8_t* saved = alpha.data() + static_cast<std::size_t>(y) * width;
        for (int x = 0; x < width; ++x) {
            saved[x] = static_cast<std::uint8_t>(pixels[x] >> 24);
            pixels[x] |= 0xFF000000u;
        }
    }
    SetViewportOrgEx(sdc, -box.left, -box.top, nullptr);
    services.TxDraw(sdc, box);
    SetViewportOrgEx(sdc, 0, 0, nullptr);
    GdiFlush();
    for (int y = 0; y < height; ++y) {
        std::uint32_t* pixels = row(y);
        const std::uint8_t* saved = alpha.data() + static_cast<std::size_t>(y) * width;
        for (int x = 0; x < width; ++x) {
            const bool drawn = (pixels[x] >> 24) == 0;
            pixels[x] =
                (pixels[x] & 0x00FFFFFFu) | (drawn ? 0xFF000000u : std::uint32_t{saved[x]} << 24);
        }
    }
    BitBlt(dc, box.left, box.top, width, height, sdc, 0, 0, SRCCOPY);
}

}  // namespace VantuUI
