#include "platform/gdi/font.h"

#include <cairo.h>

#include <algorithm>
#include <cwchar>

#include "platform/text/text_codec.h"

struct HFONT__ {
    LOGFONT logical;
    platform::FontSpec spec;
};

namespace {

const cairo_user_data_key_t kSelectedFont{};

// A cell height asked for: the em size whose ascent + descent comes closest.
int EmSizeForCellHeight(const std::wstring& face, int cellHeight, bool bold, bool italic) {
    platform::FontSpec probe{face, cellHeight, bold, false, italic};
    int cell = platform::MeasureFont(probe).height;
    if (cell <= 0) {
        return cellHeight;
    }
    return std::max(1, (cellHeight * cellHeight + cell / 2) / cell);
}

}  // namespace

HFONT CreateFontIndirect(const LOGFONT* font) {
    if (font == nullptr) {
        return nullptr;
    }
    std::size_t faceLength = std::wcslen(font->lfFaceName);
    if (faceLength >= static_cast<std::size_t>(LF_FACESIZE)) {
        return nullptr;
    }
    platform::FontSpec spec;
    spec.face.assign(font->lfFaceName, faceLength);
    spec.bold = font->lfWeight >= FW_SEMIBOLD;
    spec.italic = font->lfItalic != 0;
    spec.underline = font->lfUnderline != 0;
    if (font->lfHeight < 0) {
        spec.size = -font->lfHeight;
    } else if (font->lfHeight > 0) {
        spec.size = EmSizeForCellHeight(spec.face, font->lfHeight, spec.bold, spec.italic);
    }
    return new HFONT__{*font, spec};
}

HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                 DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision,
                 DWORD clipPrecision, DWORD quality, DWORD pitchAndFamily, const wchar_t* face) {
    LOGFONT f;
    f.lfHeight = height;
    f.lfWidth = width;
    f.lfEscapement = escapement;
    f.lfOrientation = orientation;
    f.lfWeight = weight;
    f.lfItalic = static_cast<BYTE>(italic);
    f.lfUnderline = static_cast<BYTE>(underline);
    f.lfStrikeOut = static_cast<BYTE>(strikeOut);
    f.lfCharSet = static_cast<BYTE>(charSet);
    f.lfOutPrecision = static_cast<BYTE>(outPrecision);
    f.lfClipPrecision = static_cast<BYTE>(clipPrecision);
    f.lfQuality = static_cast<BYTE>(quality);
    f.lfPitchAndFamily = static_cast<BYTE>(pitchAndFamily);
    if (face != nullptr) {
        if (std::wcslen(face) >= static_cast<std::size_t>(LF_FACESIZE)) {
            return nullptr;
        }
        std::wcscpy(f.lfFaceName, face);
    }
    return CreateFontIndirect(&f);
}

BOOL DeleteObject(HFONT font) {
    if (font == nullptr) {
        return FALSE;
    }
    delete font;
    return TRUE;
}

int GetObject(HFONT font, int size, void* out) {
    if (font == nullptr) {
        return 0;
    }
    if (out == nullptr) {
        return static_cast<int>(sizeof(LOGFONT));
    }
    if (size < static_cast<int>(sizeof(LOGFONT))) {
        return 0;
    }
    *static_cast<LOGFONT*>(out) = font->logical;
    return static_cast<int>(sizeof(LOGFONT));
}

HFONT SelectObject(HDC dc, HFONT font) {
    if (dc == nullptr) {
        return nullptr;
    }
    auto* previous = static_cast<HFONT>(cairo_get_user_data(dc, &kSelectedFont));
    cairo_set_user_data(dc, &kSelectedFont, font, nullptr);
    return previous;
}

BOOL GetTextMetrics(HDC dc, TEXTMETRIC* metrics) {
    if (dc == nullptr || metrics == nullptr) {
        return FALSE;
    }
    auto spec = platform::FontSpecOf(static_cast<HFONT>(cairo_get_user_data(dc, &kSelectedFont)));
    platform::FontMetrics m = platform::MeasureFont(spec);
    *metrics = TEXTMETRIC{};
    metrics->tmHeight = m.height;
    metrics->tmAscent = m.ascent;
    metrics->tmDescent = m.descent;
    metrics->tmInternalLeading = std::max(0, m.height - spec.size);
    metrics->tmAveCharWidth = m.averageCharWidth;
    metrics->tmMaxCharWidth = spec.size;
    metrics->tmWeight = spec.bold ? FW_BOLD : FW_NORMAL;
    metrics->tmItalic = spec.italic ? 1 : 0;
    metrics->tmUnderlined = spec.underline ? 1 : 0;
    return TRUE;
}

BOOL GetTextExtentPoint32(HDC dc, const wchar_t* text, int length, SIZE* size) {
    if (dc == nullptr || size == nullptr || (text == nullptr && length > 0) || length < 0) {
        return FALSE;
    }
    auto spec = platform::FontSpecOf(static_cast<HFONT>(cairo_get_user_data(dc, &kSelectedFont)));
    *size = platform::MeasureText(spec, std::wstring_view(text, static_cast<std::size_t>(length)));
    if (length == 0) {
        size->cx = 0;
    }
    return TRUE;
}

namespace platform {

FontSpec DefaultGuiFont() {
    return FontSpec{L"sans-serif", 12};
}

FontSpec FontSpecOf(HFONT font) {
    return font != nullptr ? font->spec : FontSpec{};
}

HFONT CreateFontFromSpec(const FontSpec& spec) {
    if (spec.face.size() >= static_cast<std::size_t>(LF_FACESIZE)) {
        return nullptr;
    }
    LOGFONT f;
    f.lfHeight = -spec.size;
    f.lfWeight = spec.bold ? FW_BOLD : FW_NORMAL;
    f.lfItalic = spec.italic ? 1 : 0;
    f.lfUnderline = spec.underline ? 1 : 0;
    std::copy(spec.face.begin(), spec.face.end(), f.lfFaceName);
    return new HFONT__{f, spec};
}

}  // namespace platform
