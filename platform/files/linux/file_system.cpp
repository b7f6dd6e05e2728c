#include "platform/files/file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <limits.h>

#include <cerrno>
#include <filesystem>

#include "platform/files/paths.h"

namespace platform {

void SetAccessDenied() {
    errno = EACCES;
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

bool ReplacePath(std::wstring_view from, std::wstring_view to) {
    return rename(NativePath(from).c_str(), NativePath(to).c_str()) == 0;
}

}  // namespace platform
