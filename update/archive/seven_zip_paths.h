#pragma once

// Path helpers of the extractor: joining, parents, folder chains, removal,
// and the checks that keep every item inside the destination folder.

#include <string>
#include <string_view>

namespace SevenZip {

// The relative path when the folder is empty; otherwise folder + relative,
// with a separator between them when the folder does not end in one.
std::wstring JoinPath(std::wstring_view folder, std::wstring_view relative);

// The path up to and including its last separator; empty when it has none.
std::wstring ParentFolderOf(std::wstring_view path);

// Creates the folder and every missing folder above it; true when the
// folder exists afterwards.
bool CreateFolderChain(std::wstring_view folder);

// Permanently removes a file, link or whole folder; true when nothing is
// left at the path (also when nothing was there). False for an empty path.
bool RemovePath(std::wstring_view path);

// An item path as stored in the archive, with "\" read as a separator.
std::wstring NormalizeItemPath(std::wstring_view name);

// A normalized item path that names something below the folder it is joined
// to: not empty, not absolute, without ".." segments, and not ending in the
// folder itself ("a/." or "a/").
bool IsContainedItemPath(std::wstring_view relative);

// No folder on the way from `destination` to the item is a symbolic link,
// so writing the item cannot land outside the destination.
bool HasNoLinkOnTheWay(std::wstring_view destination, std::wstring_view relative);

}  // namespace SevenZip
