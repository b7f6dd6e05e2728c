#include "platform/gdi/windows/gdi_objects.h"

#include <algorithm>

namespace platform {

namespace {

// What a skin without a font draws with when the stock font cannot be read.
constexpr wchar_t kFallbackFace[] = L"MS Shell Dlg";
constexpr int kFallbackSize = 12;
// What a 32-bit image surface takes elsewhere too; and no more pixels than
// any window or skin image needs (the sizes come from image files).
constexpr int kMaxSide = 32767;
constexpr long long kMaxPixels = 64LL << 20;

}  // namespace

FontSpec DefaultGuiFont() {
    FontSpec spec{kFallbackFace, kFallbackSize};
    LOGFONTW font{};
    if (GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font) != sizeof font ||
        font.lfFaceName[0] == L'\0') {
        return spec;
    }
    font.lfFaceName[LF_FACESIZE - 1] = L'\0';
    spec.face = font.lfFaceName;
    // A negative height is the em size; a positive one (the cell) is near enough.
    if (font.lfHeight != 0) {
        spec.size = font.lfHeight < 0 ? -font.lfHeight : font.lfHeight;
    }
    spec.bold = font.lfWeight >= FW_BOLD;
    spec.underline = font.lfUnderline != 0;
    spec.italic = font.lfItalic != 0;
    return spec;
}

MemoryDc CreateMemoryDc() {
    return MemoryDc(CreateCompatibleDC(nullptr));
}

HDC MeasuringDc() {
    thread_local MemoryDc dc = CreateMemoryDc();
    return dc.get();
}

FontObject CreateFontObject(const FontSpec& spec) {
    LOGFONTW font{};
    font.lfHeight = -std::max(spec.size, 1);
    font.lfWeight = spec.bold ? FW_BOLD : FW_NORMAL;
    font.lfItalic = spec.italic ? TRUE : FALSE;
    font.lfUnderline = spec.underline ? TRUE : FALSE;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_TT_PRECIS;
    font.lfQuality = ANTIALIASED_QUALITY;
    // No face, or one longer than LOGFONT holds (no face the system has):
    // the default GUI font's, read once.
    static const std::wstring kDefaultFace = DefaultGuiFont().face;
    const bool named =
        !spec.face.empty() && spec.face.size() < static_cast<std::size_t>(LF_FACESIZE);
    const std::wstring& face = named ? spec.face : kDefaultFace;
    std::copy_n(face.begin(), std::min<std::size_t>(face.size(), LF_FACESIZE - 1), font.lfFaceName);
    return FontObject(CreateFontIndirectW(&font));
}

BitmapObject CreateDibSection(int width, int height, std::uint32_t** bits) {
    *bits = nullptr;
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide ||
        static_cast<long long>(width) * height > kMaxPixels) {
        return nullptr;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* memory = nullptr;
    BitmapObject bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0));
    if (!bitmap || memory == nullptr) {
        return nullptr;
    }
    *bits = static_cast<std::uint32_t*>(memory);
    return bitmap;
}

}  // namespace platform
