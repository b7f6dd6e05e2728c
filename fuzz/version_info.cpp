// Hostile PE/ELF images and version blocks for the version-resource reader.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/resources/version_info.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (auto block = platform::ExtractVersionBlock(bytes)) {
        platform::VersionInfoBlock info(*block);
        info.Value(L"\\VarFileInfo\\Translation");
        info.Text(L"\\StringFileInfo\\080404b0\\FileVersion");
    }
    // The bytes as a block on their own, too.
    platform::VersionInfoBlock raw{std::string(bytes)};
    raw.Value(L"\\");
    raw.Text(L"\\StringFileInfo\\040904b0\\FileVersion");
    return 0;
}
