#include "update/net/http_client.h"

#include <strings.h>
#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

#include "update/net/transfer_policy.h"

namespace vantu {

namespace {

constexpr char kAgent[] = "Http-connect";
// The raw header block must fit this many bytes as UTF-16 text.
constexpr size_t kHeaderBufferBytes = 4096;
constexpr size_t kReadChunk = 4096;
// The version answer is a few hundred bytes of JSON; anything far larger is
// not read into memory.
constexpr size_t kMaxBodyBytes = 64 * 1024;

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

long StatusCode(const std::string& statusLine) {
    auto space = statusLine.find(' ');
    return space == std::string::npos ? 0
                                      : std::strtol(statusLine.c_str() + space + 1, nullptr, 10);
}

bool IsRedirectStatus(long status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           strncasecmp(text.data(), prefix.data(), prefix.size()) == 0;
}

// The tests made on the final response's headers before its body is read.
// The block is measured as the platform's raw-header text: every line
// followed by a terminator, one more at the end, two bytes per character.
std::optional<HttpState> CheckHeaders(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) {
        text += line;
        text += '\0';
    }
    text += '\0';
    if (text.size() * 2 > kHeaderBufferBytes) {
        return HttpState::HeadersFailed;
    }
    if (text.find("404") != std::string::npos) {
        return HttpState::NotFound;
    }
    return std::nullopt;
}

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
        for (size_t offset = 0; offset < bytes; offset += kReadChunk) {
            const size_t length = std::min(kReadChunk, bytes - offset);
            response.body.append(data + offset, strnlen(data + offset, length));
        }
    } catch (...) {
        return 0;
    }
    return bytes;
}

bool IsValidHost(const std::string& host) {
    if (host.empty()) {
        return false;
    }
    for (unsigned char c : host) {
        if (!std::isalnum(c) && c != '-' && c != '.' && c != '_') {
            return false;
        }
    }
    return true;
}

// The caller's header lines. The request names no accept types, so libcurl's
// own "Accept: */*" is dropped unless the caller sends one.
CurlList HeaderList(std::string_view extraHeaders) {
    CurlList list;
    auto append = [&](const std::string& line) {
        curl_slist* grown = curl_slist_append(list.get(), line.c_str());
        if (grown == nullptr) {
            throw HttpState::OpenFailed;
        }
        list.release();
        list.reset(grown);
    };
    bool accept = false;
    while (!extraHeaders.empty()) {
        auto end = extraHeaders.find("\r\n");
        auto line = extraHeaders.substr(0, end);
        if (!line.empty()) {
            accept = accept || StartsWithNoCase(line, "Accept:");
            append(std::string(line));
        }
        extraHeaders =
            end == std::string_view::npos ? std::string_view() : extraHeaders.substr(end + 2);
    }
    if (!accept) {
        append("Accept:");
    }
    return list;
}

}  // namespace

ParsedUrl ParseUrl(std::string_view address) {
    size_t schemeLength = 0;
    if (address.starts_with("https://")) {
        schemeLength = 8;
    } else if (address.starts_with("http://")) {
        schemeLength = 7;
    }
    size_t slash = address.find('/', schemeLength + 1);
    std::string_view authority = address.substr(
        std::min(schemeLength, address.size()),
        slash == std::string_view::npos ? std::string_view::npos : slash - schemeLength);
    std::string_view rawPath =
        slash == std::string_view::npos ? std::string_view() : address.substr(slash);
    rawPath = rawPath.substr(0, rawPath.find('#'));

    ParsedUrl url;
    auto colon = authority.find(':');
    url.host = std::string(authority.substr(0, colon));
    std::string portText =
        colon == std::string_view::npos ? std::string() : std::string(authority.substr(colon + 1));
    if (schemeLength > 0) {
        url.scheme = std::string(address.substr(0, schemeLength - 3));
    }
    auto question = rawPath.find('?');
    if (question != std::string_view::npos) {
        url.query = std::string(rawPath.substr(question + 1));
    }
    url.path = std::string(rawPath.substr(0, question));
    if (!portText.empty()) {
        url.port = std::atoi(portText.c_str());
    } else {
        url.port = url.IsSecure() ? 443 : 80;
    }
    return url;
}

