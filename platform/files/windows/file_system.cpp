#include "platform/files/file_system.h"

#include <windows.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include "platform/files/windows/system_error.h"

namespace platform {

namespace {

constexpr std::size_t kLongestPath = 32767;

std::wstring Native(std::wstring_view path) {
    return std::wstring(path);
}

DWORD Attributes(std::wstring_view path) {
    return GetFileAttributesW(Native(path).c_str());
}

// 100-nanosecond steps since 1601, from seconds since 1970.
FILETIME FileTimeOf(const timespec& time) {
    constexpr std::uint64_t kFrom1601 = 116444736000000000ull;
    const std::uint64_t ticks = kFrom1601 + static_cast<std::uint64_t>(time.tv_sec) * 10000000ull +
                                static_cast<std::uint64_t>(time.tv_nsec) / 100;
    return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

}  // namespace

void SetAccessDenied() {
    SetLastError(ERROR_ACCESS_DENIED);
    errno = EACCES;
}

bool PathExists(std::wstring_view path) {
    // The attributes of a link are its own: it exists even when its target
    // does not.
    return Attributes(path) != INVALID_FILE_ATTRIBUTES;
}

bool IsFolder(std::wstring_view path) {
    const DWORD attributes = Attributes(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return false;
    }
    if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    }
    // A link counts as what it leads to.
    HANDLE target = CreateFileW(Native(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (target == INVALID_HANDLE_VALUE) {
        return false;
    }
    UniqueFile owner(target);
    BY_HANDLE_FILE_INFORMATION info;
    return GetFileInformationByHandle(target, &info) &&
           (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsLink(std::wstring_view path) {
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

std::optional<mode_t> RegularFileMode(std::wstring_view path) {
    const DWORD attributes = Attributes(path);
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))) {
        return std::nullopt;
    }
    // Only the read-only attribute maps to permission bits.
    return static_cast<mode_t>((attributes & FILE_ATTRIBUTE_READONLY) ? 0444 : 0644);
}

bool SetFileTimes(std::wstring_view path, std::optional<timespec> accessed,
                  std::optional<timespec> modified) {
    HANDLE file =
        CreateFileW(Native(path).c_str(), FILE_WRITE_ATTRIBUTES,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                    FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return FailWithSystemError(false);
    }
    UniqueFile owner(file);
    FILETIME access{}, write{};
    if (accessed) {
        access = FileTimeOf(*accessed);
    }
    if (modified) {
        write = FileTimeOf(*modified);
    }
    return SetFileTime(file, nullptr, accessed ? &access : nullptr, modified ? &write : nullptr) ||
           FailWithSystemError(false);
}

bool SetFileMode(std::wstring_view path, mode_t mode) {
    const DWORD attributes = Attributes(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return FailWithSystemError(false);
    }
    DWORD wanted = (mode & 0222) ? attributes & ~DWORD(FILE_ATTRIBUTE_READONLY)
                                 : attributes | FILE_ATTRIBUTE_READONLY;
    if (wanted == 0) {
        wanted = FILE_ATTRIBUTE_NORMAL;
    }
    return SetFileAttributesW(Native(path).c_str(), wanted) || FailWithSystemError(false);
}

bool DeleteFile(std::wstring_view path) {
    if (FileFaults::Applies(FileOperation::Delete, path)) {
        return false;
    }
    const DWORD attributes = Attributes(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        // A link to a folder is removed as a folder entry; a folder is refused.
        if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
            errno = EISDIR;
            return false;
        }
        return RemoveDirectoryW(Native(path).c_str()) || FailWithSystemError(false);
    }
    return DeleteFileW(Native(path).c_str()) || FailWithSystemError(false);
}

bool MoveFile(std::wstring_view from, std::wstring_view to) {
    if (FileFaults::Applies(FileOperation::Move, from)) {
        return false;
    }
    // Without MOVEFILE_REPLACE_EXISTING an existing target fails the move.
    return MoveFileExW(Native(from).c_str(), Native(to).c_str(), 0) || FailWithSystemError(false);
}

bool ReplacePath(std::wstring_view from, std::wstring_view to) {
    return MoveFileExW(Native(from).c_str(), Native(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) ||
           FailWithSystemError(false);
}

bool CreateFolder(std::wstring_view path) {
    if (FileFaults::Applies(FileOperation::CreateFolder, path)) {
        return false;
    }
    return CreateDirectoryW(Native(path).c_str(), nullptr) || FailWithSystemError(false);
}

bool RemovePath(std::wstring_view path) {
    if (path.empty() || path.size() >= kLongestPath) {
        return false;
    }
    if (!PathExists(path)) {
        return true;
    }
    if (FileFaults::Applies(FileOperation::Delete, path)) {
        return false;
    }
    // Read-only files would refuse the deletion.
    std::error_code error;
    const std::filesystem::path native(Native(path));
    if (!IsLink(path) && IsFolder(path)) {
        for (auto it = std::filesystem::recursive_directory_iterator(native, error);
             !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
            SetFileAttributesW(it->path().c_str(), FILE_ATTRIBUTE_NORMAL);
        }
    } else {
        SetFileAttributesW(native.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    error.clear();
    std::filesystem::remove_all(native, error);
    if (error || PathExists(path)) {
        errno = error ? error.value() : EACCES;
        return false;
    }
    return true;
}

}  // namespace platform
