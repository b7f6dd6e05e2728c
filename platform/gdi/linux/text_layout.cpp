#include "platform/gdi/text_layout.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <map>
#include <mutex>
#include <tuple>

#include "platform/process/startup_trace.h"
#include "platform/text/text_codec.h"

namespace platform {

namespace {

struct ContextDeleter {
    void operator()(PangoContext* c) const { g_object_unref(c); }
};
using ContextPtr = std::unique_ptr<PangoContext, ContextDeleter>;

ContextPtr NewContext(PangoFontMap* fonts) {
    ContextPtr context(pango_font_map_create_context(fonts));
    pango_context_set_language(context.get(), pango_language_from_string("zh-cn"));
    return context;
}

PangoContext* SharedContext() {
    thread_local ContextPtr context = NewContext(pango_cairo_font_map_get_default());
    return context.get();
}

struct FontMapDeleter {
    void operator()(PangoFontMap* m) const { g_object_unref(m); }
};
using FontMapPtr = std::unique_ptr<PangoFontMap, FontMapDeleter>;

// The font map WarmTextLayout drew with, until a thread adopts it.
struct WarmFontMap {
    std::mutex mutex;
    FontMapPtr fonts;
};

WarmFontMap& TheWarmFontMap() {
    static WarmFontMap warm;
    return warm;
}

struct CairoDeleter {
    void operator()(cairo_t* cr) const { cairo_destroy(cr); }
};

struct DescriptionDeleter {
    void operator()(PangoFontDescription* d) const { pango_font_description_free(d); }
};

using FontKey = std::tuple<std::wstring, int, bool, bool>;

FontKey KeyOf(const FontSpec& font) {
    return FontKey{font.face, font.size, font.bold, font.italic};
}

// Caches are bounded: skins name a handful of fonts, tagged text may make more.
constexpr std::size_t kCacheLimit = 256;

}  // namespace

bool PrepareTextLayout() {
    FontMapPtr warmed;
    {
        WarmFontMap& warm = TheWarmFontMap();
        std::lock_guard lock(warm.mutex);
        warmed = std::move(warm.fonts);
    }
    if (warmed) {
        // The thread's default takes its own reference.
        pango_cairo_font_map_set_default(PANGO_CAIRO_FONT_MAP(warmed.get()));
    }
    SharedContext();
    return warmed != nullptr;
}

void PrepareFontConfiguration() {
    FcInit();
    MarkStartup("font configuration ready");
}

void WarmTextLayout(const FontSpec& font, std::string_view sample) {
    // A font map of this call's own, which the thread that draws adopts once
    // this call no longer uses it: its fonts are then matched and shaped.
    FontMapPtr fonts(pango_cairo_font_map_new());
    ContextPtr context = NewContext(fonts.get());
    // Wide enough that no glyph of a line is clipped away before it is drawn.
    constexpr int kWidth = 1024;
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kWidth, std::max(font.size, 1) * 2);
    // The context holds the surface from here on.
    std::unique_ptr<cairo_t, CairoDeleter> cr(cairo_create(surface));
    cairo_surface_destroy(surface);
    pango_cairo_update_context(cr.get(), context.get());
    LayoutPtr layout(pango_layout_new(context.get()));
    pango_layout_set_font_description(layout.get(), FontDescription(font));
    pango_layout_set_text(layout.get(), sample.data(), static_cast<int>(sample.size()));
    pango_cairo_show_layout(cr.get(), layout.get());
    layout.reset();
    context.reset();
    {
        WarmFontMap& warm = TheWarmFontMap();
        std::lock_guard lock(warm.mutex);
        warm.fonts = std::move(fonts);
    }
    MarkStartup("text drawn ahead");
}

const PangoFontDescription* FontDescription(const FontSpec& font) {
    thread_local std::map<FontKey, std::unique_ptr<PangoFontDescription, DescriptionDeleter>> cache;
    FontKey key = KeyOf(font);
    auto it = cache.find(key);
    if (it != cache.end()) {
        return it->second.get();
    }
    PangoFontDescription* d = pango_font_description_new();
    std::string family = font.face.empty() ? "sans-serif" : EncodeUtf8(font.face);
    family += ",sans-serif";
    pango_font_description_set_family(d, family.c_str());
    pango_font_description_set_absolute_size(d, std::max(font.size, 1) * PANGO_SCALE);
    pango_font_description_set_weight(d, font.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_font_description_set_style(d, font.italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    if (cache.size() > kCacheLimit) {
        cache.clear();
    }
    return cache.emplace(key, d).first->second.get();
}

LayoutPtr CreateTextLayout(HDC dc, const FontSpec& font) {
    PangoContext* context = SharedContext();
    if (dc != nullptr) {
        pango_cairo_update_context(dc, context);
    }
    LayoutPtr layout(pango_layout_new(context));
    pango_layout_set_font_description(layout.get(), FontDescription(font));
    if (font.underline) {
        PangoAttrList* attrs = pango_attr_list_new();
        pango_attr_list_insert(attrs, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
        pango_layout_set_attributes(layout.get(), attrs);
        pango_attr_list_unref(attrs);
    }
    return layout;
}

LayoutPtr CreateTextLayout(HDC dc, const FontSpec& font, std::string_view text, int wrapWidth) {
    LayoutPtr layout = CreateTextLayout(dc, font);
    pango_layout_set_text(layout.get(), text.data(), static_cast<int>(text.size()));
    if (wrapWidth > 0) {
        pango_layout_set_width(layout.get(), wrapWidth * PANGO_SCALE);
        pango_layout_set_wrap(layout.get(), PANGO_WRAP_WORD_CHAR);
    }
    return layout;
}

FontMetrics MeasureFont(const FontSpec& font) {
    thread_local std::map<FontKey, FontMetrics> cache;
    FontKey key = KeyOf(font);
    auto it = cache.find(key);
    if (it != cache.end()) {
        return it->second;
    }
    PangoContext* context = SharedContext();
    PangoFontMetrics* m = pango_context_get_metrics(context, FontDescription(font),
                                                    pango_context_get_language(context));
    FontMetrics metrics;
    metrics.ascent = PANGO_PIXELS_CEIL(pango_font_metrics_get_ascent(m));
    metrics.descent = PANGO_PIXELS_CEIL(pango_font_metrics_get_descent(m));
    metrics.height = metrics.ascent + metrics.descent;
    metrics.averageCharWidth =
        std::max(1, PANGO_PIXELS(pango_font_metrics_get_approximate_char_width(m)));
    pango_font_metrics_unref(m);
    if (cache.size() > kCacheLimit) {
        cache.clear();
    }
    cache.emplace(key, metrics);
    return metrics;
}

SIZE MeasureText(const FontSpec& font, std::wstring_view text, int wrapWidth) {
    LayoutPtr layout = CreateTextLayout(nullptr, font, EncodeUtf8(text), wrapWidth);
    PangoRectangle logical;
    pango_layout_get_pixel_extents(layout.get(), nullptr, &logical);
    return SIZE{logical.width, logical.height};
}

}  // namespace platform
