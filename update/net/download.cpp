#include "update/net/download.h"

#include <curl/curl.h>
#include <stdio.h>

#include <charconv>
#include <optional>
#include <string_view>

#include "platform/files/file_io.h"
#include "platform/files/file_system.h"
#include "platform/files/paths.h"
#include "platform/window/message_queue.h"
#include "update/net/linux/curl_handle.h"
#include "update/net/linux/curl_transfer_policy.h"
#include "update/upgrade_messages.h"

namespace vantu {

namespace {

constexpr long kBufferSize = 256 * 1024;

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r' ||
                             text.back() == '\n')) {
        text.remove_suffix(1);
    }
    return text;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

std::optional<std::uint64_t> Number(std::string_view text) {
    std::uint64_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

// The header block of one answer (a redirect's or the final one).
struct AnswerHeaders {
    long status = 0;
    std::string etag;
    std::string lastModified;
    std::optional<std::uint64_t> contentLength;
    std::optional<std::uint64_t> rangeFirst;
    std::optional<std::uint64_t> rangeTotal;

    void Take(std::string_view line) {
        if (line.starts_with("HTTP/")) {
            *this = AnswerHeaders();
            auto space = line.find(' ');
            status = space == std::string_view::npos
                         ? 0
                         : static_cast<long>(Number(line.substr(space + 1, 3)).value_or(0));
            return;
        }
        auto colon = line.find(':');
        if (colon == std::string_view::npos) {
            return;
        }
        auto name = line.substr(0, colon);
        auto value = Trimmed(line.substr(colon + 1));
        if (SameName(name, "ETag")) {
            etag = value;
        } else if (SameName(name, "Last-Modified")) {
            lastModified = value;
        } else if (SameName(name, "Content-Length")) {
            contentLength = Number(value);
        } else if (SameName(name, "Content-Range")) {
            TakeContentRange(value);
        }
    }

    // "bytes <first>-<last>/<total>"; the total may be "*".
    void TakeContentRange(std::string_view value) {
        if (!value.starts_with("bytes ")) {
            return;
        }
        value.remove_prefix(6);
        auto dash = value.find('-');
        auto slash = value.find('/');
        if (dash == std::string_view::npos || slash == std::string_view::npos || slash < dash) {
            return;
        }
        rangeFirst = Number(value.substr(0, dash));
        rangeTotal = Number(value.substr(slash + 1));
    }

    // What If-Range may carry: a strong ETag, else the date.
    std::string Validator() const {
        if (!etag.empty() && !etag.starts_with("W/")) {
            return etag;
        }
        return lastModified;
    }

    // The answer's validator of the same kind as `ours` differs from it.
    bool ContradictsValidator(const std::string& ours) const {
        const std::string& theirs = ours.starts_with("\"") ? etag : lastModified;
        return !theirs.empty() && theirs != ours;
    }
};

// One request's state, shared with libcurl's callbacks.
class Transfer {
  public:
    Transfer(PackageFile& file, const ResumePoint& start, TransferObserver& observer)
        : m_file(file), m_start(start), m_observer(observer), m_base(file.Size()) {}

    static size_t Header(char* data, size_t size, size_t count, void* self) {
        return static_cast<Transfer*>(self)->TakeHeader(std::string_view(data, size * count));
    }
    static size_t Write(char* data, size_t size, size_t count, void* self) {
        return static_cast<Transfer*>(self)->TakeBody(data, size * count);
    }
    static int Progress(void* self, curl_off_t total, curl_off_t received, curl_off_t, curl_off_t) {
        static_cast<Transfer*>(self)->ReportProgress(static_cast<std::uint64_t>(received),
                                                     static_cast<std::uint64_t>(total));
        return 0;  // never cancels a started download
    }

    TransferResult Result(CURLcode code, long status) const;

  private:
    size_t TakeHeader(std::string_view line) {
        if (Trimmed(line).empty()) {
            if (!AcceptAnswer()) {
                return 0;  // ends the transfer before any of the body is written
            }
        } else {
            m_headers.Take(line);
        }
        return line.size();
    }

    // At the end of a final answer's headers: where its body goes.
    bool AcceptAnswer() {
        const long status = m_headers.status;
        if (status < 200 || status >= 300) {
            return true;  // a redirect, or an error that libcurl reports itself
        }
        ResumePoint answer{m_headers.Validator(), 0};
        if (status == 206) {
            answer.total = m_headers.rangeTotal.value_or(0);
            if (m_headers.rangeFirst != m_file.Size() ||
                m_headers.ContradictsValidator(m_start.validator) ||
                (m_start.total != 0 && answer.total != 0 && answer.total != m_start.total)) {
                m_startOver = true;
                return false;
            }
        } else {
            answer.total = m_headers.contentLength.value_or(0);
            if (m_file.Size() != 0 && !m_file.Restart()) {
                m_writeFailed = true;
                return false;
            }
        }
        if (!FitsPackageLimit(answer.total)) {
            m_tooLarge = true;
            return false;
        }
        m_base = m_file.Size();
        m_answer = answer;
        m_observer.OnAnswer(answer);
        return true;
    }

    size_t TakeBody(const char* data, size_t size) {
        if (!FitsPackageLimit(m_file.Size() + size)) {
            m_tooLarge = true;
            return 0;
        }
        if (!m_file.Append(data, size)) {
            m_writeFailed = true;
            return 0;
        }
        return size;
    }

    void ReportProgress(std::uint64_t received, std::uint64_t total) {
        std::uint64_t whole = total != 0 ? m_base + total : m_answer.total;
        m_observer.OnProgress(m_base + received, whole != 0 ? whole : m_start.total);
    }

    PackageFile& m_file;
    ResumePoint m_start;
    TransferObserver& m_observer;
    AnswerHeaders m_headers;
    ResumePoint m_answer;
    std::uint64_t m_base;  // bytes in the file before this answer's body
    bool m_startOver = false;
    bool m_tooLarge = false;
    bool m_writeFailed = false;
};

// Failures that say nothing about the package, only about the way to it.
bool IsPassing(CURLcode code) {
    switch (code) {
        case CURLE_PARTIAL_FILE:
        case CURLE_RECV_ERROR:
        case CURLE_SEND_ERROR:
        case CURLE_OPERATION_TIMEDOUT:
        case CURLE_COULDNT_CONNECT:
        case CURLE_COULDNT_RESOLVE_HOST:
        case CURLE_GOT_NOTHING:
        case CURLE_SSL_CONNECT_ERROR:
        case CURLE_HTTP2:
        case CURLE_HTTP2_STREAM:
            return true;
        default:
            return false;
    }
}

TransferResult Transfer::Result(CURLcode code, long status) const {
    if (m_startOver) {
        return {TransferEnd::Broken, true};
    }
    if (m_tooLarge || m_writeFailed) {
        return {TransferEnd::Refused, false};
    }
    if (code == CURLE_OK) {
        if (m_answer.total == 0 || m_file.Size() == m_answer.total) {
            return {TransferEnd::Complete, false};
        }
        // A body that ended short without the connection saying so.
        return {m_file.Size() < m_answer.total ? TransferEnd::Broken : TransferEnd::Refused, false};
    }
    if (code == CURLE_HTTP_RETURNED_ERROR) {
        if (status == 416) {
            return {TransferEnd::Broken, true};  // the range no longer fits the content
        }
        const bool passing = status == 408 || status == 429 || status >= 500;
        return {passing ? TransferEnd::Broken : TransferEnd::Refused, false};
    }
    return {IsPassing(code) ? TransferEnd::Broken : TransferEnd::Refused, false};
}

}  // namespace

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

