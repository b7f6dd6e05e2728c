#include "platform/gdi/system_values.h"

#include <SDL.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

namespace {

constexpr std::array<COLORREF, 31> kScheme{
    RGB(200, 200, 200),  // scroll bar
    RGB(0, 0, 0),        // desktop
    RGB(153, 180, 209),  // active caption
    RGB(191, 205, 219),  // inactive caption
    RGB(240, 240, 240),  // menu
    RGB(255, 255, 255),  // window
    RGB(100, 100, 100),  // window frame
    RGB(0, 0, 0),        // menu text
    RGB(0, 0, 0),        // window text
    RGB(0, 0, 0),        // caption text
    RGB(180, 180, 180),  // active border
    RGB(244, 247, 252),  // inactive border
    RGB(171, 171, 171),  // application workspace
    RGB(0, 120, 215),    // highlight
    RGB(255, 255, 255),  // highlight text
    RGB(240, 240, 240),  // button face
    RGB(160, 160, 160),  // button shadow
    RGB(109, 109, 109),  // grey text
    RGB(0, 0, 0),        // button text
    RGB(0, 0, 0),        // inactive caption text
    RGB(255, 255, 255),  // button highlight
    RGB(105, 105, 105),  // 3-D dark shadow
    RGB(227, 227, 227),  // 3-D light
    RGB(0, 0, 0),        // tooltip text
    RGB(255, 255, 225),  // tooltip background
    RGB(0, 0, 0),        // unused
    RGB(0, 102, 204),    // hot-tracked item
    RGB(185, 209, 234),  // active caption gradient
    RGB(215, 228, 242),  // inactive caption gradient
    RGB(51, 153, 255),   // menu highlight
    RGB(240, 240, 240),  // menu bar
};

constexpr int kDefaultPixelsPerInch = 96;

// The display's pixels per inch when a display with a physical size runs;
// the usual 96 for the offscreen and dummy drivers.
int DisplayPixelsPerInch(bool horizontal) {
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0) {
        return kDefaultPixelsPerInch;
    }
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver == nullptr || std::strcmp(driver, "offscreen") == 0 ||
        std::strcmp(driver, "dummy") == 0) {
        return kDefaultPixelsPerInch;
    }
    float dpiX = 0;
    float dpiY = 0;
    if (SDL_GetDisplayDPI(0, nullptr, &dpiX, &dpiY) != 0) {
        return kDefaultPixelsPerInch;
    }
    float dpi = horizontal ? dpiX : dpiY;
    if (!(dpi >= 48.0f && dpi <= 960.0f)) {
        return kDefaultPixelsPerInch;
    }
    return static_cast<int>(std::lround(dpi));
}

}  // namespace

COLORREF GetSysColor(int index) {
    if (index < 0 || index >= static_cast<int>(kScheme.size())) {
        return 0;
    }
    return kScheme[static_cast<std::size_t>(index)];
}

int GetDeviceCaps(HDC /*dc*/, int index) {
    switch (index) {
        case LOGPIXELSX:
            return DisplayPixelsPerInch(true);
        case LOGPIXELSY:
            return DisplayPixelsPerInch(false);
        case BITSPIXEL:
            return 32;
        default:
            return 0;
    }
}
