#include <unistd.h>

#include "platform/files/paths.h"
#include "platform/text/text_codec.h"

namespace platform {

bool IsSpecialPathSegment(std::wstring_view) {
    return false;
}

std::string NativePath(std::wstring_view path) {
    return EncodeFileName(path);
}

}  // namespace platform
