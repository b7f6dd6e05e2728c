#include <windows.h>

#include <cwctype>
#include <string>

#include "platform/files/paths.h"
#include "platform/text/text_codec.h"

namespace platform {

bool IsSpecialPathSegment(std::wstring_view segment) {
    if (segment.find(L':') != std::wstring_view::npos) {
        return true;
    }
    if (segment != L"." && !segment.empty() && (segment.back() == L'.' || segment.back() == L' ')) {
        return true;
    }
    // Device names stay devices in every folder and with any extension.
    std::wstring base(segment.substr(0, segment.find(L'.')));
    while (!base.empty() && base.back() == L' ') {
        base.pop_back();
    }
    for (auto& c : base) {
        c = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
    }
    static constexpr std::wstring_view kDevices[] = {L"CON", L"PRN",    L"AUX",
                                                     L"NUL", L"CONIN$", L"CONOUT$"};
    for (auto device : kDevices) {
        if (base == device) {
            return true;
        }
    }
    // COM1-COM9 and LPT1-LPT9 (and the superscript digits the system also takes).
    if (base.size() == 4 && (base.starts_with(L"COM") || base.starts_with(L"LPT"))) {
        wchar_t digit = base[3];
        return (digit >= L'1' && digit <= L'9') || digit == L'\u00B9' || digit == L'\u00B2' ||
               digit == L'\u00B3';
    }
    return false;
}

// Names are UTF-16 there; the narrow form, for callers that keep paths as
// bytes, is UTF-8.
std::string NativePath(std::wstring_view path) {
    return EncodeUtf8(path);
}

}  // namespace platform
