// The update server's answer and addresses are untrusted input: reading them
// must never crash, hang or leak, whatever the bytes.

#include <cstddef>
#include <cstdint>
#include <iostream>
#include <string_view>

#include "update/net/http_client.h"
#include "update/version_query.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::cerr.rdbuf(nullptr);  // "bad conversion" lines would only slow the run
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    auto result = vantu::ReadVersionAnswer(bytes);
    if (result.code != 0 && !result.latestVersion.empty()) {
        __builtin_trap();  // texts are read only for code 0
    }
    auto url = vantu::ParseUrl(bytes);
    if (url.host.size() + url.path.size() + url.query.size() > size) {
        __builtin_trap();
    }
    return 0;
}