void HttpClient::Close() {
    m_request.reset();
    m_headers.reset();
}

std::string HttpClient::Get(std::string_view address, std::string_view extraHeaders) {
    Response response;
    try {
        if (address.empty()) {
            throw HttpState::EmptyUrl;
        }
        const auto deadline =
            std::chrono::steady_clock::now() + CurrentTransferLimits().queryDeadline;
        Close();
        m_request.reset(curl_easy_init());
        if (!m_request) {
            throw HttpState::OpenFailed;
        }
        CURL* curl = m_request.get();
        const ParsedUrl url = ParseUrl(address);

        // Nothing is connected yet; only what cannot name a server fails here.
        int port = url.port == 0 ? (url.IsSecure() ? 443 : 80) : url.port;
        if (!IsValidHost(url.host) || port < 0 || port > 65535) {
            throw HttpState::ConnectFailed;
        }
        std::string object = url.path.empty() ? std::string("/") : url.path;
        if (!url.query.empty()) {
            object += "?" + url.query;
        }
        std::string target = (url.IsSecure() ? "https://" : "http://") + url.host + ":" +
                             std::to_string(port) + object;

        m_headers = HeaderList(extraHeaders);
        bool ok = ApplyTransferPolicy(curl);
        auto set = [&](CURLcode code) { ok = ok && code == CURLE_OK; };
        set(curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https"));
        set(curl_easy_setopt(curl, CURLOPT_USERAGENT, kAgent));
        set(curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L));
        set(curl_easy_setopt(curl, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_1));
        set(curl_easy_setopt(curl, CURLOPT_HTTPHEADER, m_headers.get()));
        set(curl_easy_setopt(curl, CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L));
        set(curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, OnHeader));
        set(curl_easy_setopt(curl, CURLOPT_HEADERDATA, &response));
        set(curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, OnBody));
        set(curl_easy_setopt(curl, CURLOPT_WRITEDATA, &response));
        // Redirects are followed here rather than by libcurl, so that the
        // header tests see only the final response.
        set(curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 0L));
        if (!ok) {
            throw HttpState::OpenFailed;
        }

        for (int redirects = 0;; ++redirects) {
            response = Response();
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0) {
                throw HttpState::SendFailed;
            }
            curl_easy_setopt(curl, CURLOPT_URL, target.c_str());
            curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, static_cast<long>(left.count()));
            const CURLcode result = curl_easy_perform(curl);
            if (response.verdict) {
                throw *response.verdict;
            }
            // Unlike a stall, running out of time fails even a started body.
            if (result == CURLE_OPERATION_TIMEDOUT &&
                std::chrono::steady_clock::now() + kQueryDeadlineSlack >= deadline) {
                throw HttpState::SendFailed;
            }
            if (!response.headersComplete) {
                throw HttpState::SendFailed;
            }
            if (!response.redirect) {
                break;  // a read that fails in the body keeps what arrived
            }
            char* next = nullptr;
            if (result != CURLE_OK || redirects == kMaxRedirects ||
                curl_easy_getinfo(curl, CURLINFO_REDIRECT_URL, &next) != CURLE_OK ||
                next == nullptr) {
                throw HttpState::SendFailed;
            }
            // A secure request never continues in plain text.
            std::string_view nextUrl(next);
            if (!nextUrl.starts_with("https://") &&
                (url.IsSecure() || !nextUrl.starts_with("http://"))) {
                throw HttpState::SendFailed;
            }
            target = next;
        }
        m_state = HttpState::Ok;
        return std::move(response.body);
    } catch (HttpState state) {
        m_state = state;
    }
    return {};
}

}  // namespace vantu
