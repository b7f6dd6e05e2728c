#include "update/net/http_client.h"

#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <chrono>
#include <string>

#include "update/build_settings.h"
#include "update/net/http_response.h"
#include "update/net/transfer_policy.h"
#include "update/net/windows/internet_request.h"

namespace vantu {

struct HttpClient::Handles {
    // Closed in the reverse order: request, connection, session.
    InternetHandle session;
    InternetHandle connection;
    InternetHandle request;
};

namespace {

using Clock = std::chrono::steady_clock;

// How long the next call may wait for data: the stall limit, or less when
// the deadline is nearer. False past the deadline, where the request has
// failed: unlike a stall, running out of time fails even a started body.
bool LimitNextWait(HINTERNET request, Clock::time_point deadline, std::chrono::milliseconds stall) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) {
        return false;
    }
    SetTimeout(request, INTERNET_OPTION_RECEIVE_TIMEOUT, std::min(left, stall));
    return true;
}

}  // namespace

HttpClient::HttpClient() = default;
HttpClient::~HttpClient() = default;

std::string HttpClient::Get(std::string_view address, std::string_view extraHeaders) {
    std::string body;
    // Each step either goes on or ends the request with its outcome.
    auto fetch = [&]() -> HttpState {
        if (address.empty()) {
            return HttpState::EmptyUrl;
        }
        const TransferLimits limits = CurrentTransferLimits();
        const auto deadline = Clock::now() + limits.queryDeadline;
        m_handles.reset();
        auto handles = std::make_unique<Handles>();
        handles->session = OpenInternetSession();
        if (!handles->session) {
            return HttpState::OpenFailed;
        }
        const std::wstring headers = Widen(extraHeaders);

        const bool secureStart = ParseUrl(address).IsSecure();
        std::string target(address);
        for (int redirects = 0;; ++redirects) {
            const ParsedUrl url = ParseUrl(target);
            const int port = url.port == 0 ? (url.IsSecure() ? 443 : 80) : url.port;
            if (!IsValidHost(url.host) || port < 0 || port > 65535) {
                return HttpState::ConnectFailed;
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
                return HttpState::ConnectFailed;
            }
            // Redirects are followed here, so that only the final answer's
            // headers are tested and a secure request never goes plain.
            const std::wstring objectName = Widen(object);
            handles->request.reset(HttpOpenRequestW(handles->connection.get(), L"GET",
                                                    objectName.c_str(), L"HTTP/1.1", nullptr,
                                                    nullptr, RequestFlags(url.IsSecure()), 0));
            if (!handles->request) {
                return HttpState::OpenFailed;
            }
            HINTERNET request = handles->request.get();
            if (!LimitNextWait(request, deadline, limits.stall) ||
                !SendTrusted(request, host, headers)) {
                return HttpState::SendFailed;
            }
            const std::string next = RedirectTarget(request, target);
            if (next.empty()) {
                break;
            }
            const bool allowed =
                next.starts_with("https://") || (!secureStart && next.starts_with("http://"));
            if (redirects == kMaxRedirects || !allowed) {
                return HttpState::SendFailed;
            }
            target = next;
        }

        HINTERNET request = handles->request.get();
        std::wstring raw(kHeaderBufferBytes / sizeof(wchar_t), L'\0');
        DWORD rawBytes = kHeaderBufferBytes;
        if (!HttpQueryInfoW(request, HTTP_QUERY_RAW_HEADERS, raw.data(), &rawBytes, nullptr)) {
            return HttpState::HeadersFailed;
        }
        if (raw.find(L"404") != std::wstring::npos) {
            return HttpState::NotFound;
        }
        char buffer[kBodyReadBytes];
        size_t received = 0;
        for (;;) {
            if (!LimitNextWait(request, deadline, limits.stall)) {
                return HttpState::SendFailed;
            }
            DWORD read = 0;
            if (!ReadArrived(request, buffer, sizeof buffer, &read)) {
                if (Clock::now() >= deadline) {
                    return HttpState::SendFailed;
                }
                break;  // a read that fails in the body keeps what arrived
            }
            if (read == 0) {
                break;
            }
            received += read;
            if (received > kMaxBodyBytes) {
                return HttpState::SendFailed;
            }
            AppendBodyRead(body, buffer, read);
        }
        m_handles = std::move(handles);
        return HttpState::Ok;
    };
    m_state = fetch();
    if (m_state != HttpState::Ok) {
        return {};
    }
    return body;
}

}  // namespace vantu
