#pragma once

// Path text rules shared by the launcher and the upgrade worker. Names are
// wide strings; every rule that looks for "\" also accepts "/".

#include <string>
#include <string_view>

namespace platform {

constexpr bool IsPathSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

// Index of the last separator, or npos.
std::wstring_view::size_type LastSeparator(std::wstring_view path);

// The path cut directly after its last separator (so it ends in one); empty
// when there is none.
std::wstring ParentFolderOf(std::wstring_view path);

// The relative path when the folder is empty; otherwise folder + relative,
// with a separator between them when the folder does not end in one.
std::wstring JoinPath(std::wstring_view folder, std::wstring_view relative);

// A path segment the system reads as something other than a plain name
// below the folder: on Windows one with a colon (a drive, "C:x", or a
// stream, "a::$DATA"), one ending in a dot or space (which the system drops,
// so "..." and ".. " mean ".."), or a device name ("NUL", "com1.txt"). None
// on Linux.
bool IsSpecialPathSegment(std::wstring_view segment);

// The name as the file system wants it: its bytes (see EncodeFileName).
std::string NativePath(std::wstring_view path);

}  // namespace platform
