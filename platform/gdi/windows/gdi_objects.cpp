#include "platform/gdi/windows/gdi_objects.h"

#include <algorithm>

namespace platform {

namespace {

// Skins name no face for the default font: the system's dialog face.
constexpr wchar_t kDefaultFace[] = L"MS Shell Dlg 2";
// What a 32-bit image surface takes elsewhere too; and no more pixels than
// any window or skin image needs (the sizes come from image files).
constexpr int kMaxSide = 32767;
constexpr long long kMaxPixels = 64LL << 20;

}  // namespace

MemoryDc CreateMemoryDc() {
    return MemoryDc(CreateCompatibleDC(nullptr));
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
    const std::wstring& face = spec.face.empty() ? std::wstring(kDefaultFace) : spec.face;
    // A face name longer than LOGFONT holds is no face the system has.
    if (face.size() < static_cast<std::size_t>(LF_FACESIZE)) {
        std::copy(face.begin(), face.end(), font.lfFaceName);
    } else {
        std::copy(std::begin(kDefaultFace), std::end(kDefaultFace), font.lfFaceName);
    }
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
