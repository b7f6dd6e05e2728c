#pragma once

// What every transfer to the update server must do, shared by the version
// query and the package download: verify the server's certificate chain and
// host name (system store plus the CA bundle fixed at build time), and give up
// on connections that cannot be made or that stop delivering data.

#include <curl/curl.h>

#include <chrono>
#include <cstdint>
#include <vector>

namespace vantu {

struct TransferLimits {
    // Connecting, TLS handshake included.
    std::chrono::milliseconds connect{60000};
    // A transfer that receives nothing for this long ends (libcurl checks
    // once a second, so this is whole seconds).
    std::chrono::seconds stall{60};
    // The version query as a whole, redirects included: a server that
    // trickles its answer must not hold the launcher before any window.
    std::chrono::milliseconds queryDeadline{60000};
    // Pauses before each new request of a package download that broke after
    // data arrived; one retry per pause.
    std::vector<std::chrono::milliseconds> retryPauses{
        std::chrono::seconds(1), std::chrono::seconds(2), std::chrono::seconds(4)};
};

// Redirects followed by the version query and the package download.
inline constexpr int kMaxRedirects = 10;

// The limits in force for the whole process.
TransferLimits CurrentTransferLimits();

// Test-only: shorter limits and pauses, so that stalls and retries can be
// tested in seconds. Not called by the programs.
void SetTransferLimitsForTesting(const TransferLimits& limits);

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

// A package of this many bytes, announced or received, is within the
// package size limit.
bool FitsPackageLimit(std::uint64_t bytes);

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
