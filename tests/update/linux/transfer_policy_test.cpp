#include "update/net/linux/curl_transfer_policy.h"

#include <gtest/gtest.h>

#include <chrono>

#include "tests/support/update_server.h"
#include "update/net/linux/curl_handle.h"

namespace vantu {
namespace {

using testing_support::LocalUpdateServer;
using testing_support::UpdateServerOptions;

size_t Discard(char*, size_t size, size_t count, void*) {
    return size * count;
}

// A bare handle with the policy, as the package download uses it.
CURLcode Fetch(const std::string& url) {
    CurlEasy handle(curl_easy_init());
    EXPECT_TRUE(ApplyTransferPolicy(handle.get()));
    curl_easy_setopt(handle.get(), CURLOPT_URL, url.c_str());
    curl_easy_setopt(handle.get(), CURLOPT_WRITEFUNCTION, Discard);
    return curl_easy_perform(handle.get());
}

TEST(TransferPolicy, TrustsTheBuildTimeBundleAndVerifiesNames) {
    LocalUpdateServer good;
    EXPECT_EQ(Fetch(good.HttpsUrl("/gen/10")), CURLE_OK);
    for (const char* cert : {"other-name", "expired", "self-signed"}) {
        LocalUpdateServer bad(UpdateServerOptions{.cert = cert});
        EXPECT_EQ(Fetch(bad.HttpsUrl("/gen/10")), CURLE_PEER_FAILED_VERIFICATION) << cert;
    }
}

TEST(TransferPolicy, StalledTransferEndsAtTheLimit) {
    SetTransferLimitsForTesting({std::chrono::milliseconds(2000), std::chrono::seconds(1)});
    EXPECT_EQ(CurrentTransferLimits().stall, std::chrono::seconds(1));
    LocalUpdateServer server;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Fetch(server.HttpsUrl("/b/stall/")), CURLE_OPERATION_TIMEDOUT);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(4));
    SetTransferLimitsForTesting(TransferLimits());
    EXPECT_EQ(CurrentTransferLimits().stall, std::chrono::seconds(60));
    EXPECT_EQ(CurrentTransferLimits().connect, std::chrono::milliseconds(60000));
}

}  // namespace
}  // namespace vantu
