#pragma once

// Text laid out in a font (platform/gdi/text_layout.h), addressed by
// character index instead of UTF-8 bytes: where a character index lies, which
// index a point hits, the rectangles a range covers, and drawing with an
// underlined stretch (an input-method composition).

#include <cstddef>
#include <string>
#include <vector>

#include "platform/gdi/font_spec.h"
#include "platform/gdi/text_layout.h"
#include "platform/win32.h"

namespace platform::controls {

struct CharacterLayoutOptions {
    FontSpec font;
    int wrapWidth = 0;                            // pixels; 0 keeps lines whole
    PangoAlignment alignment = PANGO_ALIGN_LEFT;  // of lines within the wrap width
    std::size_t underlineStart = 0;               // characters underlined, if any
    std::size_t underlineEnd = 0;
};

class CharacterLayout {
  public:
    // `dc` may be null (measuring only).
    CharacterLayout(HDC dc, const std::wstring& text, const CharacterLayoutOptions& options);

    SIZE Extent() const;
    // The caret's place before character `index`: x, line top and line bottom.
    RECT CaretRect(std::size_t index) const;
    // The character boundary nearest to a point of the layout.
    std::size_t IndexAt(POINT point) const;
    // Rectangles covering characters [start, end), one per line.
    std::vector<RECT> RangeRects(std::size_t start, std::size_t end) const;
    // Draws at (x, y) in the DC's current source.
    void Draw(HDC dc, double x, double y) const;
    // Draws characters [start, end) selected over what Draw drew: the
    // system's highlight colours.
    void DrawSelection(HDC dc, double x, double y, std::size_t start, std::size_t end) const;

  private:
    int ByteIndex(std::size_t index) const;

    LayoutPtr m_layout;
    std::vector<int> m_byteOffsets;  // per character, plus the end
};

// One line of text in the DC's current source, centred vertically in `rect`
// and placed horizontally as `alignment` says.
void DrawTextLine(HDC dc, const std::wstring& text, const FontSpec& font, const RECT& rect,
                  PangoAlignment alignment);

}  // namespace platform::controls
