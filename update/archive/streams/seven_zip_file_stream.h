#pragma once

// The file streams the extractor reads the package from and writes items
// to: an open file descriptor, closed when the last holder lets go.

#include <cstdint>
#include <memory>
#include <string>
#include <utility>

#include "platform/files/file_io.h"
#include "platform/win32.h"

namespace SevenZip {

class FileStream {
  public:
    explicit FileStream(platform::UniqueFile file) : m_file(std::move(file)) {}

    // Results are S_OK or a system error wrapped as a result.
    HRESULT Read(void* data, std::uint32_t size, std::uint32_t* processed);
    HRESULT Write(const void* data, std::uint32_t size, std::uint32_t* processed);
    // origin 0, 1, 2: from the start, the current position, the end.
    HRESULT Seek(std::int64_t offset, std::uint32_t origin, std::uint64_t* newPosition);
    HRESULT SetSize(std::uint64_t size);
    HRESULT Size(std::uint64_t* size);

  private:
    platform::UniqueFile m_file;
};

// The result for the last failed system call (errno as a system error).
HRESULT LastErrorResult();

// Opens an existing file for reading; null on failure.
std::shared_ptr<FileStream> OpenFileForReading(const std::wstring& path);

// Creates a new file for writing. Refuses to replace anything already there
// (the caller removes it first), so a link planted at the path is never
// followed. Null on failure, with errno set.
std::shared_ptr<FileStream> CreateFileForWriting(const std::wstring& path);

}  // namespace SevenZip
