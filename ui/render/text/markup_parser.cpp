// Tagged text read into styled runs: the tag stacks (fonts, colours, the
// link, selection, the alignment of inline boxes) are shared by every system.

#include "ui/render/text/markup_parser.h"

#include <algorithm>
#include <cwchar>
#include <cwctype>
#include <optional>

#include "ui/render/render_engine.h"
#include "ui/render/text/text_layout.h"

namespace VantuUI {

namespace {

struct Parser {
    IRenderHostUI& manager;
    MarkupSink& sink;
    std::vector<std::unique_ptr<InlineImage>>& images;
    bool singleLine = false;
    std::wstring hoverLink;
    std::vector<FontInfo> fonts;
    std::vector<DWORD> colors;
    bool selected = false;
    UINT valign = DT_BOTTOM;  // of inline boxes within their line
    std::optional<std::wstring> link;

    MarkupStyle Style() const {
        MarkupStyle style{fonts.back(), colors.back(), selected};
        if (link) {
            style.font.underline = true;
            style.color = (!hoverLink.empty() && hoverLink == *link) ? manager.LinkHoverColor()
                                                                     : manager.LinkColor();
        }
        return style;
    }

    void AppendText(const std::wstring& text) {
        if (!text.empty()) {
            sink.Text(text, Style());
        }
    }

    void AppendBox(int width, int height, const InlineImage* image) {
        sink.Box(width, height, valign, image, Style());
    }

    void LineBreak() {
        if (!singleLine) {
            sink.LineBreak();
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

void OpenTag(Parser& b, wchar_t letter, const std::wstring& arg) {
    switch (letter) {
        case L'a':
            b.link = Trim(arg);
            b.sink.LinkBegin();
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
                f = ResolveFont(&b.manager, ToInt(words[0], 0));
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
                if (b.manager.FindFont(f) < 0) {
                    b.manager.AddFont(f);
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
            const ImageInfo* image = b.manager.ImageByNameOrLoad(
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
            b.AppendBox(src.right - src.left, src.bottom - src.top, inlineImage.get());
            b.images.push_back(std::move(inlineImage));
            break;
        }
        case L'n':
            b.LineBreak();
            break;
        case L'p': {
            if (!b.sink.AtLineStart()) {
                b.LineBreak();
            }
            int spacing = ToInt(Trim(arg), 0);
            if (spacing > 0 && !b.singleLine) {
                b.sink.LineHeight(b.fonts.back().size * 3 / 2 + spacing);
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
            b.AppendBox(std::max(0, ToInt(Trim(arg), 0)), 1, nullptr);
            break;
        case L'y': {
            int height = ToInt(Trim(arg), 0);
            if (height > 0 && !b.singleLine) {
                b.sink.LineHeight(height);
            }
            break;
        }
        default:
            break;
    }
}

void CloseTag(Parser& b, wchar_t letter) {
    switch (letter) {
        case L'a':
            if (b.link) {
                b.sink.LinkEnd(*b.link);
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

void Parse(Parser& b, const std::wstring& text) {
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

}  // namespace

std::optional<MarkupOptions> MarkupCallOptions(HDC dc, IRenderHostUI* manager,
                                               const std::wstring& text, DWORD color,
                                               const RECT* linkRects, const std::wstring* linkTexts,
                                               int& linkCount, int font, UINT style) {
    int capacity = std::max(0, linkCount);
    if (manager == nullptr || text.empty() || (dc == nullptr && (style & DT_CALCRECT) == 0)) {
        linkCount = 0;
        return std::nullopt;
    }
    MarkupOptions options;
    options.font = &ResolveFont(manager, font);
    options.color = color;
    options.singleLine = (style & DT_SINGLELINE) != 0;
    POINT p = manager->MousePosition();
    for (int i = 0; linkRects != nullptr && linkTexts != nullptr && i < capacity; ++i) {
        const RECT& r = linkRects[i];
        if (p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom) {
            options.hoverLink = linkTexts[i];
            break;
        }
    }
    return options;
}

void ParseMarkup(IRenderHostUI& manager, const std::wstring& text, const MarkupOptions& options,
                 MarkupSink& sink, std::vector<std::unique_ptr<InlineImage>>& images) {
    Parser parser{manager,
                  sink,
                  images,
                  options.singleLine,
                  options.hoverLink,
                  {options.font != nullptr ? *options.font : FontInfo{}},
                  {options.color},
                  false,
                  DT_BOTTOM,
                  std::nullopt};
    Parse(parser, text);
}

}  // namespace VantuUI
