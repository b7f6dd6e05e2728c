#include <windows.h>

#include <stdexcept>

#include "tests/support/file_mark.h"

namespace testing_support {

void MarkFile(const std::filesystem::path& file) {
    const DWORD attributes = GetFileAttributesW(file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        !SetFileAttributesW(file.c_str(), attributes | FILE_ATTRIBUTE_HIDDEN)) {
        throw std::runtime_error("cannot mark " + file.string());
    }
}

bool IsMarked(const std::filesystem::path& file) {
    const DWORD attributes = GetFileAttributesW(file.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_HIDDEN) != 0;
}

}  // namespace testing_support
