#include "update/net/http_client.h"

#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <chrono>
#include <string>

#include "update/build_settings.h"
#include "update/net/http_response.h"
#include "update/net/transfer_policy.h"
#include "update/net/windows/ca_chain_check.h"
#include "update/net/windows/internet_handle.h"

namespace vantu {

struct HttpClient::Handles {
    // Closed in the reverse order: request, connection, session.
    InternetHandle session;
    InternetHandle connection;
    InternetHandle request;
};

namespace {

using Clock = std::chrono::steady_clock;

DWORD Milliseconds(std::chrono::milliseconds span) {
    return static_cast<DWORD>(std::clamp<long long>(span.count(), 1, 0x7FFFFFFF));
}

void SetTimeout(HINTERNET handle, DWORD option, std::chrono::milliseconds span) {
    DWORD value = Milliseconds(span);
    InternetSetOptionW(handle, option, &value, sizeof value);
}

// Bytes to UTF-16 one for one: host names are checked ASCII, header lines
// are the caller's 8-bit text.
std::wstring Widen(std::string_view bytes) {
    return std::wstring(bytes.begin(), bytes.end());
}

// Sends the request. When WinINet refuses the server for a CA the machine
// does not know (12045), or for not being able to learn whether a
// certificate was revoked (12057, what a private CA without revocation
// addresses gives), and the build carries CAs of its own, this one request is
// sent again with those two checks left to us; name and dates stay
// WinINet's. The chain that handshake met must then end at one of the
// build's CAs, or the request fails before its answer is read. The chain
// cannot be had from a refused handshake, so the check comes after it.
bool Send(HINTERNET request, const std::wstring& host, const std::wstring& headers) {
    auto send = [&] {
        return HttpSendRequestW(request, headers.empty() ? nullptr : headers.c_str(),
                                static_cast<DWORD>(headers.size()), nullptr, 0) != FALSE;
    };
    if (send()) {
        return true;
    }
    const DWORD error = GetLastError();
    if ((error != ERROR_INTERNET_INVALID_CA && error != ERROR_INTERNET_SEC_CERT_REV_FAILED) ||
        Settings().caCertificates[0] == '\0') {
        return false;
    }
    DWORD flags = 0;
    DWORD size = sizeof flags;
    if (!InternetQueryOptionW(request, INTERNET_OPTION_SECURITY_FLAGS, &flags, &size)) {
        return false;
    }
    flags |= SECURITY_FLAG_IGNORE_UNKNOWN_CA | SECURITY_FLAG_IGNORE_REVOCATION;
    if (!InternetSetOptionW(request, INTERNET_OPTION_SECURITY_FLAGS, &flags, sizeof flags)) {
        return false;
    }
    return send() && ServerChainsToBuildCa(request, host);
}

// How long the next call may wait for data: the stall limit, or less when
// the deadline is nearer. Past the deadline the request has failed: unlike
// a stall, running out of time fails even a started body.
void LimitNextWait(HINTERNET request, Clock::time_point deadline, std::chrono::milliseconds stall) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) {
        throw HttpState::SendFailed;
    }
    SetTimeout(request, INTERNET_OPTION_RECEIVE_TIMEOUT, std::min(left, stall));
}

std::wstring QueryText(HINTERNET request, DWORD info) {
    std::wstring text(1024, L'\0');
    DWORD bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (!HttpQueryInfoW(request, info, text.data(), &bytes, nullptr)) {
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
            return {};
        }
        text.assign(bytes / sizeof(wchar_t) + 1, L'\0');
        if (!HttpQueryInfoW(request, info, text.data(), &bytes, nullptr)) {
            return {};
        }
    }
    text.resize(bytes / sizeof(wchar_t));
    return text;
}

// Where a redirect leads, resolved against the address it came from; empty
// when the answer is no redirect.
std::string RedirectTarget(HINTERNET request, const std::string& from) {
    DWORD status = 0;
    DWORD size = sizeof status;
    if (!HttpQueryInfoW(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size,
                        nullptr) ||
        !IsRedirectStatus(static_cast<long>(status))) {
        return {};
    }
    const std::wstring location = QueryText(request, HTTP_QUERY_LOCATION);
    if (location.empty()) {
        return {};
    }
    std::wstring combined(INTERNET_MAX_URL_LENGTH, L'\0');
    DWORD length = static_cast<DWORD>(combined.size());
    if (!InternetCombineUrlW(Widen(from).c_str(), location.c_str(), combined.data(), &length,
                             ICU_NO_ENCODE)) {
        return {};
    }
    combined.resize(length);
    std::string target;
    for (wchar_t c : combined) {
        if (c > 0x7E || c < 0x21) {
            return {};  // an address is plain ASCII
        }
        target.push_back(static_cast<char>(c));
    }
    return target;
}

}  // namespace

