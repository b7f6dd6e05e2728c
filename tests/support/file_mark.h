#pragma once

// A mark that a file carries beyond its bytes, so that a test can tell the
// file itself put back from a copy of its content: mode 0700 on Linux, the
// hidden attribute on Windows. A new file never has it.

#include <filesystem>

namespace testing_support {

void MarkFile(const std::filesystem::path& file);
bool IsMarked(const std::filesystem::path& file);

}  // namespace testing_support
