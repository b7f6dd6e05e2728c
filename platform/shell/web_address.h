#pragma once

// What the shell's "open" accepts: a web address, nothing that could name a
// program or a document.

#include <cwchar>
#include <string_view>

namespace platform {

inline bool IsOpenOfWebAddress(const wchar_t* verb, const wchar_t* file) {
    const bool open = verb == nullptr || std::wcscmp(verb, L"open") == 0;
    if (!open || file == nullptr) {
        return false;
    }
    const std::wstring_view address(file);
    return address.starts_with(L"http://") || address.starts_with(L"https://");
}

}  // namespace platform
