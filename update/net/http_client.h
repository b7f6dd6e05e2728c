#pragma once

// One HTTP or HTTPS GET whose body comes back as bytes with an outcome code.
// Small on purpose: no status interpretation beyond a "404" test, no retries.
// libcurl carries it on Linux (linux/), WinINet on Windows (windows/).

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace vantu {

enum class HttpState : int32_t {
    Ok = 0,
    OpenFailed = 1,
    ConnectFailed = 2,
    SendFailed = 3,
    HeadersFailed = 4,
    NotFound = 5,
    EmptyUrl = 14,
};

struct ParsedUrl {
    std::string scheme;  // "https", "http" or empty
    std::string host;
    int port = 0;
    std::string path;   // from the first "/" after the authority, without query and fragment
    std::string query;  // after the path's first "?"

    bool IsSecure() const { return scheme == "https"; }
};

ParsedUrl ParseUrl(std::string_view address);

class HttpClient {
  public:
    HttpClient();
    ~HttpClient();
    HttpClient(const HttpClient&) = delete;
    HttpClient& operator=(const HttpClient&) = delete;

    // Sends the request and returns the body; State() tells whether it is
    // meaningful. `extraHeaders` are header lines separated by CRLF. A
    // request that outlasts the query deadline (transfer_policy.h) or whose
    // body passes 64 KiB ends as SendFailed.
    std::string Get(std::string_view address, std::string_view extraHeaders = {});

    HttpState State() const { return m_state; }

  private:
    // The system's handles of the last request, kept after Get until the
    // next Get or the destructor, like the request's connection.
    struct Handles;
    std::unique_ptr<Handles> m_handles;
    HttpState m_state = HttpState::Ok;
};

}  // namespace vantu
