#include "ui/render/text_layout.h"

#include <map>
#include <tuple>

#include "platform/text/text_codec.h"

namespace VantuUI {

namespace {

struct ContextDeleter {
    void operator()(PangoContext* c) const { g_object_unref(c); }
};

PangoContext* SharedContext() {
    thread_local std::unique_ptr<PangoContext, ContextDeleter> context = [] {
        PangoContext* c = pango_font_map_create_context(pango_cairo_font_map_get_default());
        pango_context_set_language(c, pango_language_from_string("zh-cn"));
        return std::unique_ptr<PangoContext, ContextDeleter>(c);
    }();
    return context.get();
}

struct DescriptionDeleter {
    void operator()(PangoFontDescription* d) const { pango_font_description_free(d); }
};

}  // namespace

const PangoFontDescription* FontDescription(const FontInfo& font) {
    using Key = std::tuple<std::wstring, int, bool, bool>;
    thread_local std::map<Key, std::unique_ptr<PangoFontDescription, DescriptionDeleter>> cache;
    Key key{font.face, font.size, font.bold, font.italic};
    auto it = cache.find(key);
    if (it != cache.end()) {
        return it->second.get();
    }
    PangoFontDescription* d = pango_font_description_new();
    std::string family = font.face.empty() ? "sans-serif" : platform::EncodeUtf8(font.face);
    // Faces that are not installed fall back through fontconfig to sans.
    family += ",sans-serif";
    pango_font_description_set_family(d, family.c_str());
    pango_font_description_set_absolute_size(d, std::max(font.size, 1) * PANGO_SCALE);
    pango_font_description_set_weight(d, font.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_font_description_set_style(d, font.italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    if (cache.size() > 256) {
        cache.clear();
    }
    return cache.emplace(key, d).first->second.get();
}

LayoutPtr CreateTextLayout(HDC dc, const FontInfo& font) {
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

const FontInfo& ResolveFont(IRenderHostUI* manager, int id) {
    static const FontInfo kDefault{};
    const FontInfo* font = manager != nullptr ? manager->FontById(id) : nullptr;
    return font != nullptr ? *font : kDefault;
}

}  // namespace VantuUI
