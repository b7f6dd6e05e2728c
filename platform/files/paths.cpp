#include "platform/files/paths.h"

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

}  // namespace platform
