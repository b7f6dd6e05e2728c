// Reading an entry's data: stored or inflated, checked against its CRC.

#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <limits>

#include "platform/files/file_io.h"
#include "platform/files/file_system.h"
#include "platform/files/paths.h"
#include "ui/core/zip/zip_reader.h"
#include "ui/core/zip/zip_reader_parts.h"

namespace VantuUI {

using namespace zip_detail;

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
        const platform::FileHandle file = FileFromPointer(destination);
        return Remember(file == platform::kNoFile ? ZipResult::BadArgument
                                                  : UnzipToFile(index, file));
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
        platform::UniqueFile fd = platform::CreateForWriting(path, 0644);
        if (!fd.IsValid()) {
            return Remember(ZipResult::CannotOpen);
        }
        return Remember(UnzipToFile(index, fd.Get()));
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

DWORD CZipReader::UnzipToFile(int index, platform::FileHandle fd) {
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
