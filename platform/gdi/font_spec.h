#pragma once

// Stands in for the font a GDI font object describes: face, pixel size, bold,
// italic, underline; its metrics and the size of a text drawn in it. Free of
// Pango types, so that the UI toolkit's records can hold fonts.

#include <string>
#include <string_view>

#include "platform/win32.h"

namespace platform {

// A font as skins and LOGFONT give it.
struct FontSpec {
    std::wstring face;  // empty: sans-serif
    int size = 12;      // pixels (the em size)
    bool bold = false;
    bool underline = false;
    bool italic = false;
    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

// In whole pixels; height = ascent + descent, the height of a line.
struct FontMetrics {
    int height = 0;
    int ascent = 0;
    int descent = 0;
    int averageCharWidth = 0;
};

// The system's default GUI font as a description: face, size (minus the
// LOGFONT height), bold, underline, italic.
FontSpec DefaultGuiFont();

// The font's metrics (cached per thread).
FontMetrics MeasureFont(const FontSpec& font);
// The logical size of a text in the font, wrapped at `wrapWidth` when positive.
SIZE MeasureText(const FontSpec& font, std::wstring_view text, int wrapWidth = 0);

}  // namespace platform
