#include "update/archive/seven_zip_paths.h"

#include "platform/files/file_system.h"
#include "platform/files/paths.h"

namespace SevenZip {

std::wstring NormalizeItemPath(std::wstring_view name) {
    std::wstring normalized(name);
    for (auto& c : normalized) {
        if (c == L'\\') {
            c = L'/';
        }
    }
    return normalized;
}

bool IsContainedItemPath(std::wstring_view relative) {
    if (relative.empty() || relative.front() == L'/') {
        return false;
    }
    std::wstring_view segment;
    std::size_t start = 0;
    for (;;) {
        auto end = relative.find(L'/', start);
        segment = relative.substr(start, end == std::wstring_view::npos ? end : end - start);
        if (segment == L".." || platform::IsSpecialPathSegment(segment)) {
            return false;
        }
        if (end == std::wstring_view::npos) {
            break;
        }
        start = end + 1;
    }
    // The item must name something below the folder, never the folder
    // itself: replacing that would remove the whole folder.
    return !segment.empty() && segment != L".";
}

bool HasNoLinkOnTheWay(std::wstring_view destination, std::wstring_view relative) {
    for (auto end = relative.find(L'/'); end != std::wstring_view::npos;
         end = relative.find(L'/', end + 1)) {
        auto onTheWay = platform::JoinPath(destination, relative.substr(0, end));
        if (!platform::PathExists(onTheWay)) {
            return true;  // nothing further down exists yet
        }
        if (platform::IsLink(onTheWay)) {
            return false;
        }
    }
    return true;
}

bool StaysBelow(std::wstring_view destination, std::wstring_view relative) {
    return IsContainedItemPath(relative) && HasNoLinkOnTheWay(destination, relative);
}

}  // namespace SevenZip
