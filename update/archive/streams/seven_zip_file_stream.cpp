#include "update/archive/streams/seven_zip_file_stream.h"

#include <unistd.h>

#include <cerrno>

namespace SevenZip {

HRESULT LastErrorResult() {
    return HRESULT_FROM_WIN32(static_cast<DWORD>(errno != 0 ? errno : EIO));
}

HRESULT FileStream::Read(void* data, std::uint32_t size, std::uint32_t* processed) {
    long n = platform::ReadSome(m_file, data, size);
    if (processed != nullptr) {
        *processed = n > 0 ? static_cast<std::uint32_t>(n) : 0;
    }
    return n < 0 ? LastErrorResult() : S_OK;
}

HRESULT FileStream::Write(const void* data, std::uint32_t size, std::uint32_t* processed) {
    errno = 0;
    bool written = platform::WriteAll(m_file, data, size);
    if (processed != nullptr) {
        *processed = written ? size : 0;
    }
    return written ? S_OK : LastErrorResult();
}

HRESULT FileStream::Seek(std::int64_t offset, std::uint32_t origin, std::uint64_t* newPosition) {
    int whence = origin == 0 ? SEEK_SET : origin == 1 ? SEEK_CUR : origin == 2 ? SEEK_END : -1;
    if (whence < 0) {
        return E_INVALIDARG;
    }
    auto position = platform::SeekFile(m_file, offset, whence);
    if (!position) {
        return LastErrorResult();
    }
    if (newPosition != nullptr) {
        *newPosition = *position;
    }
    return S_OK;
}

HRESULT FileStream::SetSize(std::uint64_t size) {
    return platform::ResizeFile(m_file, size) ? S_OK : LastErrorResult();
}

HRESULT FileStream::Size(std::uint64_t* size) {
    auto length = platform::RegularFileSize(m_file);
    if (!length) {
        return LastErrorResult();
    }
    *size = *length;
    return S_OK;
}

std::shared_ptr<FileStream> OpenFileForReading(const std::wstring& path) {
    auto file = platform::OpenForReading(path);
    return file.IsValid() ? std::make_shared<FileStream>(std::move(file)) : nullptr;
}

std::shared_ptr<FileStream> CreateFileForWriting(const std::wstring& path) {
    // Owner-only until the item is complete and its own mode is applied.
    auto file = platform::CreateForWriting(path, 0600);
    return file.IsValid() ? std::make_shared<FileStream>(std::move(file)) : nullptr;
}

}  // namespace SevenZip
