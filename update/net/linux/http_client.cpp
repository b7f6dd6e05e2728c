#include "update/net/http_client.h"

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "update/net/http_response.h"
#include "update/net/linux/curl_handle.h"
#include "update/net/linux/curl_transfer_policy.h"

namespace vantu {

namespace {

// The final response as it arrives. Interim (1xx) and redirect blocks are
// replaced by the next status line.
struct Response {
    std::vector<std::string> headerLines;  // status line first, no line ends
    bool headersComplete = false;
    bool bodyStarted = false;
    bool redirect = false;
    std::optional<HttpState> verdict;  // a test failed: stop reading
    size_t bodyBytes = 0;              // as received, zero bytes included
    std::string body;
};

size_t TakeHeaderLine(Response& response, const char* data, size_t bytes) {
    if (response.bodyStarted) {
        return bytes;  // trailers
    }
    std::string line(data, bytes);
    if (line.starts_with("HTTP/")) {
        response.headerLines.clear();
        response.headersComplete = false;
        response.redirect = false;
    }
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
        line.pop_back();
    }
    if (!line.empty()) {
        if (StartsWithNoCase(line, "Location:") && !response.headerLines.empty() &&
            IsRedirectStatus(StatusCode(response.headerLines.front()))) {
            response.redirect = true;
        }
        response.headerLines.push_back(std::move(line));
        return bytes;
    }
    const long status = response.headerLines.empty() ? 0 : StatusCode(response.headerLines.front());
    response.headersComplete = status >= 200;  // an interim block is not the response
    if (status >= 200 && !response.redirect) {
        response.verdict = CheckHeaders(response.headerLines);
        if (response.verdict) {
            return 0;  // ends the transfer: the body is not wanted
        }
    }
    return bytes;
}

// Nothing may unwind through libcurl: a failure (out of memory) ends the
// transfer instead.
size_t OnHeader(char* data, size_t size, size_t count, void* user) {
    auto& response = *static_cast<Response*>(user);
    try {
        return TakeHeaderLine(response, data, size * count);
    } catch (...) {
        response.verdict = HttpState::HeadersFailed;
        return 0;
    }
}

// The body arrives in reads of at most 4096 bytes; each is appended as a
// zero-terminated string, so a zero byte cuts the rest of its read. A body
// that cannot be stored ends like a failed read: what arrived is kept.
size_t OnBody(char* data, size_t size, size_t count, void* user) {
    auto& response = *static_cast<Response*>(user);
    const size_t bytes = size * count;
    response.bodyStarted = true;
    response.bodyBytes += bytes;
    if (response.bodyBytes > kMaxBodyBytes) {
        response.verdict = HttpState::SendFailed;
        return 0;
    }
    try {
        AppendBodyRead(response.body, data, bytes);
    } catch (...) {
        return 0;
    }
    return bytes;
}

// The caller's header lines. The request names no accept types, so libcurl's
// own "Accept: */*" is dropped unless the caller sends one. Empty when the
// list cannot be made.
std::optional<CurlList> HeaderList(std::string_view extraHeaders) {
    CurlList list;
    auto append = [&](const std::string& line) {
        curl_slist* grown = curl_slist_append(list.get(), line.c_str());
        if (grown == nullptr) {
            return false;
        }
        list.release();
        list.reset(grown);
        return true;
    };
    bool accept = false;
    while (!extraHeaders.empty()) {
        auto end = extraHeaders.find("\r\n");
        auto line = extraHeaders.substr(0, end);
        if (!line.empty()) {
            accept = accept || StartsWithNoCase(line, "Accept:");
            if (!append(std::string(line))) {
                return std::nullopt;
            }
        }
        extraHeaders =
            end == std::string_view::npos ? std::string_view() : extraHeaders.substr(end + 2);
    }
    if (!accept && !append("Accept:")) {
        return std::nullopt;
    }
    return list;
}

}  // namespace

struct HttpClient::Handles {
    // The list must outlive the handle that uses it.
    CurlList headers;
    CurlEasy request;
};

