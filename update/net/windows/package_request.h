#pragma once

// One GET of a package address (or of a file that goes with a package) over
// WinINet under the package policy: https only (with plainPackageAddresses
// also http, and file addresses read from the disk), at most kMaxRedirects
// redirects with each target held to the same rule, the build's CAs checked
// with crypt32, and the stall limit on every wait for data.

#include <windows.h>
#include <wininet.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "update/net/package_answer.h"

namespace vantu {

struct PackageRequestSinks {
    // The final answer's header lines (status line first), one at a time;
    // then the end of the headers, whose false keeps the body unread.
    std::function<void(std::string_view line)> header;
    std::function<bool()> headersEnd;
    // The body as it arrives; false stops the request.
    std::function<bool(const char* data, std::size_t size)> body;
    // Body bytes so far and the announced length (0: unknown).
    std::function<void(std::uint64_t received, std::uint64_t total)> progress;
};

// `headers` are extra request header lines, each ending in CRLF. An answer
// that is neither content (2xx) nor an error status gives its headers and
// Delivered, with no body read.
RequestEnd SendPackageRequest(HINTERNET session, const std::string& url, const std::string& headers,
                              const PackageRequestSinks& sinks);

}  // namespace vantu
