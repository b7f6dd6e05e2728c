// Item names from a package: whatever the extractor accepts as contained
// must, joined to the destination, stay strictly below it.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/files/paths.h"
#include "platform/text/text_codec.h"
#include "update/archive/seven_zip_paths.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto name = platform::DecodeUtf8(std::string(reinterpret_cast<const char*>(data), size));
    if (!name || name->find(L'\0') != std::wstring::npos) {
        return 0;
    }
    auto relative = SevenZip::NormalizeItemPath(*name);
    if (!SevenZip::IsContainedItemPath(relative)) {
        return 0;
    }
    const std::wstring destination = L"/dest/app/";
    std::filesystem::path joined(platform::EncodeUtf8(platform::JoinPath(destination, relative)));
    std::string normal = joined.lexically_normal().string();
    if (normal.rfind("/dest/app/", 0) != 0 || normal.size() <= std::string("/dest/app/").size()) {
        std::abort();
    }
    return 0;
}
