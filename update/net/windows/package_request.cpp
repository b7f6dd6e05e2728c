#include "update/net/windows/package_request.h"

#include <vector>

#include "platform/files/file_system.h"
#include "platform/text/text_codec.h"
#include "update/build_settings.h"
#include "update/net/http_client.h"
#include "update/net/http_response.h"
#include "update/net/transfer_policy.h"
#include "update/net/windows/internet_request.h"

namespace vantu {

namespace {

constexpr DWORD kBufferSize = 256 * 1024;
constexpr std::string_view kFileScheme = "file://";

bool IsAllowedAddress(const std::string& url) {
    return url.starts_with("https://") ||
           (Settings().plainPackageAddresses && url.starts_with("http://"));
}

// Failures that say nothing about the package, only about the way to it.
RequestEnd EndOfFailure(DWORD error) {
    switch (error) {
        case ERROR_INTERNET_TIMEOUT:
        case ERROR_INTERNET_NAME_NOT_RESOLVED:
        case ERROR_INTERNET_CANNOT_CONNECT:
        case ERROR_INTERNET_CONNECTION_ABORTED:
        case ERROR_INTERNET_CONNECTION_RESET:
        case ERROR_INTERNET_SECURITY_CHANNEL_ERROR:
        case ERROR_HTTP_INVALID_SERVER_RESPONSE:
            return RequestEnd::Passing;
        default:
            return RequestEnd::Refused;
    }
}

std::wstring RawHeaders(HINTERNET request) {
    DWORD bytes = 0;
    HttpQueryInfoW(request, HTTP_QUERY_RAW_HEADERS_CRLF, nullptr, &bytes, nullptr);
    std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
    if (!HttpQueryInfoW(request, HTTP_QUERY_RAW_HEADERS_CRLF, text.data(), &bytes, nullptr)) {
        return {};
    }
    text.resize(bytes / sizeof(wchar_t));
    return text;
}

std::uint64_t ContentLength(HINTERNET request) {
    ULONGLONG length = 0;
    DWORD size = sizeof length;
    if (!HttpQueryInfoW(request, HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER64, &length,
                        &size, nullptr)) {
        return 0;
    }
    return length;
}

// A file address of the tests and the demo (file://C:\x or file:///C:/x),
// read from the disk as a whole, links refused.
RequestEnd ReadFileAddress(const std::string& url, const PackageRequestSinks& sinks) {
    std::string path = url.substr(kFileScheme.size());
    if (path.size() > 2 && path[0] == '/' && path[2] == ':') {
        path.erase(0, 1);
    }
    const auto widePath = platform::DecodeUtf8(path);
    if (!widePath) {
        return RequestEnd::Refused;
    }
    const auto bytes = platform::ReadFileBytes(*widePath, platform::Links::Refuse);
    if (!bytes) {
        return RequestEnd::Refused;
    }
    // Answered like a server that has the whole file, as libcurl does.
    sinks.header("HTTP/1.1 200 OK");
    sinks.header("Content-Length: " + std::to_string(bytes->size()));
    if (!sinks.headersEnd()) {
        return RequestEnd::Stopped;
    }
    if (!bytes->empty() && !sinks.body(bytes->data(), bytes->size())) {
        return RequestEnd::Stopped;
    }
    sinks.progress(bytes->size(), bytes->size());
    return RequestEnd::Delivered;
}

}  // namespace

RequestEnd SendPackageRequest(HINTERNET session, const std::string& url, const std::string& headers,
                              const PackageRequestSinks& sinks) {
    if (url.starts_with(kFileScheme) && Settings().plainPackageAddresses) {
        return ReadFileAddress(url, sinks);
    }
    const std::wstring wideHeaders = Widen(headers);
    std::string target = url;
    InternetHandle connection;
    InternetHandle request;
    for (int redirects = 0;; ++redirects) {
        if (!IsAllowedAddress(target)) {
            return RequestEnd::Refused;
        }
        const ParsedUrl parts = ParseUrl(target);
        const int port = parts.port == 0 ? (parts.IsSecure() ? 443 : 80) : parts.port;
        if (!IsValidHost(parts.host) || port < 0 || port > 65535) {
            return RequestEnd::Refused;
        }
        std::string object = parts.path.empty() ? std::string("/") : parts.path;
        if (!parts.query.empty()) {
            object += "?" + parts.query;
        }
        const std::wstring host = Widen(parts.host);
        const std::wstring objectName = Widen(object);
        request.reset();
        connection.reset(InternetConnectW(session, host.c_str(), static_cast<INTERNET_PORT>(port),
                                          nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
        if (!connection) {
            return RequestEnd::Refused;
        }
        request.reset(HttpOpenRequestW(connection.get(), L"GET", objectName.c_str(), L"HTTP/1.1",
                                       nullptr, nullptr, RequestFlags(parts.IsSecure()), 0));
        if (!request) {
            return RequestEnd::Refused;
        }
        SetTimeout(request.get(), INTERNET_OPTION_RECEIVE_TIMEOUT, CurrentTransferLimits().stall);
        if (!SendTrusted(request.get(), host, wideHeaders)) {
            return EndOfFailure(GetLastError());
        }
        const std::string next = RedirectTarget(request.get(), target);
        if (next.empty()) {
            break;
        }
        if (redirects == kMaxRedirects) {
            return RequestEnd::Refused;
        }
        target = next;
    }

    const std::string raw = platform::EncodeUtf8(RawHeaders(request.get()));
    for (size_t begin = 0; begin < raw.size();) {
        const size_t end = std::min(raw.find("\r\n", begin), raw.size());
        if (end > begin) {
            sinks.header(std::string_view(raw).substr(begin, end - begin));
        }
        begin = end + 2;
    }
    const long status = AnswerStatus(request.get());
    if (status >= 400) {
        return RequestEnd::HttpError;
    }
    if (status < 200 || status >= 300) {
        return RequestEnd::Delivered;
    }
    if (!sinks.headersEnd()) {
        return RequestEnd::Stopped;
    }
    const std::uint64_t length = ContentLength(request.get());
    sinks.progress(0, length);
    std::vector<char> buffer(kBufferSize);
    std::uint64_t received = 0;
    for (;;) {
        DWORD read = 0;
        if (!ReadArrived(request.get(), buffer.data(), kBufferSize, &read)) {
            return EndOfFailure(GetLastError());
        }
        if (read == 0) {
            return RequestEnd::Delivered;
        }
        if (!sinks.body(buffer.data(), read)) {
            return RequestEnd::Stopped;
        }
        received += read;
        sinks.progress(received, length);
    }
}

}  // namespace vantu
