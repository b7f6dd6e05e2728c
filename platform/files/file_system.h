#pragma once

// File operations on wide path names (the stand-ins for the kernel's and the
// shell's file services), with a seam that lets tests make chosen operations
// fail, as a file held open by another program or a protected file would.
// Tests run as root, for whom permissions never block a deletion.

#include <sys/types.h>

#include <ctime>
#include <optional>
#include <string>
#include <string_view>

#include "platform/files/file_io.h"

#ifdef _WIN32
// These names are the system's ANSI/wide switches there; here they name this
// folder's calls, which take wide names anyway.
#include <windows.h>
#undef DeleteFile
#undef MoveFile
#endif

namespace platform {

// Something (file, folder, link) exists at the path.
bool PathExists(std::wstring_view path);
bool IsFolder(std::wstring_view path);
// The path itself is a symbolic link.
bool IsLink(std::wstring_view path);
// The permission bits of the regular file at the path (a link is not
// followed); nothing for anything else.
std::optional<mode_t> RegularFileMode(std::wstring_view path);

// Sets the access and modification times given (a link is not followed).
bool SetFileTimes(std::wstring_view path, std::optional<timespec> accessed,
                  std::optional<timespec> modified);
// Sets the permission bits.
bool SetFileMode(std::wstring_view path, mode_t mode);

// Deletes a file; folders are refused.
bool DeleteFile(std::wstring_view path);

// Renames within the file system; fails when the target exists.
bool MoveFile(std::wstring_view from, std::wstring_view to);

// Renames within the file system, replacing a file at the target (a link
// there is replaced, never followed).
bool ReplacePath(std::wstring_view from, std::wstring_view to);

// Creates one folder level.
bool CreateFolder(std::wstring_view path);

// Creates the folder and every missing folder above it; true when the
// folder exists afterwards.
bool CreateFolderChain(std::wstring_view folder);

// Permanently removes a file, link or whole folder (links are removed, never
// followed); true when nothing is left at the path (also when nothing was
// there). False for an empty path.
bool RemovePath(std::wstring_view path);

// The whole file, or nothing when it cannot be opened or read.
std::optional<std::string> ReadFileBytes(std::wstring_view path, Links links = Links::Follow);

// Replaces the file with one holding `bytes`: written to a new file beside
// it, then renamed over it, so a crash leaves the old or the new content
// whole and a link at the path is replaced, never written through. False
// when it cannot be written.
bool WriteFileBytes(std::wstring_view path, std::string_view bytes);

enum class FileOperation { Delete, Move, CreateFolder, Write, Read };

// Test seam: while a fault is set, the operation on that exact path fails as
// the real one would fail for a locked or protected file. On Windows every
// failed call also sets errno from the system's error. Only the file
// calls of platform/files consult it.
class FileFaults {
  public:
    static void Set(FileOperation operation, std::wstring_view path);
    static void Clear();
    // True, with errno set as the real failure would set it, when a fault
    // is set for the operation on the path.
    static bool Applies(FileOperation operation, std::wstring_view path);
};

// Sets errno (and on Windows the thread's last error) as a refused access does.
void SetAccessDenied();

}  // namespace platform
