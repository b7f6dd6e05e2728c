#pragma once

#include <string>

namespace vantu {

// Retries the deletions that an earlier upgrade left in the pending-deletion
// list of `folder`, once each: the list then names only the files that still
// could not be deleted, and is removed when none are left (or it was empty).
// A list that cannot be opened is ignored.
void RetryPendingDeletions(const std::wstring& folder);

}  // namespace vantu
