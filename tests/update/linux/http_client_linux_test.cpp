// The HTTP client's cases that hold on Linux alone: POSIX sockets, and the
// proxy that libcurl takes from the environment (WinINet takes the system's
// configuration instead).

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <optional>

#include "tests/support/update_server.h"
#include "update/net/http_client.h"
#include "update/net/transfer_policy.h"

namespace vantu {
namespace {

using testing_support::LocalUpdateServer;

class ShortConnectLimit : public testing::Test {
  protected:
    void SetUp() override {
        SetTransferLimitsForTesting({std::chrono::milliseconds(300), std::chrono::seconds(30)});
    }
    void TearDown() override { SetTransferLimitsForTesting(TransferLimits()); }
};

// A listening socket that never accepts: the TCP connection is made by the
// kernel, the TLS handshake never answered.
TEST_F(ShortConnectLimit, UnansweredHandshakeEndsAtTheConnectLimit) {
    int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    ASSERT_GE(fd, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(listen(fd, 4), 0);
    ASSERT_EQ(getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length), 0);

    HttpClient client;
    const auto start = std::chrono::steady_clock::now();
    client.Get("https://127.0.0.1:" + std::to_string(ntohs(address.sin_port)) + "/x");
    EXPECT_EQ(client.State(), HttpState::SendFailed);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    close(fd);
}

// Sets an environment variable for one test.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const std::string& value) : m_name(name) {
        if (const char* old = std::getenv(name)) {
            m_old = old;
        }
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() {
        if (m_old) {
            setenv(m_name, m_old->c_str(), 1);
        } else {
            unsetenv(m_name);
        }
    }

  private:
    const char* m_name;
    std::optional<std::string> m_old;
};

TEST(HttpClient, UsesTheEnvironmentsProxy) {
    LocalUpdateServer server;  // its plain port plays the proxy
    ScopedEnv proxy("http_proxy", "http://127.0.0.1:" + std::to_string(server.HttpPort()));
    ScopedEnv noProxy("no_proxy", "");
    ScopedEnv noProxyUpper("NO_PROXY", "");
    HttpClient client;
    EXPECT_EQ(client.Get("http://proxied.invalid/gen/5"), "abcde");
    EXPECT_EQ(client.State(), HttpState::Ok);
    auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].listener, "http");
    EXPECT_EQ(requests[0].target, "http://proxied.invalid/gen/5");
}

}  // namespace
}  // namespace vantu