HttpClient::HttpClient() = default;
HttpClient::~HttpClient() = default;

std::string HttpClient::Get(std::string_view address, std::string_view extraHeaders) {
    std::string body;
    try {
        if (address.empty()) {
            throw HttpState::EmptyUrl;
        }
        const TransferLimits limits = CurrentTransferLimits();
        const auto deadline = Clock::now() + limits.queryDeadline;
        m_handles.reset();
        auto handles = std::make_unique<Handles>();
        const std::wstring agent = Widen(kHttpAgent);
        handles->session.reset(
            InternetOpenW(agent.c_str(), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
        if (!handles->session) {
            throw HttpState::OpenFailed;
        }
        SetTimeout(handles->session.get(), INTERNET_OPTION_CONNECT_TIMEOUT, limits.connect);
        SetTimeout(handles->session.get(), INTERNET_OPTION_SEND_TIMEOUT, limits.stall);
        const std::wstring headers = Widen(extraHeaders);

        const bool secureStart = ParseUrl(address).IsSecure();
        std::string target(address);
        for (int redirects = 0;; ++redirects) {
            const ParsedUrl url = ParseUrl(target);
            const int port = url.port == 0 ? (url.IsSecure() ? 443 : 80) : url.port;
            if (!IsValidHost(url.host) || port < 0 || port > 65535) {
                throw HttpState::ConnectFailed;
            }
            const std::wstring host = Widen(url.host);
            std::string object = url.path.empty() ? std::string("/") : url.path;
            if (!url.query.empty()) {
                object += "?" + url.query;
            }
            handles->request.reset();
            handles->connection.reset(InternetConnectW(handles->session.get(), host.c_str(),
                                                       static_cast<INTERNET_PORT>(port), nullptr,
                                                       nullptr, INTERNET_SERVICE_HTTP, 0, 0));
            if (!handles->connection) {
                throw HttpState::ConnectFailed;
            }
            // Redirects are followed here, so that only the final answer's
            // headers are tested and a secure request never goes plain.
            DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE |
                          INTERNET_FLAG_NO_COOKIES | INTERNET_FLAG_NO_AUTH | INTERNET_FLAG_NO_UI |
                          INTERNET_FLAG_NO_AUTO_REDIRECT;
            if (url.IsSecure()) {
                flags |= INTERNET_FLAG_SECURE | INTERNET_FLAG_KEEP_CONNECTION;
            }
            const std::wstring objectName = Widen(object);
            handles->request.reset(HttpOpenRequestW(handles->connection.get(), L"GET",
                                                    objectName.c_str(), L"HTTP/1.1", nullptr,
                                                    nullptr, flags, 0));
            if (!handles->request) {
                throw HttpState::OpenFailed;
            }
            HINTERNET request = handles->request.get();
            LimitNextWait(request, deadline, limits.stall);
            if (!Send(request, host, headers)) {
                throw HttpState::SendFailed;
            }
            const std::string next = RedirectTarget(request, target);
            if (next.empty()) {
                break;
            }
            const bool allowed =
                next.starts_with("https://") || (!secureStart && next.starts_with("http://"));
            if (redirects == kMaxRedirects || !allowed) {
                throw HttpState::SendFailed;
            }
            target = next;
        }

        HINTERNET request = handles->request.get();
        std::wstring raw(kHeaderBufferBytes / sizeof(wchar_t), L'\0');
        DWORD rawBytes = kHeaderBufferBytes;
        if (!HttpQueryInfoW(request, HTTP_QUERY_RAW_HEADERS, raw.data(), &rawBytes, nullptr)) {
            throw HttpState::HeadersFailed;
        }
        if (raw.find(L"404") != std::wstring::npos) {
            throw HttpState::NotFound;
        }
        char buffer[kBodyReadBytes];
        size_t received = 0;
        for (;;) {
            LimitNextWait(request, deadline, limits.stall);
            DWORD read = 0;
            if (!InternetReadFile(request, buffer, sizeof buffer, &read)) {
                if (Clock::now() >= deadline) {
                    throw HttpState::SendFailed;
                }
                break;  // a read that fails in the body keeps what arrived
            }
            if (read == 0) {
                break;
            }
            received += read;
            if (received > kMaxBodyBytes) {
                throw HttpState::SendFailed;
            }
            AppendBodyRead(body, buffer, read);
        }
        m_handles = std::move(handles);
        m_state = HttpState::Ok;
        return body;
    } catch (HttpState state) {
        m_state = state;
    }
    return {};
}

}  // namespace vantu
