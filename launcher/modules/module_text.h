#pragma once

// Text handed to a launcher module: wide characters with their count, so that
// what the update server sent crosses whole, NUL characters included.

#include <cstddef>
#include <string>
#include <string_view>

extern "C" {

struct VantuModuleText {
    const wchar_t* data;
    std::size_t size;
};
}

namespace vantu {

inline VantuModuleText ToModuleText(std::wstring_view text) {
    return {text.data(), text.size()};
}

inline std::wstring FromModuleText(VantuModuleText text) {
    return std::wstring(text.data, text.size);
}

}  // namespace vantu
