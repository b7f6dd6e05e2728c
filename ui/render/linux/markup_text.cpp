// Tagged text on Linux: the parsed runs become one Pango layout with
// attributes; inline images and pen moves are shapes.

#include <cairo.h>

#include <algorithm>
#include <vector>

#include "platform/text/text_codec.h"
#include "ui/render/linux/pango_text.h"
#include "ui/render/render_backend.h"
#include "ui/render/render_engine.h"
#include "ui/render/text/markup_parser.h"

namespace VantuUI {

namespace {

struct LinkSpan {
    std::wstring text;
    int start = 0;  // byte offsets in the laid-out text
    int end = 0;
};

guint16 Pango16(DWORD color, int shift) {
    return static_cast<guint16>(((color >> shift) & 0xFF) * 257);
}

// The runs as UTF-8 text and Pango attributes.
class PangoSink : public MarkupSink {
  public:
    PangoSink(IRenderHostUI& manager, bool singleLine)
        : m_manager(manager), m_singleLine(singleLine) {}
    ~PangoSink() override { pango_attr_list_unref(m_attrs); }
    PangoSink(const PangoSink&) = delete;
    PangoSink& operator=(const PangoSink&) = delete;

    void Text(const std::wstring& text, const MarkupStyle& style) override {
        size_t start = m_out.size();
        m_out += platform::EncodeUtf8(text);
        Style(start, m_out.size(), style);
    }

    // An object-replacement character shaped as a box of the given size.
    void Box(int width, int height, UINT valign, const InlineImage* image,
             const MarkupStyle& style) override {
        size_t start = m_out.size();
        m_out += "\xEF\xBF\xBC";
        int size = style.font.size;
        int y = -height;  // bottom: on the baseline
        if (valign == DT_TOP) {
            y = -size;
        } else if (valign == DT_VCENTER) {
            y = -(height + size) / 2;
        }
        PangoRectangle box{0, y * PANGO_SCALE, width * PANGO_SCALE, height * PANGO_SCALE};
        Insert(pango_attr_shape_new_with_data(&box, &box, const_cast<InlineImage*>(image), nullptr,
                                              nullptr),
               start, m_out.size());
        Style(start, m_out.size(), style);
    }

    void LineBreak() override { m_out += '\n'; }
    bool AtLineStart() const override { return m_out.empty() || m_out.back() == '\n'; }
    void LineHeight(int height) override {
        Insert(pango_attr_line_height_new_absolute(height * PANGO_SCALE), m_out.size(), G_MAXUINT);
    }
    void LinkBegin() override { m_linkStart = static_cast<int>(m_out.size()); }
    void LinkEnd(const std::wstring& target) override {
        m_links.push_back(LinkSpan{target, m_linkStart, static_cast<int>(m_out.size())});
    }

    const std::string& Out() const { return m_out; }
    PangoAttrList* Attributes() const { return m_attrs; }
    const std::vector<LinkSpan>& Links() const { return m_links; }
    bool SingleLine() const { return m_singleLine; }

  private:
    void Insert(PangoAttribute* a, size_t start, size_t end) {
        a->start_index = static_cast<guint>(start);
        a->end_index = static_cast<guint>(end);
        pango_attr_list_insert(m_attrs, a);
    }

    void Style(size_t start, size_t end, const MarkupStyle& style) {
        Insert(pango_attr_font_desc_new(FontDescription(style.font)), start, end);
        Insert(pango_attr_foreground_new(Pango16(style.color, 16), Pango16(style.color, 8),
                                         Pango16(style.color, 0)),
               start, end);
        if (style.font.underline) {
            Insert(pango_attr_underline_new(PANGO_UNDERLINE_SINGLE), start, end);
        }
        if (style.selected) {
            DWORD bg = m_manager.SelectedBackColor();
            Insert(pango_attr_background_new(Pango16(bg, 16), Pango16(bg, 8), Pango16(bg, 0)),
                   start, end);
        }
    }