HttpClient::HttpClient() = default;
HttpClient::~HttpClient() = default;

std::string HttpClient::Get(std::string_view address, std::string_view extraHeaders) {
    Response response;
    // Each step either goes on or ends the request with its outcome.
    auto fetch = [&]() -> HttpState {
        if (address.empty()) {
            return HttpState::EmptyUrl;
        }
        const auto deadline =
            std::chrono::steady_clock::now() + CurrentTransferLimits().queryDeadline;
        m_handles.reset();
        m_handles = std::make_unique<Handles>();
        m_handles->request.reset(curl_easy_init());
        if (!m_handles->request) {
            return HttpState::OpenFailed;
        }
        CURL* curl = m_handles->request.get();
        const ParsedUrl url = ParseUrl(address);

        // Nothing is connected yet; only what cannot name a server fails here.
        int port = url.port == 0 ? (url.IsSecure() ? 443 : 80) : url.port;
        if (!IsValidHost(url.host) || port < 0 || port > 65535) {
            return HttpState::ConnectFailed;
        }
        std::string object = url.path.empty() ? std::string("/") : url.path;
        if (!url.query.empty()) {
            object += "?" + url.query;
        }
        std::string target = (url.IsSecure() ? "https://" : "http://") + url.host + ":" +
                             std::to_string(port) + object;

        auto headers = HeaderList(extraHeaders);
        if (!headers) {
            return HttpState::OpenFailed;
        }
        m_handles->headers = std::move(*headers);
        bool ok = ApplyTransferPolicy(curl);
        auto set = [&](CURLcode code) { ok = ok && code == CURLE_OK; };
        set(curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https"));
        set(curl_easy_setopt(curl, CURLOPT_USERAGENT, kHttpAgent));
        set(curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L));
        set(curl_easy_setopt(curl, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_1));
        set(curl_easy_setopt(curl, CURLOPT_HTTPHEADER, m_handles->headers.get()));
        set(curl_easy_setopt(curl, CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L));
        set(curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, OnHeader));
        set(curl_easy_setopt(curl, CURLOPT_HEADERDATA, &response));
        set(curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, OnBody));
        set(curl_easy_setopt(curl, CURLOPT_WRITEDATA, &response));
        // Redirects are followed here rather than by libcurl, so that the
        // header tests see only the final response.
        set(curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 0L));
        if (!ok) {
            return HttpState::OpenFailed;
        }

        for (int redirects = 0;; ++redirects) {
            response = Response();
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0) {
                return HttpState::SendFailed;
            }
            curl_easy_setopt(curl, CURLOPT_URL, target.c_str());
            curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, static_cast<long>(left.count()));
            const CURLcode result = curl_easy_perform(curl);
            if (response.verdict) {
                return *response.verdict;
            }
            // Unlike a stall, running out of time fails even a started body.
            if (result == CURLE_OPERATION_TIMEDOUT &&
                std::chrono::steady_clock::now() + kQueryDeadlineSlack >= deadline) {
                return HttpState::SendFailed;
            }
            if (!response.headersComplete) {
                return HttpState::SendFailed;
            }
            if (!response.redirect) {
                break;  // a read that fails in the body keeps what arrived
            }
            char* next = nullptr;
            if (result != CURLE_OK || redirects == kMaxRedirects ||
                curl_easy_getinfo(curl, CURLINFO_REDIRECT_URL, &next) != CURLE_OK ||
                next == nullptr) {
                return HttpState::SendFailed;
            }
            // A secure request never continues in plain text.
            std::string_view nextUrl(next);
            if (!nextUrl.starts_with("https://") &&
                (url.IsSecure() || !nextUrl.starts_with("http://"))) {
                return HttpState::SendFailed;
            }
            target = next;
        }
        return HttpState::Ok;
    };
    m_state = fetch();
    if (m_state != HttpState::Ok) {
        return {};
    }
    return std::move(response.body);
}

}  // namespace vantu
