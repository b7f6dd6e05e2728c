#pragma once

// The limits every transfer to the update server keeps, shared by the version
// query and the package download on both systems: give up on connections that
// cannot be made or that stop delivering data, follow few redirects, and take
// no package past the build's size limit. How each HTTP library is held to
// them is in linux/ and windows/.

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

// libcurl's clock may end a transfer a little before ours does: a time-out
// this close to the query deadline counts as the deadline.
inline constexpr std::chrono::milliseconds kQueryDeadlineSlack{50};

// The limits in force for the whole process.
TransferLimits CurrentTransferLimits();

// Test-only: shorter limits and pauses, so that stalls and retries can be
// tested in seconds. Not called by the programs.
void SetTransferLimitsForTesting(const TransferLimits& limits);

// A package of this many bytes, announced or received, is within the
// package size limit.
bool FitsPackageLimit(std::uint64_t bytes);

}  // namespace vantu
