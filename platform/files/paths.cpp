#include "platform/files/paths.h"

#include <unistd.h>

#include <vector>

#include "platform/text/text_codec.h"

namespace platform {

std::wstring_view::size_type LastSeparator(std::wstring_view path) {
    for (auto i = path.size(); i > 0; --i) {
        if (IsPathSeparator(path[i - 1])) {
            return i - 1;
        }
    }
    return std::wstring_view::npos;
}

std::wstring ParentFolderOf(std::wstring_view path) {
    auto last = LastSeparator(path);
    return last == std::wstring_view::npos ? std::wstring()
                                           : std::wstring(path.substr(0, last + 1));
}

std::wstring JoinPath(std::wstring_view folder, std::wstring_view relative) {
    if (folder.empty()) {
        return std::wstring(relative);
    }
    std::wstring joined(folder);
    if (!IsPathSeparator(joined.back())) {
        joined += L'/';
    }
    joined += relative;
    return joined;
}

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

std::wstring ModuleFolder() {
    return ParentFolderOf(ModuleFileName());
}

std::string NativePath(std::wstring_view path) {
    return EncodeFileName(path);
}

}  // namespace platform
