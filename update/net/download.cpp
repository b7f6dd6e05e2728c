#include "update/net/download.h"

#include <curl/curl.h>

#include "platform/files/file_io.h"
#include "platform/files/file_system.h"
#include "platform/files/paths.h"
#include "platform/text/text_codec.h"
#include "platform/window/message_queue.h"
#include "update/net/curl_handle.h"
#include "update/net/transfer_policy.h"
#include "update/upgrade_messages.h"

namespace vantu {

namespace {

constexpr long kBufferSize = 256 * 1024;

// The package file being written; closed (and its close checked) at the end.
class OutputFile {
  public:
    explicit OutputFile(const std::wstring& path)
        : m_file(platform::CreateForWriting(path, 0644)) {}

    bool IsOpen() const { return m_file.IsValid(); }
    bool Write(const char* data, size_t size) { return platform::WriteAll(m_file, data, size); }
    bool Close() { return m_file.Close(); }

  private:
    platform::UniqueFd m_file;
};

size_t WriteToFile(char* data, size_t size, size_t count, void* file) {
    return static_cast<OutputFile*>(file)->Write(data, size * count) ? size * count : 0;
}

int ReportProgress(void* callback, curl_off_t total, curl_off_t received, curl_off_t, curl_off_t) {
    static_cast<const BindCallback*>(callback)->OnProgress(static_cast<std::uint64_t>(received),
                                                           static_cast<std::uint64_t>(total));
    return 0;  // never cancels a started download
}

}  // namespace

void BindCallback::OnProgress(std::uint64_t received, std::uint64_t total) const {
    PostMessage(m_window, WM_UPGRADE_PROGRESS, static_cast<WPARAM>(received),
                static_cast<LPARAM>(total));
}

bool EnsureFolderPath(const std::wstring& folder) {
    return platform::CreateFolderChain(folder);
}

bool DownloadToFile(const std::wstring& address, const std::wstring& path, BindCallback callback) {
    auto last = platform::LastSeparator(path);
    std::wstring folder = last == std::wstring::npos ? std::wstring() : path.substr(0, last);
    if (!folder.empty() && !platform::PathExists(folder) && !EnsureFolderPath(folder)) {
        return false;
    }
    CurlEasy curl(curl_easy_init());
    if (!curl || !ApplyTransferPolicy(curl.get()) || !ApplyPackagePolicy(curl.get())) {
        return false;
    }
    // Created afresh: whatever is at the path (a link included) goes first.
    if (platform::PathExists(path) && !platform::DeleteFile(path)) {
        return false;
    }
    OutputFile file(path);
    if (!file.IsOpen()) {
        return false;
    }
    auto url = platform::EncodeUtf8(address);
    CURL* c = curl.get();
    PackageSizeLimit limit(WriteToFile, &file);
    curl_easy_setopt(c, CURLOPT_URL, url.c_str());
    curl_easy_setopt(c, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(c, CURLOPT_BUFFERSIZE, kBufferSize);
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, PackageSizeLimit::Write);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &limit);
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, ReportProgress);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, &callback);
    CURLcode result = curl_easy_perform(c);
    bool closed = file.Close();
    return result == CURLE_OK && closed && platform::PathExists(path);
}

}  // namespace vantu
