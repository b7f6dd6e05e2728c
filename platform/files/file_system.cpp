#include "platform/files/file_system.h"

#include <cerrno>
#include <mutex>
#include <set>
#include <utility>

#include "platform/files/paths.h"

namespace platform {

namespace {

struct FaultTable {
    std::mutex mutex;
    std::set<std::pair<FileOperation, std::wstring>> faults;
};

FaultTable& Faults() {
    static FaultTable table;
    return table;
}

}  // namespace

void FileFaults::Set(FileOperation operation, std::wstring_view path) {
    auto& table = Faults();
    std::lock_guard lock(table.mutex);
    table.faults.emplace(operation, std::wstring(path));
}

void FileFaults::Clear() {
    auto& table = Faults();
    std::lock_guard lock(table.mutex);
    table.faults.clear();
}

bool FileFaults::Applies(FileOperation operation, std::wstring_view path) {
    auto& table = Faults();
    std::lock_guard lock(table.mutex);
    if (table.faults.count({operation, std::wstring(path)}) == 0) {
        return false;
    }
    SetAccessDenied();
    return true;
}

bool CreateFolderChain(std::wstring_view folder) {
    while (folder.size() > 1 && IsPathSeparator(folder.back())) {
        folder.remove_suffix(1);
    }
    if (folder.empty() || IsFolder(folder)) {
        return !folder.empty();
    }
    auto last = LastSeparator(folder);
    if (last != std::wstring_view::npos && last > 0 && !CreateFolderChain(folder.substr(0, last))) {
        return false;
    }
    if (CreateFolder(folder)) {
        return true;
    }
    // Made meanwhile by someone else is as good.
    return errno == EEXIST && IsFolder(folder);
}

std::optional<std::string> ReadFileBytes(std::wstring_view path, Links links) {
    auto file = OpenForReading(path, links);
    if (!file.IsValid()) {
        return std::nullopt;
    }
    std::string content;
    char buffer[65536];
    for (;;) {
        long n = ReadSome(file, buffer, sizeof buffer);
        if (n < 0) {
            return std::nullopt;
        }
        if (n == 0) {
            return content;
        }
        content.append(buffer, static_cast<size_t>(n));
    }
}

bool WriteFileBytes(std::wstring_view path, std::string_view bytes) {
    if (FileFaults::Applies(FileOperation::Write, path)) {
        return false;
    }
    std::wstring fresh = std::wstring(path) + L".new";
    // A leftover of an earlier crash (or anything planted there) goes first;
    // a link there is removed itself, never followed.
    DeleteFile(fresh);
    bool written = false;
    {
        auto file = CreateForWriting(fresh, 0644);
        written = file.IsValid() && WriteAll(file, bytes.data(), bytes.size()) && SyncFile(file);
    }
    if (!written || !ReplacePath(fresh, path)) {
        DeleteFile(fresh);
        return false;
    }
    return true;
}

}  // namespace platform
