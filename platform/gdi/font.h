#pragma once

// Stands in for GDI font objects (HFONT): a font made from LOGFONT fields
// (face, height, weight, italic, underline), its text metrics, text extents,
// and selection into a device context (a Cairo context remembers the font
// selected into it). WM_SETFONT/WM_GETFONT pass these handles between windows.

#include <memory>
#include <type_traits>

#include "platform/gdi/font_spec.h"
#include "platform/win32.h"

inline constexpr int LF_FACESIZE = 32;
inline constexpr LONG FW_DONTCARE = 0;
inline constexpr LONG FW_NORMAL = 400;
inline constexpr LONG FW_SEMIBOLD = 600;
inline constexpr LONG FW_BOLD = 700;
inline constexpr BYTE DEFAULT_CHARSET = 1;

struct LOGFONT {
    // Negative: the character (em) height in pixels; positive: the cell height
    // (ascent + descent); 0: the default size.
    LONG lfHeight = 0;
    LONG lfWidth = 0;
    LONG lfEscapement = 0;
    LONG lfOrientation = 0;
    LONG lfWeight = FW_DONTCARE;
    BYTE lfItalic = 0;
    BYTE lfUnderline = 0;
    BYTE lfStrikeOut = 0;
    BYTE lfCharSet = DEFAULT_CHARSET;
    BYTE lfOutPrecision = 0;
    BYTE lfClipPrecision = 0;
    BYTE lfQuality = 0;
    BYTE lfPitchAndFamily = 0;
    wchar_t lfFaceName[LF_FACESIZE] = {};
};

struct TEXTMETRIC {
    LONG tmHeight = 0;
    LONG tmAscent = 0;
    LONG tmDescent = 0;
    LONG tmInternalLeading = 0;
    LONG tmExternalLeading = 0;
    LONG tmAveCharWidth = 0;
    LONG tmMaxCharWidth = 0;
    LONG tmWeight = 0;
    BYTE tmItalic = 0;
    BYTE tmUnderlined = 0;
    BYTE tmStruckOut = 0;
    BYTE tmCharSet = DEFAULT_CHARSET;
};

// Null when the face name is longer than LOGFONT holds.
HFONT CreateFontIndirect(const LOGFONT* font);
HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                 DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision,
                 DWORD clipPrecision, DWORD quality, DWORD pitchAndFamily, const wchar_t* face);
BOOL DeleteObject(HFONT font);
// Copies the font's LOGFONT (with the height as given) into `out`; returns
// the bytes written, or the size needed when `out` is null.
int GetObject(HFONT font, int size, void* out);
// Selects the font for GetTextMetrics and GetTextExtentPoint32 on that DC
// (null: the default font); returns the one selected before. The DC does not own it.
HFONT SelectObject(HDC dc, HFONT font);
BOOL GetTextMetrics(HDC dc, TEXTMETRIC* metrics);
BOOL GetTextExtentPoint32(HDC dc, const wchar_t* text, int length, SIZE* size);

namespace platform {

// The font a handle stands for (the default font for null).
FontSpec FontSpecOf(HFONT font);
HFONT CreateFontFromSpec(const FontSpec& spec);

// The one owner of a font handle.
struct FontDeleter {
    void operator()(HFONT font) const { DeleteObject(font); }
};
using FontHandle = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;

}  // namespace platform
