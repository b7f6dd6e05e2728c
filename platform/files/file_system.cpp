#include "platform/files/file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <limits.h>

#include <cerrno>
#include <filesystem>
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
    errno = EACCES;
    return true;
}

bool PathExists(std::wstring_view path) {
    struct stat st;
    return lstat(NativePath(path).c_str(), &st) == 0;
}

bool IsFolder(std::wstring_view path) {
    struct stat st;
    return stat(NativePath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool IsLink(std::wstring_view path) {
    struct stat st;
    return lstat(NativePath(path).c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

std::optional<mode_t> RegularFileMode(std::wstring_view path) {
    struct stat st;
    if (lstat(NativePath(path).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        return std::nullopt;
    }
    return st.st_mode & 07777;
}

bool SetFileTimes(std::wstring_view path, std::optional<timespec> accessed,
                  std::optional<timespec> modified) {
    timespec times[2] = {accessed.value_or(timespec{0, UTIME_OMIT}),
                         modified.value_or(timespec{0, UTIME_OMIT})};
    return utimensat(AT_FDCWD, NativePath(path).c_str(), times, AT_SYMLINK_NOFOLLOW) == 0;
}

bool SetFileMode(std::wstring_view path, mode_t mode) {
    return chmod(NativePath(path).c_str(), mode) == 0;
}

bool DeleteFile(std::wstring_view path) {
    if (FileFaults::Applies(FileOperation::Delete, path)) {
        return false;
    }
    // unlink refuses folders, as a file deletion must.
    return unlink(NativePath(path).c_str()) == 0;
}

bool MoveFile(std::wstring_view from, std::wstring_view to) {
    if (FileFaults::Applies(FileOperation::Move, from)) {
        return false;
    }
    // renameat2 with RENAME_NOREPLACE would be exact; the link/stat check is
    // portable across file systems that lack it.
    auto target = NativePath(to);
    struct stat st;
    if (lstat(target.c_str(), &st) == 0) {
        errno = EEXIST;
        return false;
    }
    return rename(NativePath(from).c_str(), target.c_str()) == 0;
}

bool CreateFolder(std::wstring_view path) {
    if (FileFaults::Applies(FileOperation::CreateFolder, path)) {
        return false;
    }
    return mkdir(NativePath(path).c_str(), 0755) == 0;
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

bool RemovePath(std::wstring_view path) {
    if (path.empty() || path.size() >= PATH_MAX) {
        return false;
    }
    auto native = NativePath(path);
    struct stat st;
    if (lstat(native.c_str(), &st) != 0) {
        return true;
    }
    if (FileFaults::Applies(FileOperation::Delete, path)) {
        return false;
    }
    std::error_code error;
    // remove_all does not follow links: a link goes, its target stays.
    std::filesystem::remove_all(native, error);
    if (error) {
        errno = error.value();
        return false;
    }
    return true;
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
    // unlink removes a link itself.
    unlink(NativePath(fresh).c_str());
    bool written = false;
    {
        auto file = CreateForWriting(fresh, 0644);
        written =
            file.IsValid() && WriteAll(file, bytes.data(), bytes.size()) && fsync(file.Get()) == 0;
    }
    if (!written || rename(NativePath(fresh).c_str(), NativePath(path).c_str()) != 0) {
        unlink(NativePath(fresh).c_str());
        return false;
    }
    return true;
}

}  // namespace platform
