#include "platform/module_path.h"

#include <filesystem>
#include <system_error>

#include "platform/text_codec.h"

namespace platform {

HINSTANCE CurrentModule() {
    // Any stable non-null value will do.
    static char program;
    return reinterpret_cast<HINSTANCE>(&program);
}

std::wstring ModuleFileName(HINSTANCE module) {
    if (module == nullptr) {
        return {};
    }
    std::error_code error;
    auto path = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        return {};
    }
    const std::string& bytes = path.native();
    if (auto wide = DecodeUtf8(bytes)) {
        return *wide;
    }
    return DecodeLatin1(bytes);
}

}  // namespace platform
