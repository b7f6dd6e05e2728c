// Font metrics and text extents from gdi32.

#include <algorithm>
#include <map>
#include <tuple>

#include "platform/gdi/font_spec.h"
#include "platform/gdi/windows/gdi_objects.h"

namespace platform {

namespace {

using FontKey = std::tuple<std::wstring, int, bool, bool>;

// Skins name a handful of fonts; tagged text may make more.
constexpr std::size_t kCacheLimit = 256;

}  // namespace

FontMetrics MeasureFont(const FontSpec& font) {
    thread_local std::map<FontKey, FontMetrics> cache;
    FontKey key{font.face, font.size, font.bold, font.italic};
    auto it = cache.find(key);
    if (it != cache.end()) {
        return it->second;
    }
    FontMetrics metrics;
    HDC dc = MeasuringDc();
    FontObject object = CreateFontObject(font);
    Selection selected(dc, object.get());
    TEXTMETRICW tm{};
    if (!selected.Ok() || !GetTextMetricsW(dc, &tm)) {
        // No DC or font: a guess from the size rather than zeros.
        metrics.ascent = font.size;
        metrics.descent = std::max(1, font.size / 4);
        metrics.height = metrics.ascent + metrics.descent;
        metrics.averageCharWidth = std::max(1, font.size / 2);
        return metrics;
    }
    metrics.ascent = tm.tmAscent;
    metrics.descent = tm.tmDescent;
    metrics.height = tm.tmAscent + tm.tmDescent;
    metrics.averageCharWidth = std::max<LONG>(1, tm.tmAveCharWidth);
    if (cache.size() > kCacheLimit) {
        cache.clear();
    }
    cache.emplace(key, metrics);
    return metrics;
}

SIZE MeasureText(const FontSpec& font, std::wstring_view text, int wrapWidth) {
    if (text.empty()) {
        return SIZE{0, MeasureFont(font).height};
    }
    HDC dc = MeasuringDc();
    FontObject object = CreateFontObject(font);
    Selection selected(dc, object.get());
    RECT rect{0, 0, std::max(wrapWidth, 0), 0};
    UINT flags = DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS;
    if (wrapWidth > 0) {
        flags |= DT_WORDBREAK;
    }
    if (!selected.Ok() ||
        DrawTextW(dc, text.data(), static_cast<int>(text.size()), &rect, flags) == 0) {
        return SIZE{0, 0};
    }
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace platform
