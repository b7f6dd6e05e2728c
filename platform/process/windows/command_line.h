#pragma once

// Command lines as Windows programs get them: one string that the C
// runtime's parser splits into words again.

#include <string>

namespace platform {

// Appends one word as the C runtime's command-line parser reads it back:
// quoted when it holds a space, tab or quote or is empty; a quote escaped
// with a backslash, and backslashes before a quote (or the closing one)
// doubled.
void AppendCommandLineWord(std::wstring& line, const std::wstring& word);

}  // namespace platform
