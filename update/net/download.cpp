#include "update/net/download.h"

#include <stdio.h>

#include "platform/files/file_io.h"
#include "platform/files/file_system.h"
#include "platform/files/paths.h"
#include "platform/window/message_queue.h"
#include "update/upgrade_messages.h"

namespace vantu {

void BindCallback::OnProgress(std::uint64_t received, std::uint64_t total) const {
    PostMessage(m_window, WM_UPGRADE_PROGRESS, static_cast<WPARAM>(received),
                static_cast<LPARAM>(total));
}

bool EnsureFolderPath(const std::wstring& folder) {
    return platform::CreateFolderChain(folder);
}

PackageFile PackageFile::Create(const std::wstring& path) {
    PackageFile file;
    auto last = platform::LastSeparator(path);
    std::wstring folder = last == std::wstring::npos ? std::wstring() : path.substr(0, last);
    if (!folder.empty() && !platform::PathExists(folder) && !EnsureFolderPath(folder)) {
        return file;
    }
    // Created afresh: whatever is at the path (a link included) goes first.
    if (platform::PathExists(path) && !platform::DeleteFile(path)) {
        return file;
    }
    file.m_file = platform::CreateForWriting(path, 0644);
    return file;
}

PackageFile PackageFile::Continue(const std::wstring& path) {
    PackageFile file;
    file.m_file = platform::OpenExistingForWriting(path);
    auto size = platform::RegularFileSize(file.m_file);
    if (!size || !platform::SeekFile(file.m_file, 0, SEEK_END)) {
        return PackageFile();
    }
    file.m_size = *size;
    return file;
}

bool PackageFile::Append(const char* data, std::size_t size) {
    if (!platform::WriteAll(m_file, data, size)) {
        return false;
    }
    m_size += size;
    return true;
}

bool PackageFile::Restart() {
    if (!platform::ResizeFile(m_file, 0) || !platform::SeekFile(m_file, 0, SEEK_SET)) {
        return false;
    }
    m_size = 0;
    return true;
}

}  // namespace vantu
