#include "tools/gallery/windows/window_capture.h"

#include <algorithm>

#include "platform/gdi/windows/dib_view.h"
#include "platform/gdi/windows/gdi_objects.h"

namespace gallery {

namespace {

// The children from the bottom of the z-order up, each into its own area.
void PrintChildren(HWND window, HDC dc) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    std::reverse(children.begin(), children.end());
    for (HWND child : children) {
        if (IsWindowVisible(child) == FALSE) {
            continue;
        }
        RECT area{};
        GetWindowRect(child, &area);
        POINT origin{area.left, area.top};
        ScreenToClient(window, &origin);
        const int saved = SaveDC(dc);
        SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
        SendMessage(child, WM_PRINT, reinterpret_cast<WPARAM>(dc),
                    PRF_CHECKVISIBLE | PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN);
        RestoreDC(dc, saved);
    }
}

}  // namespace

std::optional<CapturedImage> CaptureWindow(VantuUI::CWindowManagerUI& manager) {
    HWND window = manager.WindowHandle();
    RECT client{};
    if (window == nullptr || GetClientRect(window, &client) == FALSE || client.right <= 0 ||
        client.bottom <= 0) {
        return std::nullopt;
    }
    CapturedImage image;
    image.width = client.right;
    image.height = client.bottom;
    std::uint32_t* bits = nullptr;
    platform::BitmapObject bitmap = platform::CreateDibSection(image.width, image.height, &bits);
    platform::MemoryDc target = platform::CreateMemoryDc();
    if (bitmap == nullptr || target == nullptr) {
        return std::nullopt;
    }
    {
        platform::Selection selected(target.get(), bitmap.get());
        // The back buffer stays selected into the manager's DC: its bits are
        // read in place (a second DC could not select it).
        if (const auto buffer = platform::ViewDib(manager.OffscreenBitmap())) {
            for (int y = 0; y < std::min(image.height, buffer->height); ++y) {
                std::copy_n(&buffer->bits[static_cast<std::size_t>(y) * buffer->width],
                            std::min(image.width, buffer->width),
                            bits + static_cast<std::size_t>(y) * image.width);
            }
        } else {
            manager.PaintTree(target.get(), client, nullptr);
        }
        // A layered window's buffer holds its children already.
        if (!manager.IsPerPixelLayered()) {
            PrintChildren(window, target.get());
        }
        GdiFlush();
    }
    image.pixels.assign(bits, bits + static_cast<std::size_t>(image.width) * image.height);
    // An opaque window: what GDI drew into it (the children) carries no alpha.
    if (!manager.IsPerPixelLayered()) {
        for (std::uint32_t& pixel : image.pixels) {
            pixel |= 0xFF000000u;
        }
    }
    return image;
}

}  // namespace gallery
