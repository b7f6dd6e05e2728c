#pragma once

// The pending-deletion list: the file "temp" in the launcher folder, naming
// (relative to that folder) files that an upgrade could not delete. Names
// are joined by "|", with no "|" after the last and no line end. The upgrade
// worker writes it; the next start of the launcher retries the deletions.
//
// The list is UTF-8, so that any name survives; a list that is not valid
// UTF-8 (written one byte per character) is read that way.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantu {

inline constexpr std::wstring_view kPendingDeletionListName = L"temp";

std::wstring PendingDeletionListPath(const std::wstring& folder);

// The list's whole content; nothing when it cannot be opened.
std::optional<std::wstring> ReadPendingDeletionList(const std::wstring& folder);

// Replaces the list's content; false when the file cannot be written.
bool WritePendingDeletionList(const std::wstring& folder, std::wstring_view content);

// Every run of characters that ends at a "|" once one is appended: each
// listed name exactly once, in order ("a||b" gives "a", "", "b").
std::vector<std::wstring> SplitPendingNames(std::wstring_view content);

// Deletes folder + name for each name (a file deletion: folders stay) and
// returns the names that could not be deleted, in order.
std::vector<std::wstring> DeleteNamedFiles(const std::wstring& folder,
                                           const std::vector<std::wstring>& names);

// The names joined by "|".
std::wstring JoinPendingNames(const std::vector<std::wstring>& names);

}  // namespace vantu
