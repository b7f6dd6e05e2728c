#pragma once

// The extractor's trace: one UTF-8 line per event on standard output.

#include <string_view>

namespace SevenZip {

// Writes `text` followed by the path and a line end, as one piece so that
// lines from engine threads never interleave.
void TraceLine(std::string_view text, std::wstring_view path = {});

}  // namespace SevenZip
