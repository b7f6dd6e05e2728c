#include "platform/resources/module_path.h"

#include <windows.h>

namespace platform {

namespace {

// Long paths (\\?\...) may reach 32767 characters; nothing is longer.
constexpr DWORD kLongestPath = 32768;

}  // namespace

std::wstring ModuleFileName() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        DWORD size = static_cast<DWORD>(buffer.size());
        DWORD n = GetModuleFileNameW(nullptr, buffer.data(), size);
        if (n == 0) {
            return {};
        }
        // A cut name fills the whole buffer (the system reports no error on
        // some versions), so only a shorter answer is whole.
        if (n < size) {
            buffer.resize(n);
            return buffer;
        }
        if (size >= kLongestPath) {
            return {};
        }
        buffer.resize(size * 2);
    }
}

}  // namespace platform
