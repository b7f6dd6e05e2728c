#include "platform/resources/version_info.h"

namespace platform {

// No system service reads version resources here.
std::optional<VersionInfoBlock> VersionInfoBlock::ReadFromFile(std::wstring_view path) {
    return ReadWithOwnReader(path);
}

}  // namespace platform
