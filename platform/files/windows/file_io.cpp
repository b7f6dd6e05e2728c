#include "platform/files/file_io.h"

#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <limits>
#include <string>

#include "platform/files/file_system.h"
#include "platform/files/windows/system_error.h"

namespace platform {

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// The most one ReadFile or WriteFile moves.
DWORD Chunk(std::size_t size) {
    return static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
}

UniqueFile Open(std::wstring_view path, DWORD access, DWORD share, DWORD disposition, DWORD flags) {
    // Handles are not inheritable: no security attributes.
    HANDLE handle = CreateFileW(std::wstring(path).c_str(), access, share, nullptr, disposition,
                                flags, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return FailWithSystemError(UniqueFile());
    }
    return UniqueFile(handle);
}

// Opened on a reparse point itself (FILE_FLAG_OPEN_REPARSE_POINT): a link
// there is refused.
UniqueFile RefuseLink(UniqueFile file) {
    BY_HANDLE_FILE_INFORMATION info;
    if (!file.IsValid() || !GetFileInformationByHandle(file.Get(), &info)) {
        return UniqueFile();
    }
    if (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        errno = ELOOP;
        return UniqueFile();
    }
    return file;
}

std::optional<std::uint64_t> Position(HANDLE file) {
    LARGE_INTEGER zero{}, position{};
    if (!SetFilePointerEx(file, zero, &position, FILE_CURRENT)) {
        return std::nullopt;
    }
    return static_cast<std::uint64_t>(position.QuadPart);
}

bool MoveTo(HANDLE file, std::uint64_t position) {
    LARGE_INTEGER target{};
    target.QuadPart = static_cast<LONGLONG>(position);
    return SetFilePointerEx(file, target, nullptr, FILE_BEGIN) != 0;
}

}  // namespace

bool CloseFileHandle(FileHandle handle) {
    return CloseHandle(handle) != 0;
}

UniqueFile OpenForReading(std::wstring_view path, Links links) {
    if (FileFaults::Applies(FileOperation::Read, path)) {
        return UniqueFile();
    }
    if (links == Links::Follow) {
        return Open(path, GENERIC_READ, kShareAll, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
    }
    return RefuseLink(
        Open(path, GENERIC_READ, kShareAll, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT));
}

UniqueFile CreateForWriting(std::wstring_view path, mode_t mode) {
    if (FileFaults::Applies(FileOperation::Write, path)) {
        return UniqueFile();
    }
    // CREATE_NEW fails on anything at the path, a link included.
    const DWORD attributes = (mode & 0222) ? FILE_ATTRIBUTE_NORMAL : FILE_ATTRIBUTE_READONLY;
    return Open(path, GENERIC_WRITE, FILE_SHARE_READ, CREATE_NEW, attributes);
}

UniqueFile OpenExistingForWriting(std::wstring_view path) {
    if (FileFaults::Applies(FileOperation::Write, path)) {
        return UniqueFile();
    }
    return RefuseLink(
        Open(path, GENERIC_WRITE, FILE_SHARE_READ, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT));
}

UniqueFile OpenExistingForAppending(std::wstring_view path) {
    if (FileFaults::Applies(FileOperation::Write, path)) {
        return UniqueFile();
    }
    // Appending alone: each write goes to the end, whoever else appends.
    return RefuseLink(Open(path, FILE_APPEND_DATA, kShareAll, OPEN_EXISTING,
                           FILE_FLAG_OPEN_REPARSE_POINT));
}

bool WriteAll(FileHandle file, const void* data, std::size_t size) {
    const auto* p = static_cast<const char*>(data);
    while (size > 0) {
        DWORD written = 0;
        if (!WriteFile(file, p, Chunk(size), &written, nullptr)) {
            return FailWithSystemError(false);
        }
        if (written == 0) {
            errno = EIO;
            return false;
        }
        p += written;
        size -= written;
    }
    return true;
}

bool SyncFile(const UniqueFile& file) {
    return FlushFileBuffers(file.Get()) != 0 || FailWithSystemError(false);
}

UniqueFile Duplicate(FileHandle file) {
    HANDLE copy = nullptr;
    if (!DuplicateHandle(GetCurrentProcess(), file, GetCurrentProcess(), &copy, 0, FALSE,
                         DUPLICATE_SAME_ACCESS)) {
        return FailWithSystemError(UniqueFile());
    }
    return UniqueFile(copy);
}

long ReadSome(const UniqueFile& file, void* data, std::size_t size) {
    DWORD read = 0;
    if (!ReadFile(file.Get(), data, Chunk(size), &read, nullptr)) {
        // A pipe whose writers are gone has ended.
        return GetLastError() == ERROR_BROKEN_PIPE ? 0 : FailWithSystemError(-1L);
    }
    return static_cast<long>(read);
}

bool ReadAll(const UniqueFile& file, void* data, std::size_t size,
             std::optional<std::uint64_t> offset) {
    // A read at an offset leaves the position where it was, as pread does.
    std::optional<std::uint64_t> kept;
    if (offset) {
        kept = Position(file.Get());
        if (!kept || !MoveTo(file.Get(), *offset)) {
            return FailWithSystemError(false);
        }
    }
    auto* p = static_cast<char*>(data);
    bool complete = true;
    while (size > 0) {
        DWORD read = 0;
        if (!ReadFile(file.Get(), p, Chunk(size), &read, nullptr) || read == 0) {
            complete = false;
            break;
        }
        p += read;
        size -= read;
    }
    if (kept) {
        MoveTo(file.Get(), *kept);
    }
    return complete;
}

std::optional<std::uint64_t> RegularFileSize(const UniqueFile& file) {
    BY_HANDLE_FILE_INFORMATION info;
    if (!file.IsValid() || GetFileType(file.Get()) != FILE_TYPE_DISK ||
        !GetFileInformationByHandle(file.Get(), &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return std::nullopt;
    }
    return (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
}

std::optional<std::uint64_t> SeekFile(const UniqueFile& file, std::int64_t offset, int whence) {
    // FILE_BEGIN, FILE_CURRENT and FILE_END carry lseek's numbers.
    if (whence != SEEK_SET && whence != SEEK_CUR && whence != SEEK_END) {
        errno = EINVAL;
        return std::nullopt;
    }
    LARGE_INTEGER distance{}, position{};
    distance.QuadPart = offset;
    if (!SetFilePointerEx(file.Get(), distance, &position, static_cast<DWORD>(whence))) {
        return FailWithSystemError(std::optional<std::uint64_t>());
    }
    return static_cast<std::uint64_t>(position.QuadPart);
}

bool ResizeFile(const UniqueFile& file, std::uint64_t size) {
    // Cutting leaves the position alone, as ftruncate does.
    auto kept = Position(file.Get());
    if (!kept || size > static_cast<std::uint64_t>(std::numeric_limits<LONGLONG>::max()) ||
        !MoveTo(file.Get(), size) || !SetEndOfFile(file.Get())) {
        return FailWithSystemError(false);
    }
    return MoveTo(file.Get(), *kept);
}

}  // namespace platform
