#pragma once

// The stand-in for the version-resource services (GetFileVersionInfoSizeW,
// GetFileVersionInfoW, VerQueryValueW): a VS_VERSIONINFO block read from a PE
// file's RT_VERSION resource or from an ELF file's ".vs_version_info" section,
// and the lookup of values in it by sub-block path.
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
    // Reads the block of a PE or ELF file; nothing when the file cannot be
    // read, has no version block or is damaged.
    static std::optional<VersionInfoBlock> ReadFromFile(std::wstring_view path);

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
// and fuzzing; ReadFromFile reads only the parts of a file it needs).
std::optional<std::string> ExtractVersionBlock(std::string_view fileImage);

}  // namespace platform
