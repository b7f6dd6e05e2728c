#pragma once

// Version resources: a VS_VERSIONINFO block read from a file and the lookup
// of values in it by sub-block path (as VerQueryValueW does). On Windows the
// system reads the block (GetFileVersionInfoW); the program's own reader
// takes it from a PE file's RT_VERSION resource or an ELF file's
// ".vs_version_info" section, on Linux for every file and on Windows where
// tests compare the two.
//
// Files are hostile input: every offset and size is checked against the file,
// and a damaged file gives "no version information", never a read outside it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

class VersionInfoBlock {
  public:
    // The file's block as the system reads it; nothing when the file cannot
    // be read, has no version block or is damaged.
    static std::optional<VersionInfoBlock> ReadFromFile(std::wstring_view path);

    // The block of a PE or ELF file as the program's own reader finds it,
    // reading only the parts of the file it needs.
    static std::optional<VersionInfoBlock> ReadWithOwnReader(std::wstring_view path);

    explicit VersionInfoBlock(std::string bytes) : m_bytes(std::move(bytes)) {}

    const std::string& bytes() const { return m_bytes; }

    // The value bytes of the node at a path such as "\", "\VarFileInfo\Translation"
    // or "\StringFileInfo\040904b0\FileVersion". Keys compare without ASCII
    // case, as the platform's lookup does.
    std::optional<std::string_view> Value(std::wstring_view subBlock) const;

    // The node's value as text (UTF-16LE up to its terminating zero).
    std::optional<std::wstring> Text(std::wstring_view subBlock) const;

  private:
    std::string m_bytes;
};

// The VS_VERSIONINFO block of a file image held in memory (exposed for tests
// and fuzzing).
std::optional<std::string> ExtractVersionBlock(std::string_view fileImage);

}  // namespace platform
