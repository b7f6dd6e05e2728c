#pragma once

// Writes VS_VERSIONINFO blocks and small files that carry them: PE32 and
// PE32+ images with an RT_VERSION resource, and ELF files with a
// ".vs_version_info" section. Used for the demo booster's version and for
// test fixtures (including deliberately damaged ones).

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace vantu::tools {

struct StringTable {
    std::u16string key;  // eight hex digits: language then code page, e.g. u"080404b0"
    std::vector<std::pair<std::u16string, std::u16string>> strings;
};

struct VersionInfo {
    std::array<std::uint16_t, 4> fileVersion{1, 0, 0, 0};
    std::vector<StringTable> stringTables;
    // (language, code page) pairs of "\VarFileInfo\Translation"; without any,
    // the VarFileInfo node is left out.
    std::vector<std::pair<std::uint16_t, std::uint16_t>> translations;
};

// A version info with one translation and one string table holding
// FileVersion (and ProductVersion) as "a.b.c.d".
VersionInfo SimpleVersionInfo(const std::string& version, std::uint16_t language = 0x0804,
                              std::uint16_t codePage = 0x04B0);

std::string BuildVersionBlock(const VersionInfo& info);

// A minimal PE image (no code) whose resource section holds the block as
// RT_VERSION, name 1, language `language`.
std::string BuildPeImage(const std::string& block, bool pe32plus, std::uint16_t language = 0x0804);

// The same with one RT_VERSION translation per (language, block), in order.
std::string BuildPeImage(const std::vector<std::pair<std::uint16_t, std::string>>& translations,
                         bool pe32plus);

// A minimal 64-bit little-endian ELF file whose only content is the block in
// a ".vs_version_info" section.
std::string BuildElfImage(const std::string& block);

}  // namespace vantu::tools
