#pragma once

// Command lines for CreateProcessW, whose words the started program's C
// runtime splits again.

#include <string>

namespace platform {

// One word as the C runtime's parser reads it back: quoted when it holds a
// space, tab or quote or is empty; a quote escaped with a backslash, and
// backslashes before a quote (or the closing one) doubled.
std::wstring QuotedArgument(const std::wstring& word);

}  // namespace platform
