#include <windows.h>

#include <string>

#include "platform/resources/resource_language.h"
#include "platform/resources/version_info.h"

namespace platform {

std::optional<std::uint16_t> UserInterfaceLanguage() {
    return GetUserDefaultUILanguage();
}

std::optional<VersionInfoBlock> VersionInfoBlock::ReadFromFile(std::wstring_view path) {
    const std::wstring name(path);
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeW(name.c_str(), &ignored);
    if (size < 6) {
        return std::nullopt;
    }
    std::string buffer(size, '\0');
    if (!GetFileVersionInfoW(name.c_str(), 0, size, buffer.data())) {
        return std::nullopt;
    }
    // The system's buffer has room after the block for its own use; the block
    // is what its first length word counts.
    std::size_t length = static_cast<unsigned char>(buffer[0]) |
                         (static_cast<std::size_t>(static_cast<unsigned char>(buffer[1])) << 8);
    if (length < 6 || length > buffer.size()) {
        return std::nullopt;
    }
    buffer.resize(length);
    return VersionInfoBlock(std::move(buffer));
}

}  // namespace platform
