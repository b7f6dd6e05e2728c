#pragma once

// The text of a text services object as paragraphs (lines between breaks),
// so that an edit touches only the paragraphs it changes. Positions are a
// paragraph and a character offset in it; a character index counts one
// character per paragraph break.

#include <compare>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct TextPosition {
    std::size_t paragraph = 0;
    std::size_t offset = 0;
    friend auto operator<=>(const TextPosition&, const TextPosition&) = default;
};

// Which paragraphs an edit replaced: `removed` from `first` on gave way to `inserted`.
struct ParagraphChange {
    std::size_t first = 0;
    std::size_t removed = 0;
    std::size_t inserted = 0;
};

class TextDocument {
  public:
    TextDocument() : m_paragraphs(1) {}

    // "\r\n", "\r" and "\n" all break paragraphs.
    void SetText(std::wstring_view text);
    // Paragraphs joined by "\n".
    std::wstring Text() const;
    std::size_t Length() const { return m_length; }

    std::size_t ParagraphCount() const { return m_paragraphs.size(); }
    const std::wstring& Paragraph(std::size_t index) const { return m_paragraphs[index]; }
    TextPosition End() const;

    // A character index (clamped to the text) as a position, and back.
    TextPosition PositionOf(std::size_t index) const;
    std::size_t IndexOf(TextPosition position) const;

    std::wstring TextBetween(TextPosition from, TextPosition to) const;
    // Replaces [from, to) with `text`; returns where the inserted text ends.
    TextPosition Replace(TextPosition from, TextPosition to, std::wstring_view text,
                         ParagraphChange& change);

    // One character forward or back, crossing paragraph breaks.
    TextPosition Next(TextPosition position) const;
    TextPosition Previous(TextPosition position) const;
    // Word movement within a paragraph; at its ends, to the next or previous one.
    TextPosition NextWordStart(TextPosition position) const;
    TextPosition PreviousWordStart(TextPosition position) const;
    // The word (or run of blanks or punctuation) around a position: [first, second).
    std::pair<TextPosition, TextPosition> WordAt(TextPosition position) const;

  private:
    static std::vector<std::wstring> SplitParagraphs(std::wstring_view text);

    std::vector<std::wstring> m_paragraphs;
    std::size_t m_length = 0;
};

}  // namespace platform
