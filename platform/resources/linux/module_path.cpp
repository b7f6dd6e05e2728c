#include "platform/resources/module_path.h"

#include <unistd.h>

#include <vector>

#include "platform/text/text_codec.h"

namespace platform {

std::wstring ModuleFileName() {
    std::vector<char> buffer(4096);
    for (;;) {
        ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0) {
            return {};
        }
        if (static_cast<size_t>(n) < buffer.size()) {
            return DecodeFileName(std::string_view(buffer.data(), static_cast<size_t>(n)));
        }
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace platform
