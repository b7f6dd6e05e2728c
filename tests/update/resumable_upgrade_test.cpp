// Upgrades whose package download breaks: retried within the run and
// continued with range requests, continued by the next run after a kill,
// and never unpacked unless the whole file arrived.

#include <gtest/gtest.h>

#include <random>
#include <thread>

#include "tests/support/deadline.h"
#include "tests/support/process.h"
#include "tests/support/update_server.h"
#include "tests/update/signature/signing_key.h"
#include "tests/update/upgrade_fixture.h"
#include "update/net/partial_download.h"
#include "update/net/transfer_policy.h"

namespace {

namespace fs = std::filesystem;
using namespace upgrade_testing;
using testing_support::LocalUpdateServer;

constexpr wchar_t kVersion[] = L"1.1.0.0";

std::string RandomBytes(size_t count, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(count, '\0');
    for (auto& byte : bytes) {
        byte = static_cast<char>(random());
    }
    return bytes;
}

class ResumableUpgrade : public UpgradeWorkerTest {
  protected:
    void SetUp() override {
        UpgradeWorkerTest::SetUp();
        ASSERT_NE(server.HttpsPort(), 0);
        // Random, so the package is about as large as its content.
        WriteFile(payload / "big.dll", RandomBytes(200 * 1000, 5));
        Make7zOf(payload, server.Root() / "pkg.7z", {"a.dll", "big.dll"});
        size = fs::file_size(server.Root() / "pkg.7z");
        vantu::TransferLimits limits;
        limits.retryPauses.assign(3, std::chrono::milliseconds(0));
        vantu::SetTransferLimitsForTesting(limits);
    }
    void TearDown() override {
        vantu::SetTransferLimitsForTesting({});
        UpgradeWorkerTest::TearDown();
    }

    std::wstring Address(const std::string& path = "/pkg.7z") const {
        return Wide(server.HttpsUrl(path));
    }
    std::uint64_t Percent(int percent) const { return size * percent / 100; }
    // One run with no retries that ends with the package cut at `offset`,
    // leaving the partial file and its record.
    void LeavePartial(std::uint64_t offset, const std::wstring& version,
                      const std::string& path = "/pkg.7z") {
        vantu::TransferLimits noRetries;
        noRetries.retryPauses.clear();
        vantu::SetTransferLimitsForTesting(noRetries);
        server.SetPackageBehaviour("cut-" + std::to_string(offset));
        results.clear();
        Upgrade({Address(path), version, ""});
        server.SetPackageBehaviour("normal");
        vantu::TransferLimits limits;
        limits.retryPauses.assign(3, std::chrono::milliseconds(0));
        vantu::SetTransferLimitsForTesting(limits);
        ASSERT_EQ(results, std::vector<UINT>{WM_UPGRADE_DOWNLOAD_FAILED});
        ASSERT_EQ(fs::file_size(app / fs::path(path).filename()), offset);
        ASSERT_TRUE(fs::exists(app / "download.partial"));
        results.clear();
        progress.clear();
    }
    // Progress never goes back and ends at the whole package.
    void ExpectSteadyProgress() const {
        ASSERT_FALSE(progress.empty());
        for (size_t i = 1; i < progress.size(); ++i) {
            ASSERT_GE(progress[i].wParam, progress[i - 1].wParam) << "message " << i;
        }
        EXPECT_EQ(progress.back().wParam, size);
        EXPECT_EQ(static_cast<std::uint64_t>(progress.back().lParam), size);
    }
    void ExpectInstalled() const {
        EXPECT_EQ(results, std::vector<UINT>{WM_UPGRADE_DONE});
        EXPECT_EQ(ReadFile(app / "big.dll"), ReadFile(payload / "big.dll"));
        EXPECT_EQ(ReadFile(app / "a.dll"), "new a");
        EXPECT_FALSE(fs::exists(app / "pkg.7z"));
        EXPECT_FALSE(fs::exists(app / "download.partial"));
    }

