#include "ui/core/zip/zip_reader.h"
#include "ui/core/zip/zip_reader_parts.h"

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

namespace zip_detail {

std::atomic<DWORD> g_lastResult{ZipResult::Ok};

DWORD Remember(DWORD result) {
    g_lastResult.store(result, std::memory_order_relaxed);
    return result;
}

}  // namespace zip_detail

namespace {

using namespace zip_detail;

constexpr std::size_t kEndRecordSize = 22;
constexpr std::size_t kDirectoryEntrySize = 46;
constexpr std::size_t kLocalHeaderSize = 30;
constexpr std::size_t kEndScanLimit = 65535;
constexpr std::size_t kMaxName = 259;

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

using namespace zip_detail;

CZipReader::CZipReader() = default;
CZipReader::~CZipReader() = default;

DWORD CZipReader::LastResult() {
    return g_lastResult.load(std::memory_order_relaxed);
}

std::unique_ptr<CZipReader> CZipReader::Open(const void* source, std::size_t length,
                                             ZipStream kind) {
    switch (kind) {
        case ZipStream::FileHandle:
            return OpenHandle(FileFromPointer(source));
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
    platform::UniqueFile fd = platform::OpenForReading(name);
    auto size = platform::RegularFileSize(fd);
    if (!size) {
        Remember(ZipResult::CannotOpen);
        return nullptr;
    }
    std::unique_ptr<CZipReader> reader(new CZipReader);
    reader->m_source = std::make_unique<Source>(std::move(fd), 0, *size);
    return Finish(std::move(reader));
}

std::unique_ptr<CZipReader> CZipReader::OpenHandle(platform::FileHandle fd) {
    if (fd == platform::kNoFile) {
        Remember(ZipResult::BadArgument);
        return nullptr;
    }
    platform::UniqueFile copy = platform::Duplicate(fd);
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

}  // namespace VantuUI
