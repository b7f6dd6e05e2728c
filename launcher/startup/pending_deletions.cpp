#include "launcher/startup/pending_deletions.h"

#include "platform/files/file_system.h"
#include "update/pending_deletion_list.h"

namespace vantu {

void RetryPendingDeletions(const std::wstring& folder) {
    auto content = ReadPendingDeletionList(folder);
    if (!content) {
        return;
    }
    auto listPath = PendingDeletionListPath(folder);
    if (content->empty()) {
        platform::DeleteFile(listPath);
        return;
    }
    auto kept = DeleteNamedFiles(folder, SplitPendingNames(*content));
    if (kept.empty()) {
        platform::DeleteFile(listPath);
    } else {
        WritePendingDeletionList(folder, JoinPendingNames(kept));
    }
}

}  // namespace vantu
