// Tagged text on Windows: the parsed runs laid out by markup_layout, text
// drawn by DrawTextW as coverage in each run's colour, inline images by the
// nine-grid's drawing.

#include <algorithm>
#include <climits>

#include "ui/render/render_backend.h"
#include "ui/render/render_engine.h"
#include "ui/render/windows/coverage.h"
#include "ui/render/windows/markup_layout.h"

namespace VantuUI {

namespace {

bool SameLook(const MarkupStyle& a, const MarkupStyle& b) {
    return a.font == b.font && a.color == b.color && a.selected == b.selected;
}

void DrawRun(HDC dc, MarkupFonts& fonts, const MarkupStyle& style, const std::wstring& text, int x,
             int baseline, int width) {
    const MarkupFonts::Font& font = fonts.Get(style.font);
    // Room for italic and bold overhangs past the advance.
    int slack = style.font.size / 2 + 1;
    RECT box{x, baseline - font.ascent, x + width, baseline + font.descent};
    RECT bounds{box.left - slack, box.top, box.right + slack, box.bottom};
    BlendCoverage(dc, bounds, style.color | 0xFF000000u, [&](HDC scratch) {
        platform::Selection selected(scratch, font.object->Get());
        SetTextColor(scratch, RGB(255, 255, 255));
        SetBkMode(scratch, TRANSPARENT);
        RECT place = box;
        DrawTextW(scratch, text.c_str(), static_cast<int>(text.size()), &place,
                  DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP | DT_LEFT | DT_TOP);
    });
}

void DrawMarkupLine(HDC dc, IRenderHostUI& manager, MarkupFonts& fonts, const MarkupLine& line,
                    int left, int top) {
    const int baseline = top + line.baseline;
    const auto& pieces = line.pieces;
    for (std::size_t i = 0; i < pieces.size();) {
        const PlacedPiece& first = pieces[i];
        const MarkupPiece& piece = *first.piece;
        int x = left + first.x;
        if (piece.style.selected) {
            RenderEngine::DrawColor(dc, RECT{x, top, x + first.width, top + line.height},
                                    manager.SelectedBackColor() | 0xFF000000u);
        }
        if (piece.kind == MarkupPiece::Kind::Box) {
            if (piece.image != nullptr && piece.image->image != nullptr) {
                const RECT& s = piece.image->source;
                RECT dest{x, baseline + first.top, x + (s.right - s.left),
                          baseline + first.top + (s.bottom - s.top)};
                RenderEngine::DrawImageGrid(dc, piece.image->image->bitmap, dest, dest, s, RECT{},
                                            piece.image->image->hasAlpha, 255, false, false, false);
            }
            ++i;
            continue;
        }
        // Neighbouring words that look alike are drawn in one go (selected
        // ones word by word, over their own background).
        std::wstring text = first.text;
        int width = first.width;
        std::size_t next = i + 1;
        for (; next < pieces.size(); ++next) {
            const PlacedPiece& p = pieces[next];
            if (p.piece->kind != MarkupPiece::Kind::Text ||
                !SameLook(p.piece->style, piece.style) || p.piece->style.selected) {
                break;
            }
            text += p.text;
            width += p.width;
        }
        DrawRun(dc, fonts, piece.style, text, x, baseline, width);
        i = next;
    }
}

// Link rectangles: one per line a link spans.
int RecordLinks(const MarkupLayout& layout, const MarkupPieces& parsed, int left, int top,
                RECT* linkRects, std::wstring* linkTexts, int capacity) {
    int recorded = 0;
    if (linkRects == nullptr || linkTexts == nullptr) {
        return 0;
    }
    for (const MarkupLine& line : layout.lines) {
        for (int link = 0; link < static_cast<int>(parsed.links.size()); ++link) {
            int from = INT_MAX;
            int to = INT_MIN;
            for (const PlacedPiece& p : line.pieces) {
                if (p.piece->link == link) {
                    from = std::min(from, p.x);
                    to = std::max(to, p.x + p.width);
                }
            }
            if (from >= to || recorded >= capacity) {
                continue;
            }
            linkRects[recorded] =
                RECT{left + from, top + line.top, left + to, top + line.top + line.height};
            linkTexts[recorded] = parsed.links[link];
            ++recorded;
        }
    }
    return recorded;
}

}  // namespace

int DrawMarkupBlock(HDC dc, IRenderHostUI& manager, RECT& rect, const std::wstring& text,
                    const MarkupOptions& options, UINT style, RECT* linkRects,
                    std::wstring* linkTexts, int capacity) {
    MarkupPieces parsed;
    std::vector<std::unique_ptr<InlineImage>> images;
    ParseMarkup(manager, manager.ExpandStringTokens(text), options, parsed, images);

    HDC measuring = platform::MeasuringDc();
    if (measuring == nullptr) {
        return 0;
    }
    MarkupFonts fonts(measuring, &manager);
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    MarkupLayoutOptions layoutOptions;
    layoutOptions.font = options.font;
    if (width > 0 && !options.singleLine) {
        layoutOptions.wrapWidth = width;
    }
    if (width > 0 && (style & DT_END_ELLIPSIS) != 0) {
        layoutOptions.ellipsisWidth = width;
    }
    MarkupLayout layout = LayOutMarkup(parsed.pieces, fonts, layoutOptions);
    if ((style & DT_END_ELLIPSIS) != 0 && !options.singleLine && width > 0) {
        // The lines that fit, at least one.
        auto fits = std::find_if(layout.lines.begin() + 1, layout.lines.end(),
                                 [&](const MarkupLine& l) { return l.top + l.height > height; });
        layout.lines.erase(fits, layout.lines.end());
        layout.height = layout.lines.back().top + layout.lines.back().height;
    }
    if ((style & DT_CALCRECT) != 0) {
        rect.right = rect.left + layout.width;
        rect.bottom = rect.top + layout.height;
        return 0;
    }
    RECT place = rect;
    if ((style & DT_CENTER) != 0) {
        place.left += (width - layout.width) / 2;
    } else if ((style & DT_RIGHT) != 0) {
        place.left += width - layout.width;
    }
    if ((style & DT_VCENTER) != 0) {
        place.top += (height - layout.height) / 2;
    } else if ((style & DT_BOTTOM) != 0) {
        place.top += height - layout.height;
    }
    const int recorded =
        RecordLinks(layout, parsed, place.left, place.top, linkRects, linkTexts, capacity);

    SaveDC(dc);
    IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
    for (const MarkupLine& line : layout.lines) {
        DrawMarkupLine(dc, manager, fonts, line, place.left, place.top + line.top);
    }
    RestoreDC(dc, -1);
    return recorded;
}

}  // namespace VantuUI
