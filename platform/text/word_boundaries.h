#pragma once

// Word boundaries for caret movement and double-click selection: runs of
// word characters (letters, digits, '_', ideographs), of blanks and of
// other characters. Shared by the edit window and the text services.

#include <cstddef>
#include <string_view>
#include <utility>

namespace platform {

// The start of the next word after `index` (skipping the blanks that follow).
std::size_t NextWordStart(std::wstring_view text, std::size_t index);
// The start of the word before `index`.
std::size_t PreviousWordStart(std::wstring_view text, std::size_t index);
// The run of one kind around `index` (the last character at the end), never
// crossing a '\n': [first, second), at least one character when there is text.
std::pair<std::size_t, std::size_t> WordRangeAt(std::wstring_view text, std::size_t index);

}  // namespace platform
