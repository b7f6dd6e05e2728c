#pragma once

// Reading a skin element's attributes by name, as the builder does: names
// compare without regard to ASCII case and a later duplicate wins.

#include <string>
#include <string_view>

#include "ui/core/markup.h"
#include "ui/core/text_case.h"

namespace VantuUI {

inline std::wstring AttributeNoCase(CMarkupElement& element, std::wstring_view name,
                                    std::wstring fallback = {}) {
    const int count = element.GetAttributeCount();
    for (int i = 0; i < count; ++i) {
        if (EqualsIgnoringCase(element.GetAttributeName(i), name)) {
            fallback = element.GetAttributeValue(i);
        }
    }
    return fallback;
}

// A flag is set by "true" in any case.
inline bool FlagNoCase(CMarkupElement& element, std::wstring_view name) {
    return EqualsIgnoringCase(AttributeNoCase(element, name), L"true");
}

}  // namespace VantuUI
