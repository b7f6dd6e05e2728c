// The partial download's record is read from the launcher folder, where
// anything may have changed it: reading it must never crash, hang or leak,
// and only the exact text the download writes may be accepted.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "update/net/partial_download.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (auto record = vantu::ParsePartialRecord(bytes)) {
        if (vantu::FormatPartialRecord(*record) != bytes) {
            __builtin_trap();
        }
    }
    return 0;
}
