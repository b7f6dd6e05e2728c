#pragma once

// What every libcurl transfer to the update server must do: verify the
// server's certificate chain and host name (system store plus the CAs the
// build carries) and keep the transfer limits (transfer_policy.h).

#include <curl/curl.h>

#include "update/net/transfer_policy.h"

namespace vantu {

// Turns on peer and host-name verification against the system store plus
// Settings().caCertificates (when set) and applies CurrentTransferLimits(). Also
// sets CURLOPT_NOSIGNAL, as the download runs on its own thread. Which
// protocols and redirects are allowed is the caller's choice. False when
// libcurl refused an option.
bool ApplyTransferPolicy(CURL* handle);

// What a package address may be, from the build settings: https only,
// redirects only to https and at most 10 (with plainPackageAddresses also
// http and file, redirects also to http), and no package announced larger
// than maxPackageBytes (or `maxBytes`, for the files that go with a package).
// False when libcurl refused an option.
bool ApplyPackagePolicy(CURL* handle);
bool ApplyPackagePolicy(CURL* handle, unsigned long long maxBytes);

// A write callback in front of another that ends the transfer (by writing
// nothing) before more than `maxBytes` would be passed on, for the files
// that go with a package, whose length is not announced or not kept to.
class PackageSizeLimit {
  public:
    PackageSizeLimit(curl_write_callback next, void* nextData, unsigned long long maxBytes);
    static size_t Write(char* data, size_t size, size_t count, void* limit);

  private:
    curl_write_callback m_next;
    void* m_nextData;
    unsigned long long m_bytesLeft;
};

}  // namespace vantu
