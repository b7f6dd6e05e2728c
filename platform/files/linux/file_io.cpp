#include "platform/files/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/files/file_system.h"
#include "platform/files/paths.h"

namespace platform {

namespace {

// Repeats one read or write of what is left (`step` gets the count done so
// far) until `size` bytes moved; false on an error or when nothing moves.
template <typename Step>
bool RepeatUntilDone(std::size_t size, Step step) {
    std::size_t done = 0;
    while (done < size) {
        ssize_t n = step(done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

bool CloseFileHandle(FileHandle handle) {
    return ::close(handle) == 0;
}

UniqueFile OpenForReading(std::wstring_view path, Links links) {
    if (FileFaults::Applies(FileOperation::Read, path)) {
        return UniqueFile();
    }
    int flags = O_RDONLY | O_CLOEXEC | (links == Links::Refuse ? O_NOFOLLOW : 0);
    return UniqueFile(::open(NativePath(path).c_str(), flags));
}

UniqueFile CreateForWriting(std::wstring_view path, mode_t mode) {
    if (FileFaults::Applies(FileOperation::Write, path)) {
        return UniqueFile();
    }
    return UniqueFile(::open(NativePath(path).c_str(),
                             O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode));
}

UniqueFile OpenExistingForWriting(std::wstring_view path) {
    if (FileFaults::Applies(FileOperation::Write, path)) {
        return UniqueFile();
    }
    // Non-blocking, so that a FIFO planted at the path cannot hold the open.
    return UniqueFile(
        ::open(NativePath(path).c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
}

UniqueFile OpenExistingForAppending(std::wstring_view path) {
    if (FileFaults::Applies(FileOperation::Write, path)) {
        return UniqueFile();
    }
    return UniqueFile(::open(NativePath(path).c_str(),
                             O_WRONLY | O_APPEND | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
}

bool WriteAll(FileHandle fd, const void* data, std::size_t size) {
    const auto* p = static_cast<const char*>(data);
    return RepeatUntilDone(size,
                           [&](std::size_t done) { return ::write(fd, p + done, size - done); });
}

bool SyncFile(const UniqueFile& file) {
    return ::fsync(file.Get()) == 0;
}

UniqueFile Duplicate(FileHandle fd) {
    return UniqueFile(::fcntl(fd, F_DUPFD_CLOEXEC, 0));
}

long ReadSome(const UniqueFile& file, void* data, std::size_t size) {
    ssize_t n;
    do {
        n = ::read(file.Get(), data, size);
    } while (n < 0 && errno == EINTR);
    return static_cast<long>(n);
}

bool ReadAll(const UniqueFile& file, void* data, std::size_t size,
             std::optional<std::uint64_t> offset) {
    auto* p = static_cast<char*>(data);
    return RepeatUntilDone(size, [&](std::size_t done) {
        return offset
                   ? ::pread(file.Get(), p + done, size - done, static_cast<off_t>(*offset + done))
                   : ::read(file.Get(), p + done, size - done);
    });
}

std::optional<std::uint64_t> RegularFileSize(const UniqueFile& file) {
    struct stat info {};
    if (!file.IsValid() || ::fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return std::nullopt;
    }
    return static_cast<std::uint64_t>(info.st_size);
}

std::optional<std::uint64_t> SeekFile(const UniqueFile& file, std::int64_t offset, int whence) {
    off_t position = ::lseek(file.Get(), static_cast<off_t>(offset), whence);
    if (position < 0) {
        return std::nullopt;
    }
    return static_cast<std::uint64_t>(position);
}

bool ResizeFile(const UniqueFile& file, std::uint64_t size) {
    return ::ftruncate(file.Get(), static_cast<off_t>(size)) == 0;
}

}  // namespace platform
