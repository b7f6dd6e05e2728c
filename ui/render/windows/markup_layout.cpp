#include "ui/render/windows/markup_layout.h"

#include <algorithm>

namespace VantuUI {

namespace {

MarkupPiece PieceOf(MarkupPiece::Kind kind) {
    MarkupPiece piece;
    piece.kind = kind;
    return piece;
}

bool IsSpace(wchar_t c) {
    return c == L' ' || c == L'\t';
}

// Han, kana, hangul and full-width forms break on either side; surrogate
// halves never part.
bool BreaksAround(wchar_t c) {
    return c >= 0x2E80 && !(c >= 0xD800 && c <= 0xDFFF);
}

// Words with their trailing blanks; each wide character is a word.
std::vector<std::wstring> Words(const std::wstring& text) {
    std::vector<std::wstring> words;
    std::wstring word;
    for (wchar_t c : text) {
        if (!IsSpace(c) && !word.empty() &&
            (IsSpace(word.back()) || BreaksAround(c) || BreaksAround(word.back()))) {
            words.push_back(std::move(word));
            word.clear();
        }
        word += c;
    }
    if (!word.empty()) {
        words.push_back(std::move(word));
    }
    return words;
}

std::wstring WithoutTrailingBlanks(std::wstring text) {
    while (!text.empty() && IsSpace(text.back())) {
        text.pop_back();
    }
    return text;
}

class LineBuilder {
  public:
    LineBuilder(MarkupFonts& fonts, const MarkupLayoutOptions& options)
        : m_fonts(fonts), m_options(options) {}

    void Place(const MarkupPiece& piece) {
        switch (piece.kind) {
            case MarkupPiece::Kind::Text:
                PlaceText(piece);
                break;
            case MarkupPiece::Kind::Box:
                PlaceBox(piece);
                break;
            case MarkupPiece::Kind::Break:
                EndLine();
                break;
            case MarkupPiece::Kind::LineHeight:
                m_forcedHeight = piece.height;
                break;
        }
    }

    MarkupLayout Finish() {
        EndLine();
        for (const MarkupLine& line : m_layout.lines) {
            m_layout.width = std::max(m_layout.width, line.width);
        }
        m_layout.height = m_top;
        return std::move(m_layout);
    }

  private:
    void PlaceText(const MarkupPiece& piece) {
        const MarkupFonts::Font& font = m_fonts.Get(piece.style.font);
        for (std::wstring& word : Words(piece.text)) {
            int width = m_fonts.Width(piece.style.font, word);
            if (Overflows(m_fonts.Width(piece.style.font, WithoutTrailingBlanks(word)))) {
                EndLine();
            }
            if (m_options.wrapWidth > 0 && width > m_options.wrapWidth && word.size() > 1) {
                // Longer than a whole line: cut between characters.
                for (wchar_t c : word) {
                    std::wstring one(1, c);
                    int w = m_fonts.Width(piece.style.font, one);
                    if (Overflows(w)) {
                        EndLine();
                    }
                    Add(PlacedPiece{&piece, one, m_x, w, -font.ascent, font.descent});
                }
                continue;
            }
            Add(PlacedPiece{&piece, word, m_x, width, -font.ascent, font.descent});
        }
    }

    void PlaceBox(const MarkupPiece& piece) {
        int size = piece.style.font.size;
        int top = -piece.height;  // bottom: on the baseline
        if (piece.valign == DT_TOP) {
            top = -size;
        } else if (piece.valign == DT_VCENTER) {
            top = -(piece.height + size) / 2;
        }
        if (Overflows(piece.width)) {
            EndLine();
        }
        Add(PlacedPiece{&piece, {}, m_x, piece.width, top, top + piece.height});
    }

    bool Overflows(int width) const {
        return m_options.wrapWidth > 0 && !m_line.pieces.empty() &&
               m_x + width > m_options.wrapWidth;
    }

    void Add(PlacedPiece placed) {
        m_x += placed.width;
        m_line.pieces.push_back(std::move(placed));
    }

    void EndLine() {
        int ascent = 0;
        int descent = 0;
        if (m_line.pieces.empty()) {
            const MarkupFonts::Font& font = m_fonts.Get(*m_options.font);
            ascent = font.ascent;
            descent = font.descent;
        }
        for (const PlacedPiece& p : m_line.pieces) {
            ascent = std::max(ascent, -p.top);
            descent = std::max(descent, p.bottom);
        }
        m_line.width = m_x;
        m_line.height = ascent + descent;
        m_line.baseline = ascent;
        if (m_forcedHeight > 0) {
            // The difference is shared above and below the line.
            m_line.baseline += (m_forcedHeight - m_line.height) / 2;
            m_line.height = m_forcedHeight;
        }
        m_line.top = m_top;
        m_top += m_line.height;
        m_layout.lines.push_back(std::move(m_line));
        m_line = MarkupLine{};
        m_x = 0;
    }

