#include "platform/files/file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

bool Failing(FileOperation operation, std::wstring_view path) {
    if (!FileFaults::Applies(operation, path)) {
        return false;
    }
    errno = EACCES;
    return true;
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
    return table.faults.count({operation, std::wstring(path)}) != 0;
}

bool PathExists(std::wstring_view path) {
    struct stat st;
    return lstat(NativePath(path).c_str(), &st) == 0;
}

bool IsFolder(std::wstring_view path) {
    struct stat st;
    return stat(NativePath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool DeleteFile(std::wstring_view path) {
    if (Failing(FileOperation::Delete, path)) {
        return false;
    }
    // unlink refuses folders, as a file deletion must.
    return unlink(NativePath(path).c_str()) == 0;
}

bool MoveFile(std::wstring_view from, std::wstring_view to) {
    if (Failing(FileOperation::Move, from)) {
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
    if (Failing(FileOperation::CreateFolder, path)) {
        return false;
    }
    return mkdir(NativePath(path).c_str(), 0755) == 0;
}

std::optional<std::string> ReadFileBytes(std::wstring_view path) {
    if (Failing(FileOperation::Read, path)) {
        return std::nullopt;
    }
    int fd = open(NativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    std::string content;
    char buffer[65536];
    for (;;) {
        ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            close(fd);
            return std::nullopt;
        }
        if (n == 0) {
            break;
        }
        content.append(buffer, static_cast<size_t>(n));
    }
    close(fd);
    return content;
}

bool WriteFileBytes(std::wstring_view path, std::string_view bytes) {
    if (Failing(FileOperation::Write, path)) {
        return false;
    }
    int fd = open(NativePath(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        return false;
    }
    const char* p = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        ssize_t n = write(fd, p, left);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            close(fd);
            return false;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    return close(fd) == 0;
}

}  // namespace platform
