#include "ui/control/text_style.h"

namespace VantuUI {

namespace {

bool Contains(const std::wstring& text, const wchar_t* word) {
    return text.find(word) != std::wstring::npos;
}

}  // namespace

UINT WithHorizontalAlign(UINT style, const std::wstring& value) {
    if (Contains(value, L"left")) {
        return style & ~(DT_CENTER | DT_RIGHT);
    }
    if (Contains(value, L"center")) {
        return (style & ~DT_RIGHT) | DT_CENTER;
    }
    if (Contains(value, L"right")) {
        return (style & ~DT_CENTER) | DT_RIGHT;
    }
    return style;
}

UINT WithVerticalAlign(UINT style, const std::wstring& value) {
    if (Contains(value, L"top")) {
        return style & ~(DT_VCENTER | DT_BOTTOM);
    }
    if (Contains(value, L"vcenter")) {
        return (style & ~DT_BOTTOM) | DT_VCENTER;
    }
    if (Contains(value, L"bottom")) {
        return (style & ~DT_VCENTER) | DT_BOTTOM;
    }
    return style;
}

UINT WithFlag(UINT style, UINT flag, bool on) {
    return on ? style | flag : style & ~flag;
}

UINT WithMultiline(UINT style, bool multiline) {
    return multiline ? (style & ~DT_SINGLELINE) | DT_WORDBREAK : style | DT_SINGLELINE;
}

}  // namespace VantuUI