    MarkupFonts& m_fonts;
    const MarkupLayoutOptions& m_options;
    MarkupLayout m_layout;
    MarkupLine m_line;
    int m_x = 0;
    int m_top = 0;
    int m_forcedHeight = 0;
};

// Cuts a line to `width` with "..." in the style of the last text kept.
void Ellipsize(MarkupLine& line, int width, MarkupFonts& fonts) {
    if (line.width <= width) {
        return;
    }
    const std::wstring dots = L"...";
    while (!line.pieces.empty()) {
        PlacedPiece& last = line.pieces.back();
        if (last.piece->kind == MarkupPiece::Kind::Text) {
            const FontInfo& font = last.piece->style.font;
            int dotsWidth = fonts.Width(font, dots);
            while (!last.text.empty() &&
                   last.x + fonts.Width(font, last.text) + dotsWidth > width) {
                last.text.pop_back();
            }
            if (last.x + dotsWidth <= width) {
                last.text += dots;
                last.width = fonts.Width(font, last.text);
                line.width = last.x + last.width;
                return;
            }
        }
        line.pieces.pop_back();
    }
    line.width = 0;
}

}  // namespace

const MarkupFonts::Font& MarkupFonts::Get(const FontInfo& spec) {
    Key key{spec.face, spec.size, spec.bold, spec.italic, spec.underline};
    auto& slot = m_fonts[key];
    if (!slot) {
        slot = std::make_unique<Font>();
        slot->object = std::make_unique<HostFont>(m_host, spec);
        platform::Selection selected(m_dc, slot->object->Get());
        TEXTMETRICW tm{};
        if (selected.Ok() && GetTextMetricsW(m_dc, &tm)) {
            slot->ascent = tm.tmAscent;
            slot->descent = tm.tmDescent;
        } else {
            slot->ascent = spec.size;
            slot->descent = std::max(1, spec.size / 4);
        }
    }
    return *slot;
}

int MarkupFonts::Width(const FontInfo& spec, const std::wstring& text) {
    if (text.empty()) {
        return 0;
    }
    platform::Selection selected(m_dc, Get(spec).object->Get());
    SIZE size{};
    if (!selected.Ok() ||
        !GetTextExtentPoint32W(m_dc, text.c_str(), static_cast<int>(text.size()), &size)) {
        return 0;
    }
    return size.cx;
}

void MarkupPieces::Text(const std::wstring& text, const MarkupStyle& style) {
    std::wstring run;
    auto flush = [&] {
        if (!run.empty()) {
            MarkupPiece piece = PieceOf(MarkupPiece::Kind::Text);
            piece.text = std::move(run);
            piece.style = style;
            pieces.push_back(std::move(piece));
            run.clear();
        }
    };
    for (wchar_t c : text) {
        if (c == L'\n') {
            flush();
            LineBreak();
        } else if (c != L'\r') {
            run += c;
        }
    }
    flush();
}

void MarkupPieces::Box(int width, int height, UINT valign, const InlineImage* image,
                       const MarkupStyle& style) {
    MarkupPiece piece = PieceOf(MarkupPiece::Kind::Box);
    piece.style = style;
    piece.width = width;
    piece.height = height;
    piece.valign = valign;
    piece.image = image;
    pieces.push_back(std::move(piece));
}

void MarkupPieces::LineBreak() {
    pieces.push_back(PieceOf(MarkupPiece::Kind::Break));
}

bool MarkupPieces::AtLineStart() const {
    return pieces.empty() || pieces.back().kind == MarkupPiece::Kind::Break;
}

void MarkupPieces::LineHeight(int height) {
    MarkupPiece piece = PieceOf(MarkupPiece::Kind::LineHeight);
    piece.height = height;
    pieces.push_back(std::move(piece));
}

void MarkupPieces::LinkBegin() {
    m_linkStart = pieces.size();
}

void MarkupPieces::LinkEnd(const std::wstring& target) {
    int index = static_cast<int>(links.size());
    links.push_back(target);
    for (std::size_t i = m_linkStart; i < pieces.size(); ++i) {
        pieces[i].link = index;
    }
}

MarkupLayout LayOutMarkup(const std::vector<MarkupPiece>& pieces, MarkupFonts& fonts,
                          const MarkupLayoutOptions& options) {
    LineBuilder builder(fonts, options);
    for (const MarkupPiece& piece : pieces) {
        builder.Place(piece);
    }
    MarkupLayout layout = builder.Finish();
    if (options.ellipsisWidth > 0) {
        layout.width = 0;
        for (MarkupLine& line : layout.lines) {
            Ellipsize(line, options.ellipsisWidth, fonts);
            layout.width = std::max(layout.width, line.width);
        }
    }
    return layout;
}

}  // namespace VantuUI
