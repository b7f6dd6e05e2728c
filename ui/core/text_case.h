#pragma once

// Names in skins (elements, control classes, attributes) match without
// regard to case the way the skins were written for: ASCII letters fold,
// every other character compares exactly, whatever the process's locale.

#include <string_view>

namespace VantuUI {

constexpr wchar_t FoldAsciiCase(wchar_t c) {
    return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

constexpr bool EqualsIgnoringCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldAsciiCase(a[i]) != FoldAsciiCase(b[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace VantuUI
