#include "platform/gdi/brush.h"

#include <cairo.h>

#include <cstdint>

#include "platform/gdi/system_values.h"

namespace {

// The DC's colours live on the Cairo context as user data: the value itself,
// one above the colour, so that "never set" (null) is told apart from black.
const cairo_user_data_key_t kTextColorKey{};
const cairo_user_data_key_t kBkColorKey{};
const cairo_user_data_key_t kBkModeKey{};

std::uintptr_t Get(HDC dc, const cairo_user_data_key_t* key, std::uintptr_t fallback) {
    auto stored = reinterpret_cast<std::uintptr_t>(cairo_get_user_data(dc, key));
    return stored == 0 ? fallback : stored - 1;
}

std::uintptr_t Set(HDC dc, const cairo_user_data_key_t* key, std::uintptr_t value,
                   std::uintptr_t fallback) {
    if (dc == nullptr) {
        return fallback;
    }
    std::uintptr_t old = Get(dc, key, fallback);
    cairo_set_user_data(dc, key, reinterpret_cast<void*>(value + 1), nullptr);
    return old;
}

constexpr COLORREF kDefaultText = RGB(0, 0, 0);
constexpr COLORREF kDefaultBk = RGB(255, 255, 255);

}  // namespace

HBRUSH CreateSolidBrush(COLORREF color) {
    return cairo_pattern_create_rgb(GetRValue(color) / 255.0, GetGValue(color) / 255.0,
                                    GetBValue(color) / 255.0);
}

HBRUSH CreatePatternBrush(HBITMAP bitmap) {
    if (bitmap == nullptr || cairo_surface_status(bitmap) != CAIRO_STATUS_SUCCESS) {
        return nullptr;
    }
    int width = cairo_image_surface_get_width(bitmap);
    int height = cairo_image_surface_get_height(bitmap);
    cairo_surface_t* copy = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_t* cr = cairo_create(copy);
    cairo_set_source_surface(cr, bitmap, 0, 0);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_pattern_t* pattern = cairo_pattern_create_for_surface(copy);
    cairo_surface_destroy(copy);
    return pattern;
}

BOOL DeleteObject(HBRUSH brush) {
    if (brush == nullptr) {
        return FALSE;
    }
    cairo_pattern_destroy(brush);
    return TRUE;
}

int FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
    if (dc == nullptr || rect == nullptr || brush == nullptr) {
        return 0;
    }
    cairo_save(dc);
    cairo_rectangle(dc, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top);
    cairo_set_source(dc, brush);
    cairo_fill(dc);
    cairo_restore(dc);
    return 1;
}

COLORREF SetTextColor(HDC dc, COLORREF color) {
    return static_cast<COLORREF>(Set(dc, &kTextColorKey, color, kDefaultText));
}

COLORREF GetTextColor(HDC dc) {
    return dc == nullptr ? kDefaultText
                         : static_cast<COLORREF>(Get(dc, &kTextColorKey, kDefaultText));
}

COLORREF SetBkColor(HDC dc, COLORREF color) {
    return static_cast<COLORREF>(Set(dc, &kBkColorKey, color, kDefaultBk));
}

COLORREF GetBkColor(HDC dc) {
    return dc == nullptr ? kDefaultBk : static_cast<COLORREF>(Get(dc, &kBkColorKey, kDefaultBk));
}

int SetBkMode(HDC dc, int mode) {
    if (mode != TRANSPARENT && mode != OPAQUE) {
        return 0;
    }
    return static_cast<int>(Set(dc, &kBkModeKey, static_cast<std::uintptr_t>(mode), OPAQUE));
}

int GetBkMode(HDC dc) {
    return dc == nullptr ? OPAQUE : static_cast<int>(Get(dc, &kBkModeKey, OPAQUE));
}

namespace platform {

void SetSourceColor(HDC dc, COLORREF color) {
    cairo_set_source_rgb(dc, GetRValue(color) / 255.0, GetGValue(color) / 255.0,
                         GetBValue(color) / 255.0);
}

}  // namespace platform
