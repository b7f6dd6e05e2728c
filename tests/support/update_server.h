#pragma once

// The local update server (tools/update_server/update_server.py) run for one
// test: HTTPS with a certificate from the test CA (VANTU_BUILD_DIR/test-pki,
// the bundle the test programs are built with), plus a plain HTTP port. Under
// wine too: the server runs on the host (host_program.h) and is reached as
// https://localhost.

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tests/support/host_program.h"
#include "tests/support/temp_dir.h"

namespace testing_support {

struct UpdateServerOptions {
    int port = 0;                      // 0: any free port
    std::string cert = "good";         // good, other-name, expired, self-signed
    std::string behaviour = "normal";  // of the version address
    std::filesystem::path pki = {};    // the certificates' folder; empty: PkiDir()
};

struct RecordedRequest {
    std::string listener;  // "https" or "http"
    std::string method;
    std::string target;
    std::string version;
    std::vector<std::pair<std::string, std::string>> headers;
    // The answer, for content the server serves with ranges (0 / -1 when
    // it logged none): status, first byte and body bytes sent.
    int status = 0;
    long long first = -1;
    long long sent = -1;

    // The first header of that name (case-insensitive); empty when none.
    std::string Header(std::string_view name) const;
    bool HasHeader(std::string_view name) const;
};

class LocalUpdateServer {
  public:
    explicit LocalUpdateServer(const UpdateServerOptions& options = {});

    int HttpsPort() const { return m_httpsPort; }
    int HttpPort() const { return m_httpPort; }
    std::string HttpsUrl(std::string_view path) const;
    std::string HttpUrl(std::string_view path) const;
    // The name its addresses use: localhost under wine, whose WinINet
    // matches no addresses in certificates; 127.0.0.1 elsewhere.
    static std::string Host();

    // The served folder: clientVersion.json and the packages.
    const std::filesystem::path& Root() const { return m_root.path(); }
    void SetVersionAnswer(std::string_view body) const;
    // Behaviour of the version address from the next request on.
    void SetVersionBehaviour(std::string_view behaviour) const;
    // Behaviour of every other address without /b/, from the next request on.
    void SetPackageBehaviour(std::string_view behaviour) const;

    std::vector<RecordedRequest> Requests() const;
    // The requests for one target, in order.
    std::vector<RecordedRequest> RequestsFor(std::string_view target) const;
    // TLS handshakes that failed (a client refusing the certificate).
    int FailedHandshakes() const;

    static std::filesystem::path PkiDir();
    static std::filesystem::path Script();

  private:
    TempDir m_root;
    std::filesystem::path m_log;
    std::unique_ptr<HostProgram> m_process;
    int m_httpsPort = 0;
    int m_httpPort = 0;
};

// Bytes the server sends for /gen/<count>[z<zeroAt>].
std::string GeneratedBytes(size_t count);

}  // namespace testing_support
