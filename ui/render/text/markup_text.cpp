// Text with inline tags (<b>, <c #colour>, <a link>, <i image> ...), laid out
// as one Pango layout with attributes; images and pen moves are shapes.

#include <cairo.h>

#include <algorithm>
#include <cwchar>
#include <cwctype>
#include <optional>
#include <vector>

#include "platform/text/text_codec.h"
#include "ui/render/render_engine.h"
#include "ui/render/text/text_layout.h"

namespace VantuUI {

namespace {

// An inline image, drawn by the shape renderer.
struct InlineImage {
    const ImageInfo* image = nullptr;
    RECT source{};
};

struct LinkSpan {
    std::wstring text;
    int start = 0;  // byte offsets in the laid-out text
    int end = 0;
};

struct Builder {
    IRenderHostUI* manager = nullptr;
    bool singleLine = false;
    std::string out;
    PangoAttrList* attrs = pango_attr_list_new();
    std::vector<FontInfo> fonts;
    std::vector<DWORD> colors;
    bool selected = false;
    UINT valign = DT_BOTTOM;  // of inline shapes within their line: DT_TOP, DT_VCENTER or DT_BOTTOM
    std::optional<std::wstring> link;
    int linkStart = 0;
    std::wstring hoverLink;
    std::vector<LinkSpan> links;
    std::vector<std::unique_ptr<InlineImage>> images;

    void Insert(PangoAttribute* a, size_t start, size_t end) {
        a->start_index = static_cast<guint>(start);
        a->end_index = static_cast<guint>(end);
        pango_attr_list_insert(attrs, a);
    }

    void AppendText(const std::wstring& text) {
        if (text.empty()) {
            return;
        }
        size_t start = out.size();
        out += platform::EncodeUtf8(text);
        Style(start, out.size());
    }

    void Style(size_t start, size_t end) {
        FontInfo font = fonts.back();
        DWORD color = colors.back();
        if (link) {
            font.underline = true;
            color = (!hoverLink.empty() && hoverLink == *link) ? manager->LinkHoverColor()
                                                               : manager->LinkColor();
        }
        Insert(pango_attr_font_desc_new(FontDescription(font)), start, end);
        Insert(pango_attr_foreground_new(static_cast<guint16>(((color >> 16) & 0xFF) * 257),
                                         static_cast<guint16>(((color >> 8) & 0xFF) * 257),
                                         static_cast<guint16>((color & 0xFF) * 257)),
               start, end);
        if (font.underline) {
            Insert(pango_attr_underline_new(PANGO_UNDERLINE_SINGLE), start, end);
        }
        if (selected) {
            DWORD bg = manager->SelectedBackColor();
            Insert(pango_attr_background_new(static_cast<guint16>(((bg >> 16) & 0xFF) * 257),
                                             static_cast<guint16>(((bg >> 8) & 0xFF) * 257),
                                             static_cast<guint16>((bg & 0xFF) * 257)),
                   start, end);
        }
    }

    // An object-replacement character shaped as a box of the given size.
    void AppendShape(int width, int height, InlineImage* image) {
        size_t start = out.size();
        out += "\xEF\xBF\xBC";
        int size = fonts.back().size;
        int y = -height;  // bottom: on the baseline
        if (valign == DT_TOP) {
            y = -size;
        } else if (valign == DT_VCENTER) {
            y = -(height + size) / 2;
        }
        PangoRectangle box{0, y * PANGO_SCALE, width * PANGO_SCALE, height * PANGO_SCALE};
        Insert(pango_attr_shape_new_with_data(&box, &box, image, nullptr, nullptr), start,
               out.size());
        Style(start, out.size());
    }