    LocalUpdateServer server;
    std::uint64_t size = 0;
};

TEST_F(ResumableUpgrade, BodyCutTwiceIsContinuedTwiceWithinOneUpgrade) {
    server.SetPackageBehaviour("cut-" + std::to_string(Percent(30)) + "-" +
                               std::to_string(Percent(70)));
    Upgrade({Address(), kVersion, ""});
    ExpectInstalled();
    ExpectSteadyProgress();

    auto requests = server.RequestsFor("/pkg.7z");
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_FALSE(requests[0].HasHeader("Range"));
    const std::uint64_t starts[] = {0, Percent(30), Percent(70)};
    const std::uint64_t ends[] = {Percent(30), Percent(70), size};
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(requests[i].first, static_cast<long long>(starts[i]));
        EXPECT_EQ(requests[i].sent, static_cast<long long>(ends[i] - starts[i]));
        if (i > 0) {
            EXPECT_EQ(requests[i].status, 206);
            EXPECT_EQ(requests[i].Header("Range"), "bytes=" + std::to_string(starts[i]) + "-");
            EXPECT_FALSE(requests[i].Header("If-Range").empty());
        }
    }
    EXPECT_EQ(requests[1].Header("If-Range"), requests[2].Header("If-Range"));
}

// The product's number of retries, its pauses cut to nothing: a body cut
// three times still installs; a fourth cut ends the download after exactly
// four requests, its bytes kept for the next run.
TEST_F(ResumableUpgrade, ThreeCutsAreRetriedAndAFourthEndsTheDownload) {
    vantu::TransferLimits limits;
    for (auto& pause : limits.retryPauses) {
        pause = std::chrono::milliseconds(0);
    }
    vantu::SetTransferLimitsForTesting(limits);
    auto cuts = [&](std::initializer_list<int> percents) {
        std::string behaviour = "cut";
        for (int percent : percents) {
            behaviour += "-" + std::to_string(Percent(percent));
        }
        return behaviour;
    };
    server.SetPackageBehaviour(cuts({20, 40, 60}));
    Upgrade({Address(), kVersion, ""});
    ExpectInstalled();
    ExpectSteadyProgress();
    EXPECT_EQ(server.RequestsFor("/pkg.7z").size(), 4u);

    // Each cut happens once per path: a fresh one for four cuts.
    fs::copy_file(server.Root() / "pkg.7z", server.Root() / "four.7z");
    server.SetPackageBehaviour(cuts({20, 40, 60, 80}));
    results.clear();
    Upgrade({Address("/four.7z"), kVersion, ""});
    EXPECT_EQ(results, std::vector<UINT>{WM_UPGRADE_DOWNLOAD_FAILED});
    const auto requests = server.RequestsFor("/four.7z");
    ASSERT_EQ(requests.size(), 4u);
    EXPECT_EQ(requests.back().first, static_cast<long long>(Percent(60)));
    EXPECT_EQ(requests.back().sent, static_cast<long long>(Percent(80) - Percent(60)));
    EXPECT_EQ(fs::file_size(app / "four.7z"), Percent(80));
    EXPECT_TRUE(fs::exists(app / "download.partial"));
}

// A server that answers the range with the whole content, or whose content
// changed since the first answer, starts the file over; the bar holds.
TEST_F(ResumableUpgrade, AWholeAnswerToARangeStartsTheFileOver) {
    for (const char* fault : {"no-ranges", "new-etag"}) {
        SCOPED_TRACE(fault);
        const std::string path = std::string("/") + fault + ".7z";
        fs::copy_file(server.Root() / "pkg.7z", server.Root() / (std::string(fault) + ".7z"));
        server.SetPackageBehaviour("cut-" + std::to_string(Percent(50)) + "+" + fault);
        results.clear();
        progress.clear();
        Upgrade({Address(path), kVersion, ""});
        EXPECT_EQ(results, std::vector<UINT>{WM_UPGRADE_DONE});
        EXPECT_EQ(ReadFile(app / "big.dll"), ReadFile(payload / "big.dll"));
        ExpectSteadyProgress();
        auto requests = server.RequestsFor(path);
        ASSERT_EQ(requests.size(), 2u);
        EXPECT_EQ(requests[1].status, 200);
        EXPECT_EQ(requests[1].sent, static_cast<long long>(size));
        fs::remove(app / "big.dll");
        fs::remove(app / "a.dll");
    }
}

