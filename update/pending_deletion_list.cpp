#include "update/pending_deletion_list.h"

#include "platform/files/file_system.h"
#include "platform/text/text_codec.h"

namespace vantu {

std::wstring PendingDeletionListPath(const std::wstring& folder) {
    return folder + std::wstring(kPendingDeletionListName);
}

std::optional<std::wstring> ReadPendingDeletionList(const std::wstring& folder) {
    auto bytes = platform::ReadFileBytes(PendingDeletionListPath(folder));
    if (!bytes) {
        return std::nullopt;
    }
    if (auto text = platform::DecodeUtf8(*bytes)) {
        return text;
    }
    return platform::DecodeLatin1(*bytes);
}

bool WritePendingDeletionList(const std::wstring& folder, std::wstring_view content) {
    return platform::WriteFileBytes(PendingDeletionListPath(folder), platform::EncodeUtf8(content));
}

std::vector<std::wstring> SplitPendingNames(std::wstring_view content) {
    std::vector<std::wstring> names;
    std::size_t start = 0;
    for (;;) {
        auto bar = content.find(L'|', start);
        if (bar == std::wstring_view::npos) {
            names.emplace_back(content.substr(start));
            return names;
        }
        names.emplace_back(content.substr(start, bar - start));
        start = bar + 1;
    }
}

std::vector<std::wstring> DeleteNamedFiles(const std::wstring& folder,
                                           const std::vector<std::wstring>& names) {
    std::vector<std::wstring> kept;
    for (const auto& name : names) {
        if (!platform::DeleteFile(folder + name)) {
            kept.push_back(name);
        }
    }
    return kept;
}

std::wstring JoinPendingNames(const std::vector<std::wstring>& names) {
    std::wstring joined;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0) {
            joined += L'|';
        }
        joined += names[i];
    }
    return joined;
}

}  // namespace vantu
