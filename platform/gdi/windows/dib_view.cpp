#include "platform/gdi/windows/dib_view.h"

#include <cstdlib>

namespace platform {

std::optional<DibView> ViewDib(HBITMAP bitmap) {
    DIBSECTION dib{};
    if (bitmap == nullptr || GetObjectW(bitmap, sizeof dib, &dib) != sizeof dib ||
        dib.dsBm.bmBits == nullptr || dib.dsBm.bmBitsPixel != 32) {
        return std::nullopt;
    }
    GdiFlush();
    // The toolkit's bitmaps are all top-down; the system does not report the
    // orientation alike everywhere, so the height's sign is not trusted.
    return DibView{static_cast<const std::uint32_t*>(dib.dsBm.bmBits), dib.dsBm.bmWidth,
                   std::abs(dib.dsBm.bmHeight)};
}

}  // namespace platform
