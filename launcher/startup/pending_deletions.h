#pragma once

#include <string>

namespace vantu {

// Retries the deletions that an earlier upgrade left in the pending-deletion
// list of `folder`, once each (folders whole): the list then names only what
// still could not be deleted, and is removed when nothing is left (or it was
// empty). Unsafe names are dropped unused (see update/pending_deletion_list.h).
// A list that cannot be opened, or is a link, is ignored.
void RetryPendingDeletions(const std::wstring& folder);

}  // namespace vantu
