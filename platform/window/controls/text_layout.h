#pragma once

// A line (or lines) of text laid out with Pango, addressed by character index
// instead of UTF-8 bytes: where a character index lies, which index a point
// hits, and drawing with an underlined stretch (an input-method composition).

#include <pango/pangocairo.h>

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "platform/win32.h"

namespace platform::controls {

struct TextLayoutOptions {
    const PangoFontDescription* font = nullptr;   // null: the default 12-pixel sans-serif
    int wrapWidth = -1;                           // pixels; -1 keeps lines whole
    PangoAlignment alignment = PANGO_ALIGN_LEFT;  // of lines within the wrap width
    std::size_t underlineStart = 0;               // characters underlined, if any
    std::size_t underlineEnd = 0;
};

class TextLayout {
  public:
    // `dc` may be null (measuring only).
    TextLayout(HDC dc, const std::wstring& text, const TextLayoutOptions& options);

    SIZE Extent() const;
    int LineHeight() const;
    // The caret's place before character `index`: x, line top and line bottom.
    RECT CaretRect(std::size_t index) const;
    // The character boundary nearest to a point of the layout.
    std::size_t IndexAt(POINT point) const;
    // Rectangles covering characters [start, end), one per line.
    std::vector<RECT> RangeRects(std::size_t start, std::size_t end) const;
    // Draws at (x, y) in the DC's current source.
    void Draw(HDC dc, double x, double y) const;

  private:
    struct LayoutDeleter {
        void operator()(PangoLayout* layout) const { g_object_unref(layout); }
    };
    int ByteIndex(std::size_t index) const;

    std::unique_ptr<PangoLayout, LayoutDeleter> m_layout;
    std::vector<int> m_byteOffsets;  // per character, plus the end
};

// One line of text in the DC's current source, centred vertically in `rect`
// and placed horizontally as `alignment` says.
void DrawTextLine(HDC dc, const std::wstring& text, const RECT& rect, PangoAlignment alignment);

}  // namespace platform::controls