// Not found, a certificate that is not trusted and a package whose length is
// not the announced one end the upgrade at once, the partial file deleted.
TEST_F(ResumableUpgrade, FailuresARetryCannotMendEndTheDownloadAtOnce) {
    LeavePartial(Percent(50), kVersion);
    fs::remove(server.Root() / "pkg.7z");
    Upgrade({Address(), kVersion, ""});
    EXPECT_EQ(results, std::vector<UINT>{WM_UPGRADE_DOWNLOAD_FAILED});
    auto requests = server.RequestsFor("/pkg.7z");
    ASSERT_EQ(requests.size(), 2u);  // the cut one, then one 404
    EXPECT_EQ(requests[1].Header("Range"), "bytes=" + std::to_string(Percent(50)) + "-");
    EXPECT_FALSE(fs::exists(app / "pkg.7z"));
    EXPECT_FALSE(fs::exists(app / "download.partial"));

    // Bytes of this address on disk, which a passing failure would retry.
    LocalUpdateServer untrusted({.cert = "self-signed"});
    const std::string address = untrusted.HttpsUrl("/pkg.7z");
    WriteFile(app / "download.partial",
              vantu::FormatPartialRecord({address, "1.1.0.0", "\"v\"", size}));
    WriteFile(app / "pkg.7z", "partial");
    results.clear();
    Upgrade({Wide(address), kVersion, ""});
    EXPECT_EQ(results, std::vector<UINT>{WM_UPGRADE_DOWNLOAD_FAILED});
    // A try shows there as a refused handshake, or as a request where the
    // client checks the chain only after sending (WinINet, which leaves the
    // build's own CAs to the program).
    auto tries = [&] {
        return untrusted.FailedHandshakes() + static_cast<int>(untrusted.Requests().size());
    };
    EXPECT_TRUE(testing_support::WaitUntil(testing_support::Deadline(std::chrono::seconds(5)), [&] {
        return tries() > 0;
    })) << "the server saw no try";
    // Any retry was made before the upgrade ended; give its log line time.
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(tries(), 1);
    EXPECT_FALSE(fs::exists(app / "pkg.7z"));

    Make7zOf(payload, server.Root() / "pkg.7z", {"a.dll", "big.dll"});
    server.SetPackageBehaviour("bad-length");
    results.clear();
    Upgrade({Address(), kVersion, ""});
    EXPECT_EQ(results, std::vector<UINT>{WM_UPGRADE_DOWNLOAD_FAILED});
    EXPECT_EQ(server.RequestsFor("/pkg.7z").size(), 3u);
    EXPECT_FALSE(fs::exists(app / "pkg.7z"));
    EXPECT_FALSE(fs::exists(app / "big.dll"));
}

TEST_F(ResumableUpgrade, ARunKilledHalfwayIsContinuedByTheNextForTheOtherHalf) {
    server.SetPackageBehaviour("stall-at-" + std::to_string(Percent(50)));
    testing_support::ProcessOptions options;
    options.args = {server.HttpsUrl("/pkg.7z"), app.string(), "1.1.0.0"};
    testing_support::BackgroundProcess first(
        testing_support::BinDir() / "vantu-upgrade-local" VANTU_EXE_SUFFIX, options);
    const fs::path partial = app / "pkg.7z";
    ASSERT_TRUE(testing_support::WaitUntil(testing_support::Deadline(std::chrono::seconds(20)),
                                           [&] {
                                               std::error_code error;
                                               return fs::file_size(partial, error) == Percent(50);
                                           }))
        << "the first run never held half the package";
    first.Kill();
    ASSERT_TRUE(first.Wait(std::chrono::seconds(10)).has_value());

    server.SetPackageBehaviour("normal");
    Upgrade({Address(), kVersion, ""});
    ExpectInstalled();
    ExpectSteadyProgress();
    EXPECT_GE(progress.front().wParam, Percent(50));
    auto requests = server.RequestsFor("/pkg.7z");
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[1].status, 206);
    EXPECT_EQ(requests[1].first, static_cast<long long>(Percent(50)));
    EXPECT_EQ(requests[1].sent, static_cast<long long>(size - Percent(50)));
}