    void LineBreak() {
        if (!singleLine) {
            out += '\n';
        }
    }
};

std::wstring Trim(std::wstring s) {
    while (!s.empty() && std::iswspace(static_cast<wint_t>(s.front()))) {
        s.erase(s.begin());
    }
    while (!s.empty() && std::iswspace(static_cast<wint_t>(s.back()))) {
        s.pop_back();
    }
    return s;
}

std::vector<std::wstring> Words(const std::wstring& s) {
    std::vector<std::wstring> words;
    std::wstring word;
    for (wchar_t c : s) {
        if (c == L' ' || c == L'\t') {
            if (!word.empty()) {
                words.push_back(word);
            }
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty()) {
        words.push_back(word);
    }
    return words;
}

int ToInt(const std::wstring& s, int fallback) {
    wchar_t* end = nullptr;
    long v = std::wcstol(s.c_str(), &end, 10);
    return end == s.c_str() ? fallback : static_cast<int>(std::clamp<long>(v, -100000, 100000));
}

void OpenTag(Builder& b, wchar_t letter, const std::wstring& arg) {
    switch (letter) {
        case L'a':
            b.link = Trim(arg);
            b.linkStart = static_cast<int>(b.out.size());
            break;
        case L'b': {
            FontInfo f = b.fonts.back();
            f.bold = true;
            b.fonts.push_back(f);
            break;
        }
        case L'c':
            b.colors.push_back(ParseColorText(Trim(arg)));
            break;
        case L'f': {
            auto words = Words(arg);
            FontInfo f = b.fonts.back();
            if (words.size() == 1 && std::iswdigit(static_cast<wint_t>(words[0][0]))) {
                f = ResolveFont(b.manager, ToInt(words[0], 0));
            } else if (!words.empty()) {
                f = FontInfo{words[0], 10, false, false, false};
                for (size_t i = 1; i < words.size(); ++i) {
                    if (words[i] == L"bold") {
                        f.bold = true;
                    } else if (words[i] == L"underline") {
                        f.underline = true;
                    } else if (words[i] == L"italic") {
                        f.italic = true;
                    } else {
                        f.size = ToInt(words[i], f.size);
                    }
                }
                // Every paint meets the tag again: its font is registered once.
                if (b.manager->FindFont(f) < 0) {
                    b.manager->AddFont(f);
                }
            }
            b.fonts.push_back(f);
            break;
        }
        case L'i': {
            std::wstring spec = Trim(arg);
            if (spec.empty()) {
                FontInfo f = b.fonts.back();
                f.italic = true;
                b.fonts.push_back(f);
                break;
            }
            ImageDrawInfo record;
            int frames = 1;
            int frame = 0;
            if (spec.find(L"file='") != std::wstring::npos ||
                spec.find(L"res='") != std::wstring::npos) {
                record.spec = spec;
            } else {
                auto words = Words(spec);
                record.spec = words[0];
                if (words.size() > 1) {
                    frames = std::max(1, ToInt(words[1], 1));
                }
                if (words.size() > 2) {
                    frame = ToInt(words[2], 0);
                }
            }
            ImageSpec parsed = RenderEngine::ParseImageSpec(record);
            const ImageInfo* image = b.manager->ImageByNameOrLoad(
                parsed.name, parsed.type ? &*parsed.type : nullptr, parsed.mask, parsed.hsl);
            if (image == nullptr) {
                break;
            }
            auto inlineImage = std::make_unique<InlineImage>();
            inlineImage->image = image;
            RECT src =
                record.source == RECT{} ? RECT{0, 0, image->width, image->height} : record.source;
            if (frames > 1) {
                if (frame < 0 || frame >= frames) {
                    frame = 0;
                }
                int w = image->width / frames;
                src = RECT{w * frame, 0, w * (frame + 1), image->height};
            }
            src.right = std::min<LONG>(src.right, image->width);
            src.bottom = std::min<LONG>(src.bottom, image->height);
            inlineImage->source = src;
            b.AppendShape(src.right - src.left, src.bottom - src.top, inlineImage.get());
            b.images.push_back(std::move(inlineImage));
            break;
        }
        case L'n':
            b.LineBreak();
            break;
        case L'p': {
            if (!b.out.empty() && b.out.back() != '\n') {
                b.LineBreak();
            }
            int spacing = ToInt(Trim(arg), 0);
            if (spacing > 0 && !b.singleLine) {
                int height = b.fonts.back().size * 3 / 2 + spacing;
                auto* a = pango_attr_line_height_new_absolute(height * PANGO_SCALE);
                b.Insert(a, b.out.size(), G_MAXUINT);
            }
            break;
        }
        case L's':
            b.selected = !b.selected;
            break;
        case L'u': {
            FontInfo f = b.fonts.back();
            f.underline = true;
            b.fonts.push_back(f);
            break;
        }
        case L'v': {
            std::wstring v = Trim(arg);
            b.valign = v == L"center" ? DT_VCENTER : v == L"top" ? DT_TOP : DT_BOTTOM;
            break;
        }
        case L'x':
            b.AppendShape(std::max(0, ToInt(Trim(arg), 0)), 1, nullptr);
            break;
        case L'y': {
            int height = ToInt(Trim(arg), 0);
            if (height > 0 && !b.singleLine) {
                b.Insert(pango_attr_line_height_new_absolute(height * PANGO_SCALE), b.out.size(),
                         G_MAXUINT);
            }
            break;
        }
        default:
            break;
    }
}

void CloseTag(Builder& b, wchar_t letter) {
    switch (letter) {
        case L'a':
            if (b.link) {
                b.links.push_back(LinkSpan{*b.link, b.linkStart, static_cast<int>(b.out.size())});
                b.link.reset();
            }
            break;
        case L'b':
        case L'f':
        case L'i':
        case L'u':
            if (b.fonts.size() > 1) {
                b.fonts.pop_back();
            }
            break;
        case L'c':
            if (b.colors.size() > 1) {
                b.colors.pop_back();
            }
            break;
        case L's':
            b.selected = false;
            break;
        default:
            break;
    }
}

void Parse(Builder& b, const std::wstring& text) {
    std::wstring plain;
    size_t i = 0;
    const size_t n = text.size();
    auto flush = [&] {
        b.AppendText(plain);
        plain.clear();
    };
    while (i < n) {
        wchar_t c = text[i];
        if (c == L'<' && i + 2 < n && (text[i + 1] == L'{' || text[i + 1] == L'}') &&
            text[i + 2] == L'>') {
            plain += text[i + 1];
            i += 3;
            continue;
        }
        if (c == L'<' || c == L'{') {
            size_t j = i + 1;
            bool closing = j < n && text[j] == L'/';
            if (closing) {
                ++j;
            }
            if (j < n && text[j] >= L'a' && text[j] <= L'z' &&
                (j + 1 >= n || text[j + 1] == L' ' || text[j + 1] == L'>' || text[j + 1] == L'}')) {
                size_t end = text.find_first_of(L">}", j);
                if (end == std::wstring::npos) {
                    end = n;
                }
                wchar_t letter = text[j];
                std::wstring arg = j + 1 < end ? text.substr(j + 1, end - j - 1) : L"";
                flush();
                i = end < n ? end + 1 : n;
                if (closing) {
                    CloseTag(b, letter);
                } else if (letter == L'r') {
                    // Raw: everything to the closing tag is printed as it is.
                    size_t close = std::min(text.find(L"</r", i), text.find(L"{/r", i));
                    size_t stop = close == std::wstring::npos ? n : close;
                    plain = text.substr(i, stop - i);
                    flush();
                    size_t after =
                        close == std::wstring::npos ? n : text.find_first_of(L">}", close + 3);
                    i = after == std::wstring::npos ? n : after + 1;
                } else {
                    OpenTag(b, letter, arg);
                }
                continue;
            }
        }
        if (c == L'\n' || c == L'\r') {
            if (!b.singleLine) {
                plain += c;
            }
            ++i;
            continue;
        }
        plain += c;
        ++i;
    }
    flush();
    if (b.link) {
        CloseTag(b, L'a');
    }
}

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

bool PointIn(const RECT& r, POINT p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

}  // namespace

void RenderEngine::DrawMarkupText(HDC dc, IRenderHostUI* manager, RECT& rect,
                                  const std::wstring& text, DWORD color, RECT* linkRects,
                                  std::wstring* linkTexts, int& linkCount, int font, UINT style) {
    int capacity = std::max(0, linkCount);
    if (manager == nullptr || text.empty() || (dc == nullptr && (style & DT_CALCRECT) == 0)) {
        linkCount = 0;
        return;
    }
    Builder b;
    b.manager = manager;
    b.singleLine = (style & DT_SINGLELINE) != 0;
    b.fonts.push_back(ResolveFont(manager, font));
    b.colors.push_back(color);
    POINT mouse = manager->MousePosition();
    for (int i = 0; linkRects != nullptr && linkTexts != nullptr && i < capacity; ++i) {
        if (PointIn(linkRects[i], mouse)) {
            b.hoverLink = linkTexts[i];
            break;
        }
    }
    Parse(b, manager->ExpandStringTokens(text));

    LayoutPtr layout = CreateTextLayout(dc, b.fonts.front());
    pango_layout_set_text(layout.get(), b.out.c_str(), static_cast<int>(b.out.size()));
    pango_layout_set_attributes(layout.get(), b.attrs);
    pango_attr_list_unref(b.attrs);
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    if (width > 0 && (!b.singleLine || (style & DT_END_ELLIPSIS) != 0)) {
        pango_layout_set_width(layout.get(), width * PANGO_SCALE);
        pango_layout_set_wrap(layout.get(), PANGO_WRAP_WORD_CHAR);
    }
    if ((style & DT_END_ELLIPSIS) != 0 && width > 0) {
        pango_layout_set_ellipsize(layout.get(), PANGO_ELLIPSIZE_END);
        pango_layout_set_height(layout.get(),
                                b.singleLine ? -1 : std::max(height, 1) * PANGO_SCALE);
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
        linkCount = 0;
        return;
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
            for (const LinkSpan& link : b.links) {
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
    linkCount = recorded;

    cairo_save(dc);
    cairo_rectangle(dc, rect.left, rect.top, width, height);
    cairo_clip(dc);
    PangoContext* context = pango_layout_get_context(layout.get());
    pango_cairo_context_set_shape_renderer(context, DrawShape, nullptr, nullptr);
    cairo_move_to(dc, place.left, place.top);
    pango_cairo_show_layout(dc, layout.get());
    pango_cairo_context_set_shape_renderer(context, nullptr, nullptr, nullptr);
    cairo_restore(dc);
}

}  // namespace VantuUI
