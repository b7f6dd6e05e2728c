#pragma once

// Read-only reader of ZIP archives (stored and deflated entries) held in a
// file or in memory: the skin archive. Damaged or hostile archives give an
// error code; nothing is read outside the source.

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files/unique_file.h"
#include "platform/win32.h"

namespace VantuUI {

// Result codes; 0 is success.
namespace ZipResult {
inline constexpr DWORD Ok = 0;
inline constexpr DWORD CannotDuplicate = 0x100;    // a handle could not be duplicated
inline constexpr DWORD CannotOpen = 0x200;         // a file could not be opened or created
inline constexpr DWORD WriteError = 0x400;         // an error writing a file
inline constexpr DWORD NotFound = 0x500;           // entry not found
inline constexpr DWORD More = 0x600;               // destination full, more data may remain
inline constexpr DWORD Corrupt = 0x700;            // local header does not match the directory
inline constexpr DWORD ReadError = 0x800;          // a read or seek error
inline constexpr DWORD BadArgument = 0x10000;      // bad argument or no handle
inline constexpr DWORD NotReader = 0x80000;        // the handle is not a reader handle
inline constexpr DWORD OpenedTwice = 0x1000000;    // a reader object was opened twice
inline constexpr DWORD NotDiskFile = 0x2000000;    // the file handle is not a disk file
inline constexpr DWORD InflateFailed = 0x5000000;  // the data could not be unpacked or is damaged
}  // namespace ZipResult

// Where an archive comes from (Open) or where an entry goes (Unzip).
enum class ZipStream { FileHandle = 1, FileName = 2, Memory = 3 };

// File attribute bits of an entry (the Windows values).
namespace ZipAttribute {
inline constexpr DWORD ReadOnly = 0x01;
inline constexpr DWORD Hidden = 0x02;
inline constexpr DWORD System = 0x04;
inline constexpr DWORD Directory = 0x10;
inline constexpr DWORD Archive = 0x20;
inline constexpr DWORD Normal = 0x80;
}  // namespace ZipAttribute

struct ZipEntryInfo {
    int index = -1;     // -1 when not found
    std::wstring name;  // at most 259 characters
    DWORD attributes = 0;
    std::time_t creationTime = 0;
    std::time_t accessTime = 0;
    std::time_t modificationTime = 0;
    std::uint32_t compressedSize = 0;
    std::uint32_t uncompressedSize = 0;
};

class CZipReader {
  public:
    // kind FileHandle: `source` is a file descriptor cast to a pointer; it is
    // duplicated and the archive starts at its current position. FileName:
    // `source` is a NUL-terminated wide file name. Memory: `length` bytes at
    // `source`, not copied, which must outlive the reader. Returns null with
    // the code in LastResult() when the archive cannot be opened.
    static std::unique_ptr<CZipReader> Open(const void* source, std::size_t length, ZipStream kind);
    static std::unique_ptr<CZipReader> OpenMemory(const void* data, std::size_t length);
    static std::unique_ptr<CZipReader> OpenFile(std::wstring_view name);
    static std::unique_ptr<CZipReader> OpenHandle(platform::FileHandle fd);

    // The result of the last reader operation in this process.
    static DWORD LastResult();

    ~CZipReader();
    CZipReader(const CZipReader&) = delete;
    CZipReader& operator=(const CZipReader&) = delete;

    int EntryCount() const { return static_cast<int>(m_entryCount); }

    // Fills `info` for entry `index`; index -1 puts the entry count into
    // info.index. Walking the directory is sequential: an earlier index
    // starts again from the first entry.
    DWORD GetEntry(int index, ZipEntryInfo& info);

    // Finds `name` ("\" counts as "/"; with ignoreCase, ASCII letters match
    // either case). On NotFound the directory position is left as it was.
    // An entry left open by Unzip is ended, so the next Unzip starts afresh.
    DWORD Find(std::wstring_view name, bool ignoreCase, int* index, ZipEntryInfo* info);

    // Memory: unpacks up to `length` bytes of entry `index` into
    // `destination`. More when at least one byte was written (a further call
    // with the same index continues), Ok when the entry has ended with
    // nothing more written, InflateFailed for damaged data, including a
    // CRC-32 mismatch found when the entry's last byte is produced.
    // FileHandle (`destination` is a descriptor cast to a pointer) and
    // FileName (a NUL-terminated wide name) write the whole entry.
    DWORD Unzip(int index, void* destination, std::size_t length, ZipStream kind);

    // Ends an open entry and releases the source. Later calls give BadArgument.
    DWORD Close();

  private:
    struct DirectoryEntry;
    struct OpenEntry;
    class Source;

    CZipReader();
    DWORD OpenSource();
    DWORD ReadDirectoryEntry(std::uint64_t position, DirectoryEntry& entry) const;
    DWORD GoTo(int index);
    DWORD CheckLocalHeader(const DirectoryEntry& entry, std::uint64_t* dataStart,
                           std::vector<unsigned char>* extra) const;
    void FillInfo(const DirectoryEntry& entry, const std::vector<unsigned char>& localExtra,
                  ZipEntryInfo& info) const;
    DWORD OpenEntryForReading(int index);
    DWORD ReadOpenEntry(unsigned char* destination, std::size_t length, std::size_t* made);
    DWORD UnzipToFile(int index, platform::FileHandle fd);
    void CloseEntry();
    static std::unique_ptr<CZipReader> Finish(std::unique_ptr<CZipReader> reader);

    std::unique_ptr<Source> m_source;
    std::uint64_t m_leading = 0;         // bytes before the archive in its source
    std::uint64_t m_directoryStart = 0;  // source offset of the first directory entry
    std::uint32_t m_entryCount = 0;
    int m_currentIndex = 0;
    std::uint64_t m_currentPosition = 0;
    std::unique_ptr<DirectoryEntry> m_current;
    std::unique_ptr<OpenEntry> m_open;
};

}  // namespace VantuUI
