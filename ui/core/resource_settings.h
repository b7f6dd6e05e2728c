#pragma once

// Where skin files and images are found: a folder, a ZIP file, or the ZIP
// image held in memory (the program's "ZIPRES" resource). One set per
// process, used from the user-interface thread only.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32.h"
#include "ui/core/zip/zip_reader.h"

namespace VantuUI {

// How a window finds its skin.
enum class SkinResourceType { File = 1, Zip = 2, Resource = 3, ZipResource = 4 };

// The archive name that stands for the in-memory archive.
inline constexpr std::wstring_view kMemoryArchiveName = L"membuffer";

// The outcome of reading a skin file by name.
enum class SkinReadResult {
    Ok,
    CannotOpenFile,
    Empty,
    TooLarge,
    CannotReadFile,
    NoArchive,
    NotInArchive,
    CannotUnzip,
};

class CResourceSettings {
  public:
    static void SetProgramModule(HINSTANCE module);
    static HINSTANCE ProgramModule();
    // The module whose resources hold skins; when unset, the program module.
    static void SetSkinModule(HINSTANCE module);
    static HINSTANCE SkinModule();
    // The folder of the program module's file, with its final separator;
    // empty when no program module is set.
    static std::wstring ProgramFolder();

    // A path that does not end in "\" or "/" gets "\" appended.
    static void SetSkinPath(std::wstring_view path);
    static const std::wstring& SkinPath();

    // Empty: loose files; otherwise an archive file relative to the skin
    // path. With `cache`, the archive is opened now and kept open.
    static void SetSkinArchive(std::wstring_view name, bool cache);
    static void SetSkinArchive(const wchar_t* name, bool cache) {
        SetSkinArchive(std::wstring_view(name != nullptr ? name : L""), cache);
    }
    // Registers the in-memory archive. The first registered block stays in
    // force; the block is not copied and must outlive its use.
    static void SetSkinArchive(const void* data, std::size_t length);
    static const std::wstring& SkinArchiveName();
    static bool IsSkinArchiveCached();
    static CZipReader* CachedSkinArchive();

    // Reads the whole skin file `name` from the current source into `bytes`.
    // A file larger than `maxSize` bytes is refused.
    static SkinReadResult ReadSkinFile(std::wstring_view name, std::size_t maxSize,
                                       std::vector<unsigned char>& bytes);
};

}  // namespace VantuUI
