#include <sys/stat.h>

#include <stdexcept>

#include "tests/support/file_mark.h"

namespace testing_support {

namespace {

constexpr mode_t kMarkMode = 0700;

}  // namespace

void MarkFile(const std::filesystem::path& file) {
    if (chmod(file.c_str(), kMarkMode) != 0) {
        throw std::runtime_error("cannot mark " + file.string());
    }
}

bool IsMarked(const std::filesystem::path& file) {
    struct stat st;
    return stat(file.c_str(), &st) == 0 && (st.st_mode & 0777) == kMarkMode;
}

}  // namespace testing_support
