#include "update/archive/seven_zip_paths.h"

#include <limits.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "platform/files/file_system.h"
#include "platform/files/paths.h"

namespace SevenZip {

std::wstring JoinPath(std::wstring_view folder, std::wstring_view relative) {
    if (folder.empty()) {
        return std::wstring(relative);
    }
    std::wstring joined(folder);
    if (!platform::IsPathSeparator(joined.back())) {
        joined += L'/';
    }
    joined += relative;
    return joined;
}

std::wstring ParentFolderOf(std::wstring_view path) {
    return platform::FolderOf(path);
}

bool CreateFolderChain(std::wstring_view folder) {
    while (folder.size() > 1 && platform::IsPathSeparator(folder.back())) {
        folder.remove_suffix(1);
    }
    if (folder.empty() || platform::IsFolder(folder)) {
        return !folder.empty();
    }
    auto last = platform::LastSeparator(folder);
    if (last != std::wstring_view::npos && last > 0 && !CreateFolderChain(folder.substr(0, last))) {
        return false;
    }
    if (platform::CreateFolder(folder)) {
        return true;
    }
    // Made meanwhile by someone else is as good.
    return errno == EEXIST && platform::IsFolder(folder);
}

bool RemovePath(std::wstring_view path) {
    if (path.empty() || path.size() >= PATH_MAX) {
        return false;
    }
    auto native = platform::NativePath(path);
    struct stat st;
    if (lstat(native.c_str(), &st) != 0) {
        return true;
    }
    if (platform::FileFaults::Applies(platform::FileOperation::Delete, path)) {
        errno = EACCES;
        return false;
    }
    std::error_code error;
    // remove_all does not follow links: a link goes, its target stays.
    std::filesystem::remove_all(native, error);
    if (error) {
        errno = error.value();
        return false;
    }
    return true;
}

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
        if (segment == L"..") {
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
        struct stat st;
        auto native = platform::NativePath(JoinPath(destination, relative.substr(0, end)));
        if (lstat(native.c_str(), &st) != 0) {
            return true;  // nothing further down exists yet
        }
        if (S_ISLNK(st.st_mode)) {
            return false;
        }
    }
    return true;
}

}  // namespace SevenZip