// A partial file is continued only for the address and version it was
// started for; a damaged record means starting over.
TEST_F(ResumableUpgrade, APartialFileOfAnotherVersionOrAddressIsDeleted) {
    LeavePartial(Percent(40), L"1.0.0.0");
    Upgrade({Address(), kVersion, ""});
    ExpectInstalled();
    auto requests = server.RequestsFor("/pkg.7z");
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_FALSE(requests[1].HasHeader("Range"));

    fs::copy_file(server.Root() / "pkg.7z", server.Root() / "old.7z");
    LeavePartial(Percent(40), kVersion, "/old.7z");
    results.clear();
    Upgrade({Address(), kVersion, ""});
    ExpectInstalled();
    EXPECT_FALSE(fs::exists(app / "old.7z"));

    LeavePartial(Percent(60), kVersion);  // each cut happens once per path
    auto record = ReadFile(app / "download.partial");
    WriteFile(app / "download.partial", record.substr(0, record.size() - 2));
    Upgrade({Address(), kVersion, ""});
    ExpectInstalled();
    requests = server.RequestsFor("/pkg.7z");
    EXPECT_FALSE(requests.back().HasHeader("Range"));
}

// The signature is checked on the whole file, the pieces of earlier runs
// included: one byte changed on disk between runs is refused.
TEST_F(ResumableUpgrade, AResumedPackageIsCheckedWholeByItsSignature) {
    signing_testing::SigningKey vendor(temp / "vendor");
    vendor.Sign(server.Root() / "pkg.7z", "version:1.1.0.0");
    WriteFile(app / "a.dll", "old a");
    const auto installed = TreeOf(app);

    LeavePartial(Percent(50), kVersion);
    auto partial = ReadFile(app / "pkg.7z");
    partial[partial.size() / 3] ^= 1;
    WriteFile(app / "pkg.7z", partial);
    ::testing::internal::CaptureStderr();
    Upgrade({Address(), kVersion, vendor.PublicKey()});
    auto log = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(results, std::vector<UINT>{WM_UPGRADE_DOWNLOAD_FAILED});
    EXPECT_NE(log.find("package refused"), std::string::npos) << log;
    EXPECT_EQ(server.RequestsFor("/pkg.7z").back().Header("Range"),
              "bytes=" + std::to_string(Percent(50)) + "-");
    EXPECT_FALSE(fs::exists(app / "pkg.7z"));
    EXPECT_FALSE(fs::exists(app / "download.partial"));
    EXPECT_EQ(TreeOf(app), installed);

    LeavePartial(Percent(60), kVersion);
    Upgrade({Address(), kVersion, vendor.PublicKey()});
    ExpectInstalled();
    EXPECT_EQ(server.RequestsFor("/pkg.7z").back().first, static_cast<long long>(Percent(60)));
}

TEST(PartialDownloadRecord, OnlyAWellFormedRecordIsRead) {
    const vantu::PartialDownloadRecord record{"https://h/p/pkg.7z?x=1", "1.2.0.0", "\"5e-1a\"",
                                              123456};
    const std::string text = vantu::FormatPartialRecord(record);
    EXPECT_EQ(vantu::ParsePartialRecord(text), record);

    auto replaced = [&](const std::string& from, const std::string& to) {
        std::string damaged = text;
        damaged.replace(damaged.find(from), from.size(), to);
        return damaged;
    };
    for (const std::string& damaged :
         {text.substr(0, text.size() - 1), text.substr(0, text.size() / 2), text + "extra=1\n",
          replaced("length=123456", "length=12x456"), replaced("length=123456", "length=0123"),
          replaced("length=123456", "length=99999999999999999999999"),
          replaced("length=123456", "length="), replaced("\"5e-1a\"", ""),
          replaced("1.2.0.0", "1.2\r.0"), replaced("version=", "Version="),
          replaced("vantu partial download 1", "vantu partial download 2"),
          text + std::string(5000, 'x'), std::string()}) {
        SCOPED_TRACE(damaged);
        EXPECT_FALSE(vantu::ParsePartialRecord(damaged).has_value());
    }
}

}  // namespace
