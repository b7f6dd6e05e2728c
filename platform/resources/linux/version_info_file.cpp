#include "platform/resources/resource_language.h"
#include "platform/resources/version_info.h"

namespace platform {

std::optional<std::uint16_t> UserInterfaceLanguage() {
    return std::nullopt;
}

// No system service reads version resources here.
std::optional<VersionInfoBlock> VersionInfoBlock::ReadFromFile(std::wstring_view path) {
    return ReadWithOwnReader(path);
}

}  // namespace platform
