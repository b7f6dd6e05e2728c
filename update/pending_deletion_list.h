#pragma once

// The pending-deletion list: the file "temp" in the launcher folder, naming
// (relative to that folder) what an upgrade moved aside and could not
// delete. Names are joined by "|", with no "|" after the last and no line
// end. The upgrade worker writes it; the next start of the launcher retries
// the deletions.
//
// Each name is stored as the bytes of the file name (UTF-8 for UTF-8 names,
// other names byte for byte). A name that is not UTF-8 and names no file
// under its own bytes is read one byte per character, as old lists were.
//
// The list comes from a writable folder, so it is not trusted: names that
// are empty, absolute, hold a ".." segment or lead through a link are
// dropped without deleting anything.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantu {

inline constexpr std::wstring_view kPendingDeletionListName = L"temp";

std::wstring PendingDeletionListPath(const std::wstring& folder);

// The list's names decoded one by one (see above), joined by "|"; nothing
// when the list cannot be opened (a link at its place is not followed).
std::optional<std::wstring> ReadPendingDeletionList(const std::wstring& folder);

// The names of a list's bytes, each decoded on its own.
std::vector<std::wstring> DecodePendingNames(std::string_view bytes, const std::wstring& folder);

// Replaces the list with one holding `content`, through a new file renamed
// over the old (never writing through a link); false when it cannot be
// written.
bool WritePendingDeletionList(const std::wstring& folder, std::wstring_view content);

// A name that can be listed: no "|" (the separator) and no control
// character, which the list could not carry back intact.
bool CanBeListed(std::wstring_view name);

// Every run of characters that ends at a "|" once one is appended: each
// listed name exactly once, in order ("a||b" gives "a", "", "b").
std::vector<std::wstring> SplitPendingNames(std::wstring_view content);

// What deleting `name` would remove: folder + the name (with "\" read as
// "/"), or nothing when the name is dropped as unsafe.
std::optional<std::wstring> DeletionTarget(const std::wstring& folder, std::wstring_view name);

// Removes folder + name for each name (files, links and whole folders) and
// returns the names still there afterwards, in order. A name already gone
// counts as deleted; an unsafe name is dropped without deleting anything.
std::vector<std::wstring> DeleteNamedFiles(const std::wstring& folder,
                                           const std::vector<std::wstring>& names);

// The names joined by "|".
std::wstring JoinPendingNames(const std::vector<std::wstring>& names);

}  // namespace vantu
