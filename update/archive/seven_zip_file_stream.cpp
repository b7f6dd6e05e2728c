#include "update/archive/seven_zip_file_stream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/files/file_system.h"
#include "platform/files/paths.h"

namespace SevenZip {

HRESULT LastErrorResult() {
    return HRESULT_FROM_WIN32(static_cast<DWORD>(errno != 0 ? errno : EIO));
}

FileStream::~FileStream() {
    close(m_fd);
}

HRESULT FileStream::Read(void* data, std::uint32_t size, std::uint32_t* processed) {
    ssize_t n;
    do {
        n = read(m_fd, data, size);
    } while (n < 0 && errno == EINTR);
    if (processed != nullptr) {
        *processed = n > 0 ? static_cast<std::uint32_t>(n) : 0;
    }
    return n < 0 ? LastErrorResult() : S_OK;
}

HRESULT FileStream::Write(const void* data, std::uint32_t size, std::uint32_t* processed) {
    const char* p = static_cast<const char*>(data);
    std::uint32_t done = 0;
    while (done < size) {
        ssize_t n = write(m_fd, p + done, size - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            if (processed != nullptr) {
                *processed = done;
            }
            return n < 0 ? LastErrorResult() : HRESULT_FROM_WIN32(EIO);
        }
        done += static_cast<std::uint32_t>(n);
    }
    if (processed != nullptr) {
        *processed = done;
    }
    return S_OK;
}

HRESULT FileStream::Seek(std::int64_t offset, std::uint32_t origin, std::uint64_t* newPosition) {
    int whence = origin == 0 ? SEEK_SET : origin == 1 ? SEEK_CUR : origin == 2 ? SEEK_END : -1;
    if (whence < 0) {
        return E_INVALIDARG;
    }
    off_t position = lseek(m_fd, static_cast<off_t>(offset), whence);
    if (position < 0) {
        return LastErrorResult();
    }
    if (newPosition != nullptr) {
        *newPosition = static_cast<std::uint64_t>(position);
    }
    return S_OK;
}

HRESULT FileStream::SetSize(std::uint64_t size) {
    return ftruncate(m_fd, static_cast<off_t>(size)) == 0 ? S_OK : LastErrorResult();
}

HRESULT FileStream::Size(std::uint64_t* size) {
    struct stat st;
    if (fstat(m_fd, &st) != 0) {
        return LastErrorResult();
    }
    *size = static_cast<std::uint64_t>(st.st_size);
    return S_OK;
}

std::shared_ptr<FileStream> OpenFileForReading(const std::wstring& path) {
    if (platform::FileFaults::Applies(platform::FileOperation::Read, path)) {
        errno = EACCES;
        return nullptr;
    }
    int fd = open(platform::NativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return nullptr;
    }
    return std::make_shared<FileStream>(fd);
}

std::shared_ptr<FileStream> CreateFileForWriting(const std::wstring& path) {
    if (platform::FileFaults::Applies(platform::FileOperation::Write, path)) {
        errno = EACCES;
        return nullptr;
    }
    // Owner-only until the item is complete and its own mode is applied.
    int fd = open(platform::NativePath(path).c_str(),
                  O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        return nullptr;
    }
    return std::make_shared<FileStream>(fd);
}

}  // namespace SevenZip
