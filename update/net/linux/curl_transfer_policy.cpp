#include "update/net/linux/curl_transfer_policy.h"

#include <string_view>

#include "update/build_settings.h"

namespace vantu {

bool ApplyTransferPolicy(CURL* handle) {
    const TransferLimits limits = CurrentTransferLimits();
    bool ok = true;
    auto set = [&](CURLcode code) { ok = ok && code == CURLE_OK; };

    set(curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L));
    set(curl_easy_setopt(handle, CURLOPT_SSL_VERIFYPEER, 1L));
    set(curl_easy_setopt(handle, CURLOPT_SSL_VERIFYHOST, 2L));
    // The build's certificates replace libcurl's default file; the system
    // store stays in use through the default CA path (the hashed
    // /etc/ssl/certs on Debian).
    const std::string_view certificates = Settings().caCertificates;
    if (!certificates.empty()) {
        curl_blob blob{const_cast<char*>(certificates.data()), certificates.size(),
                       CURL_BLOB_NOCOPY};
        set(curl_easy_setopt(handle, CURLOPT_CAINFO_BLOB, &blob));
    }
    set(curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS,
                         static_cast<long>(limits.connect.count())));
    // "Below one byte a second for the stall time" is libcurl's way of
    // saying "nothing arrived"; it covers waiting for the headers too.
    set(curl_easy_setopt(handle, CURLOPT_LOW_SPEED_LIMIT, 1L));
    set(curl_easy_setopt(handle, CURLOPT_LOW_SPEED_TIME, static_cast<long>(limits.stall.count())));
    return ok;
}

bool ApplyPackagePolicy(CURL* handle) {
    return ApplyPackagePolicy(handle, Settings().maxPackageBytes);
}

bool ApplyPackagePolicy(CURL* handle, unsigned long long maxBytes) {
    const bool plain = Settings().plainPackageAddresses;
    bool ok = true;
    auto set = [&](CURLcode code) { ok = ok && code == CURLE_OK; };
    set(curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, plain ? "http,https,file" : "https"));
    // A redirect never leads to a file address.
    set(curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS_STR, plain ? "http,https" : "https"));
    set(curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L));
    set(curl_easy_setopt(handle, CURLOPT_MAXREDIRS, static_cast<long>(kMaxRedirects)));
    set(curl_easy_setopt(handle, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(maxBytes)));
    return ok;
}

PackageSizeLimit::PackageSizeLimit(curl_write_callback next, void* nextData,
                                   unsigned long long maxBytes)
    : m_next(next), m_nextData(nextData), m_bytesLeft(maxBytes) {}

size_t PackageSizeLimit::Write(char* data, size_t size, size_t count, void* limit) {
    auto& self = *static_cast<PackageSizeLimit*>(limit);
    const size_t bytes = size * count;
    if (bytes > self.m_bytesLeft) {
        return 0;
    }
    self.m_bytesLeft -= bytes;
    return self.m_next(data, size, count, self.m_nextData);
}

}  // namespace vantu
