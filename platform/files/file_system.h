#pragma once

// File operations on wide path names (the stand-ins for the kernel's and the
// shell's file services), with a seam that lets tests make chosen operations
// fail, as a file held open by another program or a protected file would.
// Tests run as root, for whom permissions never block a deletion.

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Something (file, folder, link) exists at the path.
bool PathExists(std::wstring_view path);
bool IsFolder(std::wstring_view path);

// Deletes a file; folders are refused.
bool DeleteFile(std::wstring_view path);

// Renames within the file system; fails when the target exists.
bool MoveFile(std::wstring_view from, std::wstring_view to);

// Creates one folder level.
bool CreateFolder(std::wstring_view path);

// The whole file, or nothing when it cannot be opened or read.
std::optional<std::string> ReadFileBytes(std::wstring_view path);

// Replaces the file's content (creating it). False when it cannot be opened
// or the write fails.
bool WriteFileBytes(std::wstring_view path, std::string_view bytes);

enum class FileOperation { Delete, Move, CreateFolder, Write, Read };

// Test seam: while a fault is set, the operation on that exact path fails as
// the real one would fail for a locked or protected file.
class FileFaults {
  public:
    static void Set(FileOperation operation, std::wstring_view path);
    static void Clear();
    static bool Applies(FileOperation operation, std::wstring_view path);
};

}  // namespace platform