CurlEasy NewPackageTransfer() {
    CurlEasy curl(curl_easy_init());
    if (!curl || !ApplyTransferPolicy(curl.get()) || !ApplyPackagePolicy(curl.get())) {
        return CurlEasy();
    }
    return curl;
}

TransferResult TransferOnce(CURL* c, const std::string& url, PackageFile& file,
                            const ResumePoint& start, TransferObserver& observer) {
    if (c == nullptr || !file.IsOpen()) {
        return {};
    }
    Transfer transfer(file, start, observer);
    CurlList headers;
    std::string range;
    if (file.Size() != 0 && !start.validator.empty()) {
        range = std::to_string(file.Size()) + "-";
        headers.reset(curl_slist_append(nullptr, ("If-Range: " + start.validator).c_str()));
        if (!headers) {
            return {};
        }
    } else if (file.Size() != 0 && !file.Restart()) {
        return {};
    }
    // The handle may have carried an earlier request's range.
    curl_easy_setopt(c, CURLOPT_RANGE, range.empty() ? nullptr : range.c_str());
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(c, CURLOPT_URL, url.c_str());
    curl_easy_setopt(c, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(c, CURLOPT_BUFFERSIZE, kBufferSize);
    curl_easy_setopt(c, CURLOPT_HEADERFUNCTION, Transfer::Header);
    curl_easy_setopt(c, CURLOPT_HEADERDATA, &transfer);
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, Transfer::Write);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, Transfer::Progress);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, &transfer);
    CURLcode code = curl_easy_perform(c);
    long status = 0;
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, nullptr);
    return transfer.Result(code, status);
}

}  // namespace vantu
