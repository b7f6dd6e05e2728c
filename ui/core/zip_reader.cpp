#include "ui/core/zip_reader.h"

#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <limits>

#include "platform/files/file_io.h"
#include "platform/files/file_system.h"
#include "platform/files/paths.h"
#include "platform/text/text_codec.h"

namespace VantuUI {

namespace {

std::atomic<DWORD> g_lastResult{ZipResult::Ok};

DWORD Remember(DWORD result) {
    g_lastResult.store(result, std::memory_order_relaxed);
    return result;
}

constexpr std::size_t kChunk = 16384;
constexpr std::size_t kEndRecordSize = 22;
constexpr std::size_t kDirectoryEntrySize = 46;
constexpr std::size_t kLocalHeaderSize = 30;
constexpr std::size_t kEndScanLimit = 65535;
constexpr std::size_t kMaxName = 259;

// General-purpose flag bits and compression methods of an entry.
constexpr std::uint16_t kFlagEncrypted = 0x0001;
constexpr std::uint16_t kFlagSizesAfterData = 0x0008;
constexpr std::uint16_t kMethodStored = 0;
constexpr std::uint16_t kMethodDeflated = 8;

// External attributes: the DOS bits (the ZipAttribute values) in the low
// byte, a Unix mode in the high half.
constexpr std::uint32_t kUnixDirectory = 0040000u << 16;  // S_IFDIR
constexpr std::uint32_t kUnixOwnerWrite = 0200u << 16;    // S_IWUSR

constexpr std::uint16_t kExtendedTimestampTag = 0x5455;  // "UT"

std::uint16_t Get16(const unsigned char* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
std::uint32_t Get32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
bool IsSignature(const unsigned char* p, unsigned char third, unsigned char fourth) {
    return p[0] == 0x50 && p[1] == 0x4B && p[2] == third && p[3] == fourth;
}

std::time_t FromDosTime(std::uint32_t dos) {
    std::uint16_t time = dos & 0xFFFF;
    std::uint16_t date = dos >> 16;
    std::tm tm{};
    tm.tm_sec = (time & 0x1F) * 2;
    tm.tm_min = (time >> 5) & 0x3F;
    tm.tm_hour = time >> 11;
    tm.tm_mday = date & 0x1F;
    tm.tm_mon = ((date >> 5) & 0x0F) - 1;
    tm.tm_year = (date >> 9) + 80;
    tm.tm_isdst = -1;  // DOS times are local times
    return std::mktime(&tm);
}

DWORD AttributesFrom(std::uint32_t external) {
    DWORD attributes = 0;
    if ((external & ZipAttribute::Directory) != 0 || (external & kUnixDirectory) != 0) {
        attributes |= ZipAttribute::Directory;
    }
    if ((external & ZipAttribute::Archive) != 0) {
        attributes |= ZipAttribute::Archive;
    }
    if ((external & ZipAttribute::Hidden) != 0) {
        attributes |= ZipAttribute::Hidden;
    }
    if ((external & ZipAttribute::System) != 0) {
        attributes |= ZipAttribute::System;
    }
    if ((external & ZipAttribute::ReadOnly) != 0 || (external & kUnixOwnerWrite) == 0) {
        attributes |= ZipAttribute::ReadOnly;
    }
    return attributes != 0 ? attributes : ZipAttribute::Normal;
}

// Archive names are 8-bit in the active code page, which is UTF-8 here;
// names that are not valid UTF-8 are read one byte per character.
std::wstring NameFromArchive(const std::string& bytes) {
    std::wstring name;
    if (auto wide = platform::DecodeUtf8(bytes)) {
        name = std::move(*wide);
    } else {
        name = platform::DecodeLatin1(bytes);
    }
    if (name.size() > kMaxName) {
        name.resize(kMaxName);
    }
    return name;
}

unsigned char FoldAscii(unsigned char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 'a' + 'A') : c;
}

bool NamesEqual(const std::string& entry, const std::string& wanted, bool ignoreCase) {
    if (entry.size() != wanted.size()) {
        return false;
    }
    if (!ignoreCase) {
        return entry == wanted;
    }
    for (std::size_t i = 0; i < entry.size(); ++i) {
        if (FoldAscii(static_cast<unsigned char>(entry[i])) !=
            FoldAscii(static_cast<unsigned char>(wanted[i]))) {
            return false;
        }
    }
    return true;
}

}  // namespace

// The bytes of the archive's source: a memory block or a region of a file
// from a start offset to its end. Every read is checked against the size.
class CZipReader::Source {
  public:
    Source(const unsigned char* data, std::uint64_t size) : m_data(data), m_size(size) {}
    Source(platform::UniqueFd fd, std::uint64_t start, std::uint64_t size)
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
    platform::UniqueFd m_fd;
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

CZipReader::CZipReader() = default;
CZipReader::~CZipReader() = default;

DWORD CZipReader::LastResult() {
    return g_lastResult.load(std::memory_order_relaxed);
}

std::unique_ptr<CZipReader> CZipReader::Open(const void* source, std::size_t length,
                                             ZipStream kind) {
    switch (kind) {
        case ZipStream::FileHandle:
            return OpenHandle(static_cast<int>(reinterpret_cast<std::intptr_t>(source)));
        case ZipStream::FileName:
            if (source == nullptr) {
                Remember(ZipResult::BadArgument);
                return nullptr;
            }
            return OpenFile(static_cast<const wchar_t*>(source));
        case ZipStream::Memory:
            return OpenMemory(source, length);
    }
    Remember(ZipResult::BadArgument);
    return nullptr;
}

std::unique_ptr<CZipReader> CZipReader::OpenMemory(const void* data, std::size_t length) {
    if (data == nullptr || length == 0) {
        Remember(ZipResult::BadArgument);
        return nullptr;
    }
    std::unique_ptr<CZipReader> reader(new CZipReader);
    reader->m_source = std::make_unique<Source>(static_cast<const unsigned char*>(data), length);
    return Finish(std::move(reader));
}

std::unique_ptr<CZipReader> CZipReader::OpenFile(std::wstring_view name) {
    platform::UniqueFd fd = platform::OpenForReading(name);
    auto size = platform::RegularFileSize(fd);
    if (!size) {
        Remember(ZipResult::CannotOpen);
        return nullptr;
    }
    std::unique_ptr<CZipReader> reader(new CZipReader);
    reader->m_source = std::make_unique<Source>(std::move(fd), 0, *size);
    return Finish(std::move(reader));
}

std::unique_ptr<CZipReader> CZipReader::OpenHandle(int fd) {
    if (fd < 0) {
        Remember(ZipResult::BadArgument);
        return nullptr;
    }
    platform::UniqueFd copy = platform::Duplicate(fd);
    if (!copy.IsValid()) {
        Remember(ZipResult::CannotDuplicate);
        return nullptr;
    }
    auto start = platform::SeekFile(copy, 0, SEEK_CUR);
    auto size = platform::RegularFileSize(copy);
    if (!size || !start) {
        Remember(ZipResult::NotDiskFile);
        return nullptr;
    }
    std::uint64_t offset = std::min(*start, *size);
    std::unique_ptr<CZipReader> reader(new CZipReader);
    reader->m_source = std::make_unique<Source>(std::move(copy), offset, *size - offset);
    return Finish(std::move(reader));
}

std::unique_ptr<CZipReader> CZipReader::Finish(std::unique_ptr<CZipReader> reader) {
    DWORD result = reader->OpenSource();
    Remember(result);
    return result == ZipResult::Ok ? std::move(reader) : nullptr;
}

DWORD CZipReader::OpenSource() {
    const std::uint64_t size = m_source->Size();
    if (size < kEndRecordSize) {
        return ZipResult::Corrupt;
    }
    // The end record is searched backwards from the end, over at most the
    // last 65,535 bytes (the longest comment); the match nearest the end wins.
    const std::uint64_t scanLength = std::min<std::uint64_t>(size, kEndScanLimit);
    const std::uint64_t scanStart = size - scanLength;
    std::vector<unsigned char> tail(static_cast<std::size_t>(scanLength));
    if (!m_source->Read(scanStart, tail.data(), tail.size())) {
        return ZipResult::ReadError;
    }
    std::uint64_t record = 0;
    bool found = false;
    // A record needs 22 bytes, so later positions cannot hold one.
    for (std::uint64_t i = tail.size() - kEndRecordSize + 1; i-- > 0;) {
        if (IsSignature(&tail[i], 0x05, 0x06)) {
            record = scanStart + i;
            found = true;
            break;
        }
    }
    if (!found || record == 0) {
        return ZipResult::Corrupt;
    }
    const unsigned char* end = &tail[static_cast<std::size_t>(record - scanStart)];
    std::uint16_t disk = Get16(end + 4);
    std::uint16_t directoryDisk = Get16(end + 6);
    std::uint16_t entriesHere = Get16(end + 8);
    std::uint16_t entriesTotal = Get16(end + 10);
    std::uint64_t directorySize = Get32(end + 12);
    std::uint64_t directoryOffset = Get32(end + 16);
    if (disk != 0 || directoryDisk != 0 || entriesHere != entriesTotal ||
        record < directoryOffset + directorySize) {
        return ZipResult::Corrupt;
    }
    m_leading = record - (directoryOffset + directorySize);
    m_directoryStart = m_leading + directoryOffset;
    m_entryCount = entriesTotal;
    m_currentIndex = 0;
    m_currentPosition = m_directoryStart;
    if (m_entryCount > 0) {
        auto first = std::make_unique<DirectoryEntry>();
        DWORD result = ReadDirectoryEntry(m_currentPosition, *first);
        if (result != ZipResult::Ok) {
            return result;
        }
        m_current = std::move(first);
    }
    return ZipResult::Ok;
}

DWORD CZipReader::ReadDirectoryEntry(std::uint64_t position, DirectoryEntry& entry) const {
    unsigned char header[kDirectoryEntrySize];
    if (!m_source->Read(position, header, sizeof header)) {
        return ZipResult::Corrupt;
    }
    if (!IsSignature(header, 0x01, 0x02)) {
        return ZipResult::Corrupt;
    }
    entry.flags = Get16(header + 8);
    entry.method = Get16(header + 10);
    entry.dosTime = Get32(header + 12);
    entry.crc = Get32(header + 16);
    entry.compressedSize = Get32(header + 20);
    entry.uncompressedSize = Get32(header + 24);
    entry.nameLength = Get16(header + 28);
    std::uint16_t extraLength = Get16(header + 30);
    std::uint16_t commentLength = Get16(header + 32);
    entry.externalAttributes = Get32(header + 38);
    entry.localHeaderOffset = Get32(header + 42);
    entry.name.resize(entry.nameLength);
    if (!m_source->Read(position + kDirectoryEntrySize, entry.name.data(), entry.nameLength)) {
        return ZipResult::Corrupt;
    }
    entry.next = position + kDirectoryEntrySize + entry.nameLength + extraLength + commentLength;
    return ZipResult::Ok;
}

DWORD CZipReader::GoTo(int index) {
    if (m_source == nullptr || index < 0 || static_cast<std::uint32_t>(index) >= m_entryCount) {
        return ZipResult::BadArgument;
    }
    if (index < m_currentIndex || m_current == nullptr) {
        auto first = std::make_unique<DirectoryEntry>();
        DWORD result = ReadDirectoryEntry(m_directoryStart, *first);
        if (result != ZipResult::Ok) {
            return result;
        }
        m_currentIndex = 0;
        m_currentPosition = m_directoryStart;
        m_current = std::move(first);
    }
    while (m_currentIndex < index) {
        auto next = std::make_unique<DirectoryEntry>();
        DWORD result = ReadDirectoryEntry(m_current->next, *next);
        if (result != ZipResult::Ok) {
            return result;
        }
        m_currentPosition = m_current->next;
        m_current = std::move(next);
        ++m_currentIndex;
    }
    return ZipResult::Ok;
}

DWORD CZipReader::CheckLocalHeader(const DirectoryEntry& entry, std::uint64_t* dataStart,
                                   std::vector<unsigned char>* extra) const {
    const std::uint64_t position = m_leading + entry.localHeaderOffset;
    unsigned char header[kLocalHeaderSize];
    if (!m_source->Read(position, header, sizeof header)) {
        return ZipResult::ReadError;
    }
    std::uint16_t flags = Get16(header + 6);
    std::uint16_t method = Get16(header + 8);
    std::uint16_t nameLength = Get16(header + 26);
    std::uint16_t extraLength = Get16(header + 28);
    bool sizesFollow = (flags & kFlagSizesAfterData) != 0;
    if (!IsSignature(header, 0x03, 0x04) || method != entry.method ||
        (method != kMethodStored && method != kMethodDeflated) || nameLength != entry.nameLength) {
        return ZipResult::Corrupt;
    }
    if (!sizesFollow &&
        (Get32(header + 14) != entry.crc || Get32(header + 18) != entry.compressedSize ||
         Get32(header + 22) != entry.uncompressedSize)) {
        return ZipResult::Corrupt;
    }
    const std::uint64_t start = position + kLocalHeaderSize + nameLength + extraLength;
    if (!m_source->Contains(start, entry.compressedSize)) {
        return ZipResult::Corrupt;
    }
    if (extra != nullptr) {
        extra->resize(extraLength);
        if (!m_source->Read(position + kLocalHeaderSize + nameLength, extra->data(), extraLength)) {
            return ZipResult::ReadError;
        }
    }
    if (dataStart != nullptr) {
        *dataStart = start;
    }
    return ZipResult::Ok;
}

void CZipReader::FillInfo(const DirectoryEntry& entry, const std::vector<unsigned char>& localExtra,
                          ZipEntryInfo& info) const {
    info.index = m_currentIndex;
    info.name = NameFromArchive(entry.name);
    info.attributes = AttributesFrom(entry.externalAttributes);
    info.modificationTime = info.accessTime = info.creationTime = FromDosTime(entry.dosTime);
    info.compressedSize = entry.compressedSize;
    info.uncompressedSize = entry.uncompressedSize;
    // The extended timestamp block ("UT") holds Unix times, each present
    // when its flag bit is set: 1 modification, 2 access, 4 creation.
    std::size_t at = 0;
    while (at + 4 <= localExtra.size()) {
        std::uint16_t tag = Get16(&localExtra[at]);
        std::size_t size = Get16(&localExtra[at + 2]);
        const unsigned char* data = &localExtra[at + 4];
        if (size > localExtra.size() - at - 4) {
            break;
        }
        if (tag == kExtendedTimestampTag && size >= 1) {
            unsigned char flags = data[0];
            std::size_t field = 1;
            std::time_t* targets[] = {&info.modificationTime, &info.accessTime, &info.creationTime};
            for (int bit = 0; bit < 3; ++bit) {
                if ((flags & (1 << bit)) != 0 && field + 4 <= size) {
                    *targets[bit] = static_cast<std::time_t>(Get32(data + field));
                    field += 4;
                }
            }
        }
        at += 4 + size;
    }
}

DWORD CZipReader::GetEntry(int index, ZipEntryInfo& info) {
    if (m_source == nullptr) {
        return Remember(ZipResult::BadArgument);
    }
    if (index == -1) {
        info = ZipEntryInfo{};
        info.index = static_cast<int>(m_entryCount);
        return Remember(ZipResult::Ok);
    }
    DWORD result = GoTo(index);
    if (result != ZipResult::Ok) {
        return Remember(result);
    }
    std::vector<unsigned char> extra;
    result = CheckLocalHeader(*m_current, nullptr, &extra);
    FillInfo(*m_current, extra, info);
    return Remember(result);
}

DWORD CZipReader::Find(std::wstring_view name, bool ignoreCase, int* index, ZipEntryInfo* info) {
    if (index != nullptr) {
        *index = -1;
    }
    if (info != nullptr) {
        *info = ZipEntryInfo{};
    }
    if (m_source == nullptr) {
        return Remember(ZipResult::BadArgument);
    }
    if (name.size() >= 256) {
        return Remember(ZipResult::NotFound);
    }
    std::string wanted = platform::EncodeUtf8(name);
    if (wanted.size() > kMaxName) {
        return Remember(ZipResult::NotFound);
    }
    std::replace(wanted.begin(), wanted.end(), '\\', '/');
    // A lookup starts a new read: an entry left open by an earlier one ends.
    CloseEntry();

    // Compare in directory order from the first entry; a miss leaves the
    // walking position where it was.
    DirectoryEntry entry;
    std::uint64_t position = m_directoryStart;
    for (std::uint32_t i = 0; i < m_entryCount; ++i) {
        DWORD result = ReadDirectoryEntry(position, entry);
        if (result != ZipResult::Ok) {
            return Remember(result);
        }
        if (NamesEqual(entry.name, wanted, ignoreCase)) {
            m_currentIndex = static_cast<int>(i);
            m_currentPosition = position;
            m_current = std::make_unique<DirectoryEntry>(std::move(entry));
            std::vector<unsigned char> extra;
            result = CheckLocalHeader(*m_current, nullptr, &extra);
            if (index != nullptr) {
                *index = m_currentIndex;
            }
            if (info != nullptr) {
                FillInfo(*m_current, extra, *info);
            }
            return Remember(result);
        }
        position = entry.next;
    }
    return Remember(ZipResult::NotFound);
}

void CZipReader::CloseEntry() {
    m_open.reset();
}

DWORD CZipReader::OpenEntryForReading(int index) {
    DWORD result = GoTo(index);
    if (result != ZipResult::Ok) {
        return result;
    }
    const DirectoryEntry& entry = *m_current;
    std::uint64_t dataStart = 0;
    bool encrypted = (entry.flags & kFlagEncrypted) != 0;
    if (encrypted || CheckLocalHeader(entry, &dataStart, nullptr) != ZipResult::Ok ||
        (entry.method == kMethodStored && entry.compressedSize != entry.uncompressedSize)) {
        return ZipResult::InflateFailed;
    }
    auto open = std::make_unique<OpenEntry>();
    open->index = index;
    open->method = entry.method;
    open->expectedCrc = entry.crc;
    open->crc = static_cast<std::uint32_t>(crc32(0, nullptr, 0));
    open->readPosition = dataStart;
    open->compressedLeft = entry.compressedSize;
    open->uncompressedLeft = entry.uncompressedSize;
    if (entry.method == kMethodDeflated) {
        if (inflateInit2(&open->stream, -MAX_WBITS) != Z_OK) {
            return ZipResult::InflateFailed;
        }
        open->inflating = true;
    }
    m_open = std::move(open);
    return ZipResult::Ok;
}

// Produces up to `length` bytes of the open entry (their number in `made`)
// and returns the code of the call; the caller has made sure an entry is open.
DWORD CZipReader::ReadOpenEntry(unsigned char* destination, std::size_t length, std::size_t* made) {
    OpenEntry& entry = *m_open;
    std::size_t& produced = *made;
    produced = 0;
    while (produced < length && entry.uncompressedLeft > 0) {
        std::size_t room = static_cast<std::size_t>(
            std::min<std::uint64_t>(length - produced, entry.uncompressedLeft));
        if (entry.method == kMethodStored) {
            if (!m_source->Read(entry.readPosition, destination + produced, room)) {
                return ZipResult::InflateFailed;
            }
            entry.readPosition += room;
            entry.compressedLeft -= room;
            entry.uncompressedLeft -= room;
            produced += room;
            continue;
        }
        z_stream& stream = entry.stream;
        if (stream.avail_in == 0) {
            if (entry.compressedLeft == 0) {
                return ZipResult::InflateFailed;  // the compressed data ends too soon
            }
            std::size_t chunk =
                static_cast<std::size_t>(std::min<std::uint64_t>(kChunk, entry.compressedLeft));
            if (const unsigned char* direct = m_source->Span(entry.readPosition, chunk)) {
                stream.next_in = const_cast<Bytef*>(direct);
            } else {
                entry.input.resize(kChunk);
                if (!m_source->Read(entry.readPosition, entry.input.data(), chunk)) {
                    return ZipResult::InflateFailed;
                }
                stream.next_in = entry.input.data();
            }
            stream.avail_in = static_cast<uInt>(chunk);
            entry.readPosition += chunk;
            entry.compressedLeft -= chunk;
        }
        room = std::min<std::size_t>(room, std::numeric_limits<uInt>::max());
        stream.next_out = destination + produced;
        stream.avail_out = static_cast<uInt>(room);
        int status = inflate(&stream, Z_SYNC_FLUSH);
        std::size_t made = room - stream.avail_out;
        produced += made;
        entry.uncompressedLeft -= made;
        if (status == Z_STREAM_END) {
            if (entry.uncompressedLeft != 0) {
                return ZipResult::InflateFailed;  // the stream is shorter than the entry
            }
        } else if (status != Z_OK &&
                   !(status == Z_BUF_ERROR && made == 0 && stream.avail_in == 0)) {
            return ZipResult::InflateFailed;
        }
    }
    if (produced > 0) {
        entry.crc = static_cast<std::uint32_t>(
            crc32_z(entry.crc, destination, static_cast<z_size_t>(produced)));
    }
    if (entry.uncompressedLeft == 0 && !entry.verified) {
        // The entry has ended: its data must match the recorded CRC-32.
        if (entry.crc != entry.expectedCrc) {
            return ZipResult::InflateFailed;
        }
        entry.verified = true;
    }
    if (produced > 0 || entry.uncompressedLeft > 0) {
        return ZipResult::More;
    }
    CloseEntry();
    return ZipResult::Ok;
}

DWORD CZipReader::Unzip(int index, void* destination, std::size_t length, ZipStream kind) {
    if (m_source == nullptr || index < 0 || static_cast<std::uint32_t>(index) >= m_entryCount) {
        return Remember(ZipResult::BadArgument);
    }
    if (kind == ZipStream::FileHandle) {
        int fd = static_cast<int>(reinterpret_cast<std::intptr_t>(destination));
        return Remember(fd < 0 ? ZipResult::BadArgument : UnzipToFd(index, fd));
    }
    if (kind == ZipStream::FileName) {
        if (destination == nullptr) {
            return Remember(ZipResult::BadArgument);
        }
        std::wstring path(static_cast<const wchar_t*>(destination));
        ZipEntryInfo info;
        DWORD result = GetEntry(index, info);
        if (result != ZipResult::Ok && result != ZipResult::Corrupt) {
            return Remember(result);
        }
        if ((info.attributes & ZipAttribute::Directory) != 0) {
            return Remember(platform::CreateFolderChain(path) ? ZipResult::Ok
                                                              : ZipResult::CannotOpen);
        }
        auto folder = platform::ParentFolderOf(path);
        if (!folder.empty()) {
            platform::CreateFolderChain(folder);
        }
        // Replaced by a new file, so a link at the path is never written through.
        if (platform::PathExists(path) && !platform::IsFolder(path)) {
            platform::DeleteFile(path);
        }
        platform::UniqueFd fd = platform::CreateForWriting(path, 0644);
        if (!fd.IsValid()) {
            return Remember(ZipResult::CannotOpen);
        }
        return Remember(UnzipToFd(index, fd.Get()));
    }
    if (kind != ZipStream::Memory || (destination == nullptr && length > 0)) {
        return Remember(ZipResult::BadArgument);
    }
    if (m_open != nullptr && m_open->index != index) {
        CloseEntry();
    }
    if (m_open == nullptr) {
        DWORD result = OpenEntryForReading(index);
        if (result != ZipResult::Ok) {
            return Remember(result == ZipResult::BadArgument ? result : ZipResult::InflateFailed);
        }
    }
    std::size_t made = 0;
    DWORD result = ReadOpenEntry(static_cast<unsigned char*>(destination), length, &made);
    if (result == ZipResult::InflateFailed) {
        CloseEntry();
    }
    return Remember(result);
}

DWORD CZipReader::UnzipToFd(int index, int fd) {
    CloseEntry();  // a whole entry is written, from its start
    DWORD result = OpenEntryForReading(index);
    if (result != ZipResult::Ok) {
        return result == ZipResult::BadArgument ? result : ZipResult::InflateFailed;
    }
    std::vector<unsigned char> buffer(kChunk);
    for (;;) {
        std::size_t made = 0;
        result = ReadOpenEntry(buffer.data(), buffer.size(), &made);
        if (result != ZipResult::Ok && result != ZipResult::More) {
            CloseEntry();
            return result;
        }
        if (!platform::WriteAll(fd, buffer.data(), made)) {
            CloseEntry();
            return ZipResult::WriteError;
        }
        if (result == ZipResult::Ok) {
            return ZipResult::Ok;
        }
    }
}

DWORD CZipReader::Close() {
    if (m_source == nullptr) {
        return Remember(ZipResult::BadArgument);
    }
    CloseEntry();
    m_current.reset();
    m_source.reset();
    return Remember(ZipResult::Ok);
}

}  // namespace VantuUI
