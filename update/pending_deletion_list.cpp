#include "update/pending_deletion_list.h"

#include "platform/files/file_system.h"
#include "platform/files/paths.h"
#include "platform/text/text_codec.h"
#include "update/archive/seven_zip_paths.h"

namespace vantu {

namespace {

std::wstring DecodePendingName(std::string_view bytes, const std::wstring& folder) {
    if (auto text = platform::DecodeUtf8(bytes)) {
        return *text;
    }
    auto name = platform::DecodeFileName(bytes);
    if (auto target = DeletionTarget(folder, name); target && platform::PathExists(*target)) {
        return name;
    }
    return platform::DecodeLatin1(bytes);
}

}  // namespace

std::wstring PendingDeletionListPath(const std::wstring& folder) {
    return folder + std::wstring(kPendingDeletionListName);
}

std::vector<std::wstring> DecodePendingNames(std::string_view bytes, const std::wstring& folder) {
    std::vector<std::wstring> names;
    std::size_t start = 0;
    for (;;) {
        auto bar = bytes.find('|', start);
        names.push_back(DecodePendingName(bytes.substr(start, bar - start), folder));
        if (bar == std::string_view::npos) {
            return names;
        }
        start = bar + 1;
    }
}

std::optional<std::wstring> ReadPendingDeletionList(const std::wstring& folder) {
    auto bytes = platform::ReadFileBytes(PendingDeletionListPath(folder), platform::Links::Refuse);
    if (!bytes) {
        return std::nullopt;
    }
    return JoinPendingNames(DecodePendingNames(*bytes, folder));
}

bool WritePendingDeletionList(const std::wstring& folder, std::wstring_view content) {
    return platform::WriteFileBytes(PendingDeletionListPath(folder),
                                    platform::EncodeFileName(content));
}

bool CanBeListed(std::wstring_view name) {
    for (wchar_t c : name) {
        if (c == L'|' || c < 0x20 || (c >= 0x7F && c < 0xA0)) {
            return false;
        }
    }
    return true;
}

std::vector<std::wstring> SplitPendingNames(std::wstring_view content) {
    std::vector<std::wstring> names;
    std::size_t start = 0;
    for (;;) {
        auto bar = content.find(L'|', start);
        names.emplace_back(content.substr(start, bar - start));
        if (bar == std::wstring_view::npos) {
            return names;
        }
        start = bar + 1;
    }
}

std::optional<std::wstring> DeletionTarget(const std::wstring& folder, std::wstring_view name) {
    auto relative = SevenZip::NormalizeItemPath(name);
    if (!CanBeListed(relative) || !SevenZip::StaysBelow(folder, relative)) {
        return std::nullopt;
    }
    return platform::JoinPath(folder, relative);
}

std::vector<std::wstring> DeleteNamedFiles(const std::wstring& folder,
                                           const std::vector<std::wstring>& names) {
    std::vector<std::wstring> kept;
    for (const auto& name : names) {
        auto target = DeletionTarget(folder, name);
        if (target && !platform::RemovePath(*target)) {
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
