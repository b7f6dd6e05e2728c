#include <windows.h>

#include <vector>

#include "platform/files/paths.h"
#include "platform/text/text_codec.h"

namespace platform {

std::wstring ModuleFileName() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD n =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) {
            return {};
        }
        // A name that filled the buffer may have been cut.
        if (n < buffer.size()) {
            return std::wstring(buffer.data(), n);
        }
        if (buffer.size() >= 32768) {
            return {};
        }
        buffer.resize(buffer.size() * 2);
    }
}

// Names are UTF-16 there; the narrow form, for callers that keep paths as
// bytes, is UTF-8.
std::string NativePath(std::wstring_view path) {
    return EncodeUtf8(path);
}

}  // namespace platform
