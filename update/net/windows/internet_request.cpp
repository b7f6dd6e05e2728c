#include "update/net/windows/internet_request.h"

#include <algorithm>

#include "update/build_settings.h"
#include "update/net/http_response.h"
#include "update/net/transfer_policy.h"
#include "update/net/windows/ca_chain_check.h"

namespace vantu {

namespace {

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

}  // namespace

InternetHandle OpenInternetSession() {
    const TransferLimits limits = CurrentTransferLimits();
    const std::wstring agent = Widen(kHttpAgent);
    InternetHandle session(
        InternetOpenW(agent.c_str(), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (session) {
        SetTimeout(session.get(), INTERNET_OPTION_CONNECT_TIMEOUT, limits.connect);
        SetTimeout(session.get(), INTERNET_OPTION_SEND_TIMEOUT, limits.stall);
        SetTimeout(session.get(), INTERNET_OPTION_RECEIVE_TIMEOUT, limits.stall);
    }
    return session;
}

void SetTimeout(HINTERNET handle, DWORD option, std::chrono::milliseconds span) {
    DWORD value = static_cast<DWORD>(std::clamp<long long>(span.count(), 1, 0x7FFFFFFF));
    InternetSetOptionW(handle, option, &value, sizeof value);
}

std::wstring Widen(std::string_view bytes) {
    return std::wstring(bytes.begin(), bytes.end());
}

DWORD RequestFlags(bool secure) {
    DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_COOKIES |
                  INTERNET_FLAG_NO_AUTH | INTERNET_FLAG_NO_UI | INTERNET_FLAG_NO_AUTO_REDIRECT;
    if (secure) {
        flags |= INTERNET_FLAG_SECURE | INTERNET_FLAG_KEEP_CONNECTION;
    }
    return flags;
}

// When WinINet refuses the server for a CA the machine does not know
// (12045), or for not being able to learn whether a certificate was revoked
// (12057, what a private CA without revocation addresses gives), and the
// build carries CAs of its own, this one request is sent again with those
// two checks left to us. The chain that handshake met must then end at one
// of the build's CAs, or the request fails before its answer is read. The
// chain cannot be had from a refused handshake, so the check comes after it.
bool SendTrusted(HINTERNET request, const std::wstring& host, const std::wstring& headers) {
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
    if (!send()) {
        return false;
    }
    if (!ServerChainsToBuildCa(request, host)) {
        SetLastError(ERROR_INTERNET_INVALID_CA);
        return false;
    }
    return true;
}

long AnswerStatus(HINTERNET request) {
    DWORD status = 0;
    DWORD size = sizeof status;
    if (!HttpQueryInfoW(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size,
                        nullptr)) {
        return 0;
    }
    return static_cast<long>(status);
}

std::string RedirectTarget(HINTERNET request, const std::string& from) {
    if (!IsRedirectStatus(AnswerStatus(request))) {
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

bool ReadArrived(HINTERNET request, char* buffer, DWORD size, DWORD* read) {
    *read = 0;
    DWORD available = 0;
    if (!InternetQueryDataAvailable(request, &available, 0, 0)) {
        return false;
    }
    if (available == 0) {
        return true;
    }
    return InternetReadFile(request, buffer, std::min(available, size), read) != FALSE;
}

}  // namespace vantu
