#pragma once

// What the directory and entry-reading halves of the ZIP reader share: the
// source of the archive's bytes, the records of an entry, the result
// register and the format's numbers.

#include <zlib.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/files/file_io.h"
#include "ui/core/zip/zip_reader.h"

namespace VantuUI::zip_detail {

// Stores the result of the last call for CZipReader::LastResult.
DWORD Remember(DWORD result);

constexpr std::size_t kChunk = 16384;

// General-purpose flag bits and compression methods of an entry.
constexpr std::uint16_t kFlagEncrypted = 0x0001;
constexpr std::uint16_t kFlagSizesAfterData = 0x0008;
constexpr std::uint16_t kMethodStored = 0;
constexpr std::uint16_t kMethodDeflated = 8;

}  // namespace VantuUI::zip_detail

namespace VantuUI {

// A file handle the caller passed as a pointer: a descriptor's number on
// Linux, the HANDLE itself on Windows. Negative descriptors are no file.
template <class Handle = platform::FileHandle>
Handle FileFromPointer(const void* pointer) {
    if constexpr (std::is_pointer_v<Handle>) {
        return static_cast<Handle>(const_cast<void*>(pointer));
    } else {
        const std::intptr_t number = reinterpret_cast<std::intptr_t>(pointer);
        return number < 0 ? platform::kNoFile : static_cast<Handle>(number);
    }
}

// The bytes of the archive's source: a memory block or a region of a file
// from a start offset to its end. Every read is checked against the size.
class CZipReader::Source {
  public:
    Source(const unsigned char* data, std::uint64_t size) : m_data(data), m_size(size) {}
    Source(platform::UniqueFile fd, std::uint64_t start, std::uint64_t size)
        : m_fd(std::move(fd)), m_start(start), m_size(size) {}

    std::uint64_t Size() const { return m_size; }
    bool Contains(std::uint64_t offset, std::uint64_t length) const {
        return offset <= m_size && length <= m_size - offset;
    }
    // Direct access for memory sources; null for files or out of range.
    const unsigned char* Span(std::uint64_t offset, std::uint64_t length) const {
        return m_data != nullptr && Contains(offset, length) ? m_data + offset : nullptr;
    }
    bool Read(std::uint64_t offset, void* out, std::size_t length) const {
        if (!Contains(offset, length)) {
            return false;
        }
        if (length == 0) {
            return true;
        }
        if (m_data != nullptr) {
            std::memcpy(out, m_data + offset, length);
            return true;
        }
        return platform::ReadAll(m_fd, out, length, m_start + offset);
    }

  private:
    const unsigned char* m_data = nullptr;
    platform::UniqueFile m_fd;
    std::uint64_t m_start = 0;
    std::uint64_t m_size = 0;
};

struct CZipReader::DirectoryEntry {
    std::uint16_t flags = 0;
    std::uint16_t method = 0;
    std::uint32_t dosTime = 0;
    std::uint32_t crc = 0;
    std::uint32_t compressedSize = 0;
    std::uint32_t uncompressedSize = 0;
    std::uint16_t nameLength = 0;
    std::uint32_t externalAttributes = 0;
    std::uint32_t localHeaderOffset = 0;
    std::uint64_t next = 0;  // source offset of the following entry
    std::string name;
};

struct CZipReader::OpenEntry {
    OpenEntry() = default;
    ~OpenEntry() {
        if (inflating) {
            inflateEnd(&stream);
        }
    }
    OpenEntry(const OpenEntry&) = delete;
    OpenEntry& operator=(const OpenEntry&) = delete;

    int index = -1;
    std::uint16_t method = 0;
    std::uint32_t expectedCrc = 0;
    std::uint32_t crc = 0;
    std::uint64_t readPosition = 0;  // next compressed byte in the source
    std::uint64_t compressedLeft = 0;
    std::uint64_t uncompressedLeft = 0;
    bool verified = false;
    bool inflating = false;
    z_stream stream{};
    std::vector<unsigned char> input;  // file sources read through this
};

}  // namespace VantuUI
