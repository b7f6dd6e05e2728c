#pragma once

// Test packages made by the real archiving tools at test time.

#include <filesystem>
#include <string>
#include <vector>

namespace package_maker {

// Runs a tool in `directory`; fails the current test when it does not exit 0.
void RunTool(const std::filesystem::path& directory, const std::string& program,
             const std::vector<std::string>& args);

// Every file below `payload`, packed with paths relative to it.
void Make7z(const std::filesystem::path& payload, const std::filesystem::path& archive,
            const std::vector<std::string>& extra = {});
// Only the listed files, without entries for their folders.
void Make7zOf(const std::filesystem::path& payload, const std::filesystem::path& archive,
              const std::vector<std::string>& files);
// Like Make7z, with a link at `link` (relative to `payload`) to `target`
// in the package. The host makes the link and removes it once packed: wine
// can neither make links nor tell one to a folder from the folder.
void Make7zWithLink(const std::filesystem::path& payload, const std::filesystem::path& archive,
                    const std::string& link, const std::filesystem::path& target);
void MakeZip(const std::filesystem::path& payload, const std::filesystem::path& archive,
             const std::vector<std::string>& extra = {});
// Only the listed files (relative to `payload`).
void MakeCab(const std::filesystem::path& payload, const std::filesystem::path& archive,
             const std::vector<std::string>& files);
// One file, compressed as a plain LZMA stream, or as Lzma86 (a filter byte
// in front of it).
void MakeLzma(const std::filesystem::path& file, const std::filesystem::path& archive);
void MakeLzma86(const std::filesystem::path& file, const std::filesystem::path& archive);
// Renames an item inside an archive (to a path no tool would write).
void RenameItem(const std::filesystem::path& archive, const std::string& from,
                const std::string& to);

// The path as the wide strings the code under test takes.
std::wstring Wide(const std::filesystem::path& path);
// The same for a folder, ending in a separator.
std::wstring WideFolder(const std::filesystem::path& path);
// A file:// address of the path.
std::wstring FileAddress(const std::filesystem::path& path);

}  // namespace package_maker