    IRenderHostUI& m_manager;
    bool m_singleLine;
    std::string m_out;
    PangoAttrList* m_attrs = pango_attr_list_new();
    int m_linkStart = 0;
    std::vector<LinkSpan> m_links;
};

void DrawShape(cairo_t* cr, PangoAttrShape* attr, gboolean doPath, gpointer) {
    auto* image = static_cast<InlineImage*>(attr->data);
    if (image == nullptr || doPath) {
        return;
    }
    double x = 0;
    double y = 0;
    cairo_get_current_point(cr, &x, &y);
    int top = static_cast<int>(y) + attr->logical_rect.y / PANGO_SCALE;
    int left = static_cast<int>(x);
    const RECT& s = image->source;
    RECT dest{left, top, left + (s.right - s.left), top + (s.bottom - s.top)};
    RenderEngine::DrawImageGrid(cr, image->image->bitmap, dest, dest, s, RECT{},
                                image->image->hasAlpha, 255, false, false, false);
}

}  // namespace

int DrawMarkupBlock(HDC dc, IRenderHostUI& manager, RECT& rect, const std::wstring& text,
                    const MarkupOptions& options, UINT style, RECT* linkRects,
                    std::wstring* linkTexts, int capacity) {
    PangoSink b(manager, options.singleLine);
    std::vector<std::unique_ptr<InlineImage>> images;
    ParseMarkup(manager, manager.ExpandStringTokens(text), options, b, images);

    LayoutPtr layout = CreateTextLayout(dc, *options.font);
    pango_layout_set_text(layout.get(), b.Out().c_str(), static_cast<int>(b.Out().size()));
    pango_layout_set_attributes(layout.get(), b.Attributes());
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    if (width > 0 && (!b.SingleLine() || (style & DT_END_ELLIPSIS) != 0)) {
        pango_layout_set_width(layout.get(), width * PANGO_SCALE);
        pango_layout_set_wrap(layout.get(), PANGO_WRAP_WORD_CHAR);
    }
    if ((style & DT_END_ELLIPSIS) != 0 && width > 0) {
        pango_layout_set_ellipsize(layout.get(), PANGO_ELLIPSIZE_END);
        pango_layout_set_height(layout.get(),
                                b.SingleLine() ? -1 : std::max(height, 1) * PANGO_SCALE);
    }
    PangoRectangle ink;
    PangoRectangle logical;
    pango_layout_get_pixel_extents(layout.get(), &ink, &logical);
    int usedWidth = 0;
    {
        PangoLayoutIter* iter = pango_layout_get_iter(layout.get());
        do {
            PangoRectangle line;
            pango_layout_iter_get_line_extents(iter, nullptr, &line);
            usedWidth = std::max(usedWidth, PANGO_PIXELS(line.x + line.width));
        } while (pango_layout_iter_next_line(iter));
        pango_layout_iter_free(iter);
    }
    if ((style & DT_CALCRECT) != 0) {
        rect.right = rect.left + usedWidth;
        rect.bottom = rect.top + logical.height;
        return 0;
    }
    RECT place = rect;
    if ((style & DT_CENTER) != 0) {
        place.left += (width - usedWidth) / 2;
    } else if ((style & DT_RIGHT) != 0) {
        place.left += width - usedWidth;
    }
    if ((style & DT_VCENTER) != 0) {
        place.top += (height - logical.height) / 2;
    } else if ((style & DT_BOTTOM) != 0) {
        place.top += height - logical.height;
    }

    // Link rectangles: one per line a link spans.
    int recorded = 0;
    if (linkRects != nullptr && linkTexts != nullptr) {
        PangoLayoutIter* iter = pango_layout_get_iter(layout.get());
        do {
            PangoLayoutLine* line = pango_layout_iter_get_line_readonly(iter);
            PangoRectangle extents;
            pango_layout_iter_get_line_extents(iter, nullptr, &extents);
            for (const LinkSpan& link : b.Links()) {
                int start = std::max(link.start, line->start_index);
                int end = std::min(link.end, line->start_index + line->length);
                if (start >= end || recorded >= capacity) {
                    continue;
                }
                int* ranges = nullptr;
                int count = 0;
                pango_layout_line_get_x_ranges(line, start, end, &ranges, &count);
                if (count > 0) {
                    RECT r{place.left + PANGO_PIXELS(ranges[0]),
                           place.top + PANGO_PIXELS(extents.y),
                           place.left + PANGO_PIXELS(ranges[2 * count - 1]),
                           place.top + PANGO_PIXELS(extents.y + extents.height)};
                    linkRects[recorded] = r;
                    linkTexts[recorded] = link.text;
                    ++recorded;
                }
                g_free(ranges);
            }
        } while (pango_layout_iter_next_line(iter));
        pango_layout_iter_free(iter);
    }

    cairo_save(dc);
    cairo_rectangle(dc, rect.left, rect.top, width, height);
    cairo_clip(dc);
    PangoContext* context = pango_layout_get_context(layout.get());
    pango_cairo_context_set_shape_renderer(context, DrawShape, nullptr, nullptr);
    cairo_move_to(dc, place.left, place.top);
    pango_cairo_show_layout(dc, layout.get());
    pango_cairo_context_set_shape_renderer(context, nullptr, nullptr, nullptr);
    cairo_restore(dc);
    return recorded;
}

}  // namespace VantuUI
