// The pending-deletion list comes from a writable folder: whatever names it
// holds, what would be deleted stays strictly below the folder, and file
// names survive decoding byte for byte.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/text/text_codec.h"
#include "update/pending_deletion_list.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // A folder that does not exist, so no link on disk decides anything.
    const std::string folder = "/nonexistent-vantu-fuzz/app/";
    const std::wstring wideFolder = platform::DecodeFileName(folder);
    for (const auto& name : vantu::DecodePendingNames(bytes, wideFolder)) {
        auto target = vantu::DeletionTarget(wideFolder, name);
        if (!target) {
            continue;
        }
        std::filesystem::path path(platform::EncodeFileName(*target));
        std::string normal = path.lexically_normal().string();
        if (normal.rfind(folder, 0) != 0 || normal.size() <= folder.size()) {
            std::abort();
        }
    }
    if (platform::EncodeFileName(platform::DecodeFileName(bytes)) != bytes) {
        std::abort();
    }
    return 0;
}
