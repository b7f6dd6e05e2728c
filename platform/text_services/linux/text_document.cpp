#include "platform/text_services/linux/text_document.h"

#include <algorithm>

#include "platform/text/word_boundaries.h"

namespace platform {

std::vector<std::wstring> TextDocument::SplitParagraphs(std::wstring_view text) {
    std::vector<std::wstring> paragraphs(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c == L'\r' || c == L'\n') {
            if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') {
                ++i;
            }
            paragraphs.emplace_back();
        } else {
            paragraphs.back().push_back(c);
        }
    }
    return paragraphs;
}

void TextDocument::SetText(std::wstring_view text) {
    m_paragraphs = SplitParagraphs(text);
    m_length = m_paragraphs.size() - 1;
    for (const auto& paragraph : m_paragraphs) {
        m_length += paragraph.size();
    }
}

std::wstring TextDocument::Text() const {
    std::wstring text;
    text.reserve(m_length);
    for (std::size_t i = 0; i < m_paragraphs.size(); ++i) {
        if (i > 0) {
            text.push_back(L'\n');
        }
        text += m_paragraphs[i];
    }
    return text;
}

TextPosition TextDocument::End() const {
    return TextPosition{m_paragraphs.size() - 1, m_paragraphs.back().size()};
}

TextPosition TextDocument::PositionOf(std::size_t index) const {
    for (std::size_t p = 0; p < m_paragraphs.size(); ++p) {
        if (index <= m_paragraphs[p].size()) {
            return TextPosition{p, index};
        }
        index -= m_paragraphs[p].size() + 1;
    }
    return End();
}

std::size_t TextDocument::IndexOf(TextPosition position) const {
    std::size_t index = 0;
    for (std::size_t p = 0; p < position.paragraph && p < m_paragraphs.size(); ++p) {
        index += m_paragraphs[p].size() + 1;
    }
    return index + position.offset;
}

std::wstring TextDocument::TextBetween(TextPosition from, TextPosition to) const {
    if (to < from) {
        std::swap(from, to);
    }
    if (from.paragraph == to.paragraph) {
        return m_paragraphs[from.paragraph].substr(from.offset, to.offset - from.offset);
    }
    std::wstring text = m_paragraphs[from.paragraph].substr(from.offset);
    for (std::size_t p = from.paragraph + 1; p < to.paragraph; ++p) {
        text.push_back(L'\n');
        text += m_paragraphs[p];
    }
    text.push_back(L'\n');
    text += m_paragraphs[to.paragraph].substr(0, to.offset);
    return text;
}

TextPosition TextDocument::Replace(TextPosition from, TextPosition to, std::wstring_view text,
                                   ParagraphChange& change) {
    if (to < from) {
        std::swap(from, to);
    }
    const std::wstring head = m_paragraphs[from.paragraph].substr(0, from.offset);
    const std::wstring tail = m_paragraphs[to.paragraph].substr(to.offset);
    std::vector<std::wstring> pieces = SplitParagraphs(text);

    m_length -= TextBetween(from, to).size();
    m_length += pieces.size() - 1;
    for (const auto& piece : pieces) {
        m_length += piece.size();
    }

    const TextPosition end{from.paragraph + pieces.size() - 1,
                           pieces.back().size() + (pieces.size() == 1 ? head.size() : 0)};
    pieces.front().insert(0, head);
    pieces.back() += tail;

    change.first = from.paragraph;
    change.removed = to.paragraph - from.paragraph + 1;
    change.inserted = pieces.size();
    // Paragraphs that stay paragraphs are overwritten in place; only the
    // difference in count moves the ones after them.
    const auto first = m_paragraphs.begin() + static_cast<std::ptrdiff_t>(from.paragraph);
    const std::size_t kept = std::min(change.removed, change.inserted);
    std::move(pieces.begin(), pieces.begin() + static_cast<std::ptrdiff_t>(kept), first);
    if (change.removed > kept) {
        m_paragraphs.erase(first + static_cast<std::ptrdiff_t>(kept),
                           first + static_cast<std::ptrdiff_t>(change.removed));
    } else {
        m_paragraphs.insert(
            first + static_cast<std::ptrdiff_t>(kept),
            std::make_move_iterator(pieces.begin() + static_cast<std::ptrdiff_t>(kept)),
            std::make_move_iterator(pieces.end()));
    }
    return end;
}

TextPosition TextDocument::Next(TextPosition position) const {
    if (position.offset < m_paragraphs[position.paragraph].size()) {
        return TextPosition{position.paragraph, position.offset + 1};
    }
    if (position.paragraph + 1 < m_paragraphs.size()) {
        return TextPosition{position.paragraph + 1, 0};
    }
    return position;
}

TextPosition TextDocument::Previous(TextPosition position) const {
    if (position.offset > 0) {
        return TextPosition{position.paragraph, position.offset - 1};
    }
    if (position.paragraph > 0) {
        return TextPosition{position.paragraph - 1, m_paragraphs[position.paragraph - 1].size()};
    }
    return position;
}

TextPosition TextDocument::NextWordStart(TextPosition position) const {
    const std::wstring& text = m_paragraphs[position.paragraph];
    if (position.offset >= text.size()) {
        return Next(position);
    }
    return TextPosition{position.paragraph, platform::NextWordStart(text, position.offset)};
}

TextPosition TextDocument::PreviousWordStart(TextPosition position) const {
    if (position.offset == 0) {
        return Previous(position);
    }
    return TextPosition{position.paragraph, platform::PreviousWordStart(
                                                m_paragraphs[position.paragraph], position.offset)};
}

std::pair<TextPosition, TextPosition> TextDocument::WordAt(TextPosition position) const {
    const auto [first, last] = WordRangeAt(m_paragraphs[position.paragraph], position.offset);
    return {TextPosition{position.paragraph, first}, TextPosition{position.paragraph, last}};
}

}  // namespace platform
