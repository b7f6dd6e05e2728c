#pragma once

// The one way to open, read and write files: every call on a path applies
// the test fault switch (FileFaults) itself, so callers never do. Handles
// are UniqueFile; reads and writes retry interrupted calls. Files are opened
// so that programs started later do not inherit them.

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string_view>

#include "platform/files/unique_file.h"

namespace platform {

enum class Links { Follow, Refuse };

// An existing file opened for reading; invalid (errno set) on failure. With
// Links::Refuse a link at the path itself is not opened. On Windows other
// programs may still read, rename or delete the file meanwhile.
UniqueFile OpenForReading(std::wstring_view path, Links links = Links::Follow);

// A new file opened for writing with the given mode (on Windows: read-only
// when no write bit is set). Refuses anything already at the path, so a link
// planted there is never followed.
UniqueFile CreateForWriting(std::wstring_view path, mode_t mode);

// An existing file opened for writing at its start, without creating or
// cutting it; a link at the path itself is refused.
UniqueFile OpenExistingForWriting(std::wstring_view path);

// An existing file opened for appending, never created; a link at the path
// itself is refused.
UniqueFile OpenExistingForAppending(std::wstring_view path);

// Writes every byte; false on an error or when nothing more can be written.
// The handle may be one the caller lent.
bool WriteAll(FileHandle file, const void* data, std::size_t size);
inline bool WriteAll(const UniqueFile& file, const void* data, std::size_t size) {
    return WriteAll(file.Get(), data, size);
}

// Writes what the file holds through to the disk.
bool SyncFile(const UniqueFile& file);

// A copy, not inherited by started programs, of a handle the caller lent;
// invalid on failure.
UniqueFile Duplicate(FileHandle file);

// One read of at most `size` bytes at the current position: the count, 0 at
// the end, -1 on an error.
long ReadSome(const UniqueFile& file, void* data, std::size_t size);

// Exactly `size` bytes from the current position, or from `offset` when
// given; false when the file ends first or a read fails.
bool ReadAll(const UniqueFile& file, void* data, std::size_t size,
             std::optional<std::uint64_t> offset = std::nullopt);

// The size of an open regular file; nothing for anything else.
std::optional<std::uint64_t> RegularFileSize(const UniqueFile& file);

// Moves the position (whence as lseek's: SEEK_SET, SEEK_CUR, SEEK_END); the new position, or
// nothing.
std::optional<std::uint64_t> SeekFile(const UniqueFile& file, std::int64_t offset, int whence);

// Cuts or extends the open file to `size` bytes.
bool ResizeFile(const UniqueFile& file, std::uint64_t size);

}  // namespace platform
