#include <curl/curl.h>

#include <string_view>

#include "update/net/download.h"
#include "update/net/linux/curl_handle.h"
#include "update/net/linux/curl_transfer_policy.h"
#include "update/net/package_answer.h"

namespace vantu {

namespace {

constexpr long kBufferSize = 256 * 1024;

bool IsBlankLine(std::string_view line) {
    return line.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

// libcurl's callbacks in front of the answer. Nothing may unwind through
// libcurl, and nothing here throws.
size_t TakeHeader(char* data, size_t size, size_t count, void* answer) {
    auto& self = *static_cast<PackageAnswer*>(answer);
    const std::string_view line(data, size * count);
    if (IsBlankLine(line)) {
        // Ends the transfer before any of a refused answer's body is written.
        return self.Accept() ? line.size() : 0;
    }
    self.TakeHeaderLine(line);
    return line.size();
}

size_t TakeBody(char* data, size_t size, size_t count, void* answer) {
    return static_cast<PackageAnswer*>(answer)->TakeBody(data, size * count) ? size * count : 0;
}

int TakeProgress(void* answer, curl_off_t total, curl_off_t received, curl_off_t, curl_off_t) {
    static_cast<PackageAnswer*>(answer)->ReportProgress(static_cast<std::uint64_t>(received),
                                                        static_cast<std::uint64_t>(total));
    return 0;  // never cancels a started download
}

RequestEnd EndOf(CURLcode code) {
    switch (code) {
        case CURLE_OK:
            return RequestEnd::Delivered;
        case CURLE_HTTP_RETURNED_ERROR:
            return RequestEnd::HttpError;
        case CURLE_WRITE_ERROR:
            return RequestEnd::Stopped;
        // Failures that say nothing about the package, only about the way
        // to it.
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
            return RequestEnd::Passing;
        default:
            return RequestEnd::Refused;
    }
}

}  // namespace

struct PackageTransfer::Handles {
    CurlEasy curl;
};

PackageTransfer::PackageTransfer() : m_handles(std::make_unique<Handles>()) {
    m_handles->curl.reset(curl_easy_init());
    if (m_handles->curl && (!ApplyTransferPolicy(m_handles->curl.get()) ||
                            !ApplyPackagePolicy(m_handles->curl.get()))) {
        m_handles->curl.reset();
    }
}

PackageTransfer::~PackageTransfer() = default;

bool PackageTransfer::IsReady() const {
    return m_handles->curl != nullptr;
}

TransferResult PackageTransfer::Once(const std::string& url, PackageFile& file,
                                     const ResumePoint& start, TransferObserver& observer) {
    CURL* c = m_handles->curl.get();
    if (c == nullptr || !file.IsOpen()) {
        return {};
    }
    PackageAnswer answer(file, start, observer);
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
    curl_easy_setopt(c, CURLOPT_HEADERFUNCTION, TakeHeader);
    curl_easy_setopt(c, CURLOPT_HEADERDATA, &answer);
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, TakeBody);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &answer);
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, TakeProgress);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, &answer);
    const CURLcode code = curl_easy_perform(c);
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, nullptr);
    return answer.Result(EndOf(code));
}

}  // namespace vantu
