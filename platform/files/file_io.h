#pragma once

// The one way to open, read and write files: every call on a path applies
// the test fault switch (FileFaults) itself, so callers never do. Handles
// are UniqueFd; reads and writes retry interrupted calls.

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/files/unique_fd.h"

namespace platform {

enum class Links { Follow, Refuse };

// An existing file opened for reading; invalid (errno set) on failure. With
// Links::Refuse a link at the path itself is not opened.
UniqueFd OpenForReading(std::wstring_view path, Links links = Links::Follow);

// A new file opened for writing with the given mode. Refuses anything
// already at the path, so a link planted there is never followed.
UniqueFd CreateForWriting(std::wstring_view path, mode_t mode);

// An existing file opened for writing at its start, without creating or
// cutting it; a link at the path itself is refused.
UniqueFd OpenExistingForWriting(std::wstring_view path);

// An existing file opened for appending, never created; a link at the path
// itself is refused.
UniqueFd OpenExistingForAppending(std::wstring_view path);

// Writes every byte; false on an error or when nothing more can be written.
// The descriptor may be one the caller lent.
bool WriteAll(int fd, const void* data, std::size_t size);
inline bool WriteAll(const UniqueFd& file, const void* data, std::size_t size) {
    return WriteAll(file.Get(), data, size);
}

// A close-on-exec copy of a descriptor the caller lent; invalid on failure.
UniqueFd Duplicate(int fd);

// One read of at most `size` bytes at the current position: the count, 0 at
// the end, -1 on an error.
long ReadSome(const UniqueFd& file, void* data, std::size_t size);

// Exactly `size` bytes from the current position, or from `offset` when
// given; false when the file ends first or a read fails.
bool ReadAll(const UniqueFd& file, void* data, std::size_t size,
             std::optional<std::uint64_t> offset = std::nullopt);

// The size of an open regular file; nothing for anything else.
std::optional<std::uint64_t> RegularFileSize(const UniqueFd& file);

// Moves the position (whence as lseek's); the new position, or nothing.
std::optional<std::uint64_t> SeekFile(const UniqueFd& file, std::int64_t offset, int whence);

// Cuts or extends the open file to `size` bytes.
bool ResizeFile(const UniqueFd& file, std::uint64_t size);

}  // namespace platform
