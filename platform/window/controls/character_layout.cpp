#include "platform/window/controls/character_layout.h"

#include <algorithm>
#include <cmath>

#include "platform/gdi/brush.h"
#include "platform/gdi/system_values.h"
#include "platform/text/text_codec.h"

namespace platform::controls {

CharacterLayout::CharacterLayout(HDC dc, const std::wstring& text,
                                 const CharacterLayoutOptions& options) {
    std::string utf8;
    m_byteOffsets.reserve(text.size() + 1);
    for (wchar_t c : text) {
        m_byteOffsets.push_back(static_cast<int>(utf8.size()));
        utf8 += EncodeUtf8(std::wstring(1, c));
    }
    m_byteOffsets.push_back(static_cast<int>(utf8.size()));
    m_layout = CreateTextLayout(dc, options.font, utf8, options.wrapWidth);
    PangoLayout* layout = m_layout.get();
    if (options.wrapWidth > 0) {
        pango_layout_set_alignment(layout, options.alignment);
    }
    if (options.underlineEnd > options.underlineStart) {
        PangoAttrList* current = pango_layout_get_attributes(layout);
        PangoAttrList* attributes =
            current != nullptr ? pango_attr_list_copy(current) : pango_attr_list_new();
        PangoAttribute* underline = pango_attr_underline_new(PANGO_UNDERLINE_SINGLE);
        underline->start_index = static_cast<guint>(ByteIndex(options.underlineStart));
        underline->end_index = static_cast<guint>(ByteIndex(options.underlineEnd));
        pango_attr_list_insert(attributes, underline);
        pango_layout_set_attributes(layout, attributes);
        pango_attr_list_unref(attributes);
    }
}

int CharacterLayout::ByteIndex(std::size_t index) const {
    return m_byteOffsets[std::min(index, m_byteOffsets.size() - 1)];
}

SIZE CharacterLayout::Extent() const {
    PangoRectangle logical;
    pango_layout_get_pixel_extents(m_layout.get(), nullptr, &logical);
    return SIZE{logical.x + logical.width, logical.y + logical.height};
}

RECT CharacterLayout::CaretRect(std::size_t index) const {
    PangoRectangle strong;
    pango_layout_get_cursor_pos(m_layout.get(), ByteIndex(index), &strong, nullptr);
    int x = PANGO_PIXELS(strong.x);
    int top = PANGO_PIXELS(strong.y);
    return RECT{x, top, x + 1, top + PANGO_PIXELS_CEIL(strong.height)};
}

std::size_t CharacterLayout::IndexAt(POINT point) const {
    int byte = 0;
    int trailing = 0;
    pango_layout_xy_to_index(m_layout.get(), point.x * PANGO_SCALE, point.y * PANGO_SCALE, &byte,
                             &trailing);
    auto it = std::upper_bound(m_byteOffsets.begin(), m_byteOffsets.end(), byte);
    auto index = static_cast<std::size_t>(std::distance(m_byteOffsets.begin(), it)) - 1;
    return std::min(index + static_cast<std::size_t>(trailing), m_byteOffsets.size() - 1);
}

std::vector<RECT> CharacterLayout::RangeRects(std::size_t start, std::size_t end) const {
    std::vector<RECT> rects;
    if (end <= start) {
        return rects;
    }
    int from = ByteIndex(start);
    int to = ByteIndex(end);
    PangoLayoutIter* iter = pango_layout_get_iter(m_layout.get());
    do {
        PangoLayoutLine* line = pango_layout_iter_get_line_readonly(iter);
        int lineStart = line->start_index;
        int lineEnd = lineStart + line->length;
        int a = std::max(from, lineStart);
        int b = std::min(to, lineEnd);
        bool breakSelected = to > lineEnd && from <= lineEnd;  // a selected line break shows
        if (a >= b && !breakSelected) {
            continue;
        }
        int top = 0;
        int bottom = 0;
        pango_layout_iter_get_line_yrange(iter, &top, &bottom);
        PangoRectangle extent;
        pango_layout_iter_get_line_extents(iter, nullptr, &extent);
        int* ranges = nullptr;
        int count = 0;
        pango_layout_line_get_x_ranges(line, a, std::max(a, b), &ranges, &count);
        int left = count > 0 ? ranges[0] : extent.x + extent.width;
        int right = count > 0 ? ranges[2 * count - 1] : left;
        g_free(ranges);
        if (breakSelected) {
            right += 4 * PANGO_SCALE;
        }
        rects.push_back(RECT{PANGO_PIXELS(left), PANGO_PIXELS(top), PANGO_PIXELS_CEIL(right),
                             PANGO_PIXELS_CEIL(bottom)});
    } while (pango_layout_iter_next_line(iter));
    pango_layout_iter_free(iter);
    return rects;
}

void CharacterLayout::Draw(HDC dc, double x, double y) const {
    cairo_move_to(dc, x, y);
    pango_cairo_show_layout(dc, m_layout.get());
}

void CharacterLayout::DrawSelection(HDC dc, double x, double y, std::size_t start,
                                    std::size_t end) const {
    const std::vector<RECT> rects = RangeRects(start, end);
    if (rects.empty()) {
        return;
    }
    cairo_save(dc);
    for (const RECT& r : rects) {
        cairo_rectangle(dc, x + r.left, y + r.top, r.right - r.left, r.bottom - r.top);
    }
    cairo_clip(dc);
    SetSourceColor(dc, GetSysColor(COLOR_HIGHLIGHT));
    cairo_paint(dc);
    SetSourceColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    Draw(dc, x, y);
    cairo_restore(dc);
}

void DrawTextLine(HDC dc, const std::wstring& text, const FontSpec& font, const RECT& rect,
                  PangoAlignment alignment) {
    CharacterLayout layout(dc, text, CharacterLayoutOptions{font});
    SIZE extent = layout.Extent();
    double x = rect.left;
    if (alignment == PANGO_ALIGN_CENTER) {
        x += (rect.right - rect.left - extent.cx) / 2.0;
    } else if (alignment == PANGO_ALIGN_RIGHT) {
        x = rect.right - extent.cx;
    }
    layout.Draw(dc, std::round(x),
                std::round(rect.top + (rect.bottom - rect.top - extent.cy) / 2.0));
}

}  // namespace platform::controls
