#pragma once

// The checks that keep every item of a package inside the destination
// folder (the general path helpers are in platform/files).

#include <string>
#include <string_view>

namespace SevenZip {

// An item path as stored in the archive, with "\" read as a separator.
std::wstring NormalizeItemPath(std::wstring_view name);

// A normalized item path that names something below the folder it is joined
// to: not empty, not absolute, without ".." segments or segments the system
// reads otherwise (platform::IsSpecialPathSegment), and not ending in the
// folder itself ("a/." or "a/").
bool IsContainedItemPath(std::wstring_view relative);

// No folder on the way from `destination` to the item is a symbolic link,
// so writing the item cannot land outside the destination.
bool HasNoLinkOnTheWay(std::wstring_view destination, std::wstring_view relative);

// Both of the above: the item, joined to `destination`, names something
// strictly below it and reaches it through no link.
bool StaysBelow(std::wstring_view destination, std::wstring_view relative);

}  // namespace SevenZip
