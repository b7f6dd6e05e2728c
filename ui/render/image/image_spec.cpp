// Image specs: "name" or blank-separated key='value' pairs, and drawing them.

#include <algorithm>
#include <cwchar>

#include "ui/render/render_engine.h"

namespace VantuUI {

namespace {

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
}

// Four integers, each followed by any one separator character.
RECT ParseRect(const std::wstring& value) {
    LONG v[4] = {0, 0, 0, 0};
    const wchar_t* p = value.c_str();
    for (LONG& n : v) {
        wchar_t* end = nullptr;
        long parsed = std::wcstol(p, &end, 10);
        if (end == p) {
            break;
        }
        n = static_cast<LONG>(std::clamp<long>(parsed, -1000000, 1000000));
        p = *end != 0 ? end + 1 : end;
    }
    return RECT{v[0], v[1], v[2], v[3]};
}

}  // namespace

ImageSpec RenderEngine::ParseImageSpec(ImageDrawInfo& record) {
    ImageSpec spec;
    spec.name = record.spec;
    const std::wstring& text = record.spec;
    std::optional<std::wstring> resType;
    bool fromRes = false;
    size_t i = 0;
    const size_t n = text.size();
    while (i < n) {
        size_t keyStart = i;
        while (i < n && text[i] != L'=' && !IsBlank(text[i])) {
            ++i;
        }
        std::wstring key = text.substr(keyStart, i - keyStart);
        while (i < n && IsBlank(text[i])) {
            ++i;
        }
        if (key.empty() || i >= n || text[i] != L'=') {
            break;
        }
        ++i;
        while (i < n && IsBlank(text[i])) {
            ++i;
        }
        if (i >= n || text[i] != L'\'') {
            break;
        }
        size_t valueStart = ++i;
        while (i < n && text[i] != L'\'') {
            ++i;
        }
        if (i >= n) {
            break;
        }
        std::wstring value = text.substr(valueStart, i - valueStart);
        ++i;
        if (!value.empty()) {
            if (key == L"file") {
                spec.name = value;
                fromRes = false;
                spec.type.reset();
            } else if (key == L"res") {
                spec.name = value;
                fromRes = true;
            } else if (key == L"restype") {
                resType = value;
            } else if (key == L"color") {
                spec.name = value;
                spec.type = L"*COLOR*";
                fromRes = false;
            } else if (key == L"dest") {
                record.dest = ParseRect(value);
            } else if (key == L"source") {
                record.source = ParseRect(value);
            } else if (key == L"corner" || key == L"scale9") {
                record.corner = ParseRect(value);
            } else if (key == L"mask") {
                spec.mask = ParseColorText(value);
            } else if (key == L"fade") {
                record.fade = static_cast<BYTE>(
                    std::clamp<long>(std::wcstol(value.c_str(), nullptr, 10), 0, 255));
            } else if (key == L"hole") {
                record.hole = value == L"true";
            } else if (key == L"xtiled") {
                record.xtiled = value == L"true";
            } else if (key == L"ytiled") {
                record.ytiled = value == L"true";
            } else if (key == L"hsl") {
                spec.hsl = value == L"true";
            }
        }
        // Exactly one blank must follow a closing quote for another pair.
        if (i >= n || !IsBlank(text[i])) {
            break;
        }
        ++i;
    }
    if (fromRes && resType) {
        spec.type = resType;
    }
    record.imageName = spec.name;
    return spec;
}

bool RenderEngine::DrawImageSpec(HDC dc, IRenderHostUI* manager, const RECT& item,
                                 const RECT& paint, ImageDrawInfo& record) {
    if (manager == nullptr) {
        return true;
    }
    if (record.image == nullptr) {
        if (record.loadTried) {
            return false;
        }
        record.loadTried = true;
        if (record.spec.empty()) {
            return false;
        }
        ImageSpec spec = ParseImageSpec(record);
        record.image = manager->ImageByNameOrLoad(spec.name, spec.type ? &*spec.type : nullptr,
                                                  spec.mask, spec.hsl);
        if (record.image == nullptr) {
            return false;
        }
        if (record.source == RECT{}) {
            record.source = RECT{0, 0, record.image->width, record.image->height};
        }
    }
    const ImageInfo& image = *record.image;
    record.source.right = std::min<LONG>(record.source.right, image.width);
    record.source.bottom = std::min<LONG>(record.source.bottom, image.height);
    if (dc == nullptr) {
        return true;
    }
    RECT dest = item;
    if (record.dest != RECT{}) {
        dest = RECT{item.left + record.dest.left, item.top + record.dest.top,
                    std::min<LONG>(item.right, item.left + record.dest.right),
                    std::min<LONG>(item.bottom, item.top + record.dest.bottom)};
    }
    auto meets = [](const RECT& a, const RECT& b) {
        return std::max(a.left, b.left) < std::min(a.right, b.right) &&
               std::max(a.top, b.top) < std::min(a.bottom, b.bottom);
    };
    if (meets(dest, item) && meets(dest, paint)) {
        DrawImageGrid(dc, image.bitmap, dest, paint, record.source, record.corner, image.hasAlpha,
                      record.fade, record.hole, record.xtiled, record.ytiled);
    }
    return true;
}

}  // namespace VantuUI
