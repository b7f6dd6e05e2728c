// The package download built as the product is (https only, at most 10
// redirects), with the package size limit lowered to 64 KiB so that it can
// be reached, and the test CA.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <random>

#include "platform/window/message_queue.h"
#include "tests/support/temp_dir.h"
#include "tests/support/update_server.h"
#include "tests/update/package_maker.h"
#include "update/build_settings.h"
#include "update/net/resumable_download.h"
#include "update/upgrade_messages.h"
#include "update/upgrade_worker.h"

namespace {

namespace fs = std::filesystem;
using namespace package_maker;
using testing_support::LocalUpdateServer;
using testing_support::TempDir;
using testing_support::WriteFile;

constexpr unsigned long long kLimit = 64 * 1024;

LRESULT CALLBACK IgnoreProc(HWND, UINT, WPARAM, LPARAM) {
    return 0;
}

std::string RandomBytes(size_t count) {
    std::mt19937 random(12);
    std::string bytes(count, '\0');
    for (auto& byte : bytes) {
        byte = static_cast<char>(random());
    }
    return bytes;
}

// Every file below the folder with its bytes.
std::map<std::string, std::string> Snapshot(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            files[fs::relative(entry.path(), folder).string()] =
                testing_support::ReadFile(entry.path());
        }
    }
    return files;
}

class ProductPackageAddress : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(vantu::Settings().plainPackageAddresses);
        ASSERT_EQ(vantu::Settings().maxPackageBytes, kLimit);
        ASSERT_NE(server.HttpsPort(), 0);
        fs::create_directories(payload);
        fs::create_directories(app / "sub");
        WriteFile(payload / "a.dll", "new a");
        Make7zOf(payload, server.Root() / "pkg.7z", {"a.dll"});
        WriteFile(payload / "big.dll", RandomBytes(2 * kLimit));
        Make7zOf(payload, server.Root() / "big.7z", {"big.dll"});
        ASSERT_GT(fs::file_size(server.Root() / "big.7z"), kLimit);
        WriteFile(app / "a.dll", "old a");
        WriteFile(app / "sub" / "b.dll", "old b");
        window = platform::AddWindowHandle(IgnoreProc);
    }
    void TearDown() override { platform::RemoveWindowHandle(window); }

    // Runs one upgrade and returns the result messages it posted.
    std::vector<UINT> Upgrade(const std::string& address) {
        vantu::RunUpgrade({Wide(address), L"", ""}, window, WideFolder(app));
        std::vector<UINT> results;
        MSG msg;
        while (PeekMessage(&msg, window, 0, 0, PM_REMOVE)) {
            if (msg.message != WM_UPGRADE_PROGRESS) {
                results.push_back(msg.message);
            }
        }
        return results;
    }
    // A refused address: the failure reported once, the installed files as
    // they were, and at most `kept` bytes of the package arrived.
    void ExpectRefused(const std::string& address, const std::string& package, uintmax_t kept) {
        SCOPED_TRACE(address);
        auto before = Snapshot(app);
        EXPECT_EQ(Upgrade(address), std::vector<UINT>{WM_UPGRADE_DOWNLOAD_FAILED});
        const fs::path partial = app / package;
        if (fs::exists(partial)) {
            EXPECT_LE(fs::file_size(partial), kept);
            fs::remove(partial);
        }
        EXPECT_EQ(Snapshot(app), before);
    }

    LocalUpdateServer server;
    TempDir temp;
    fs::path payload = temp / "payload";
    fs::path app = temp / "app";
    HWND window = nullptr;
};

TEST_F(ProductPackageAddress, PlainFileAndDowngradedAddressesAreRefused) {
    ExpectRefused(server.HttpUrl("/pkg.7z"), "pkg.7z", 0);
    // A file of the machine that only its owner may read is not copied.
    fs::permissions(server.Root() / "pkg.7z", fs::perms::owner_read | fs::perms::owner_write);
    ExpectRefused("file://" + (server.Root() / "pkg.7z").string(), "pkg.7z", 0);
    ExpectRefused(server.HttpsUrl("/b/redirect-http/pkg.7z"), "pkg.7z", 0);

    auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u);  // the https request that was redirected
    EXPECT_EQ(requests[0].listener, "https");
}

TEST_F(ProductPackageAddress, ARedirectLoopEndsAfterTenRedirects) {
    ExpectRefused(server.HttpsUrl("/b/redirect-loop/pkg.7z"), "pkg.7z", 0);
    auto requests = server.Requests();
    EXPECT_EQ(requests.size(), 11u);
    for (const auto& request : requests) {
        EXPECT_EQ(request.target, "/b/redirect-loop/pkg.7z");
    }
}

// Announced too long, nothing is received; not announced (chunked), the
// transfer ends before more than the limit is written.
TEST_F(ProductPackageAddress, APackageOverTheLimitIsRefused) {
    ExpectRefused(server.HttpsUrl("/big.7z"), "big.7z", 0);
    ExpectRefused(server.HttpsUrl("/b/chunked/big.7z"), "big.7z", kLimit);
}

TEST_F(ProductPackageAddress, HttpsAndRedirectsToHttpsStillUpgrade) {
    EXPECT_EQ(Upgrade(server.HttpsUrl("/b/redirect-https/pkg.7z")),
              std::vector<UINT>{WM_UPGRADE_DONE});
    EXPECT_EQ(testing_support::ReadFile(app / "a.dll"), "new a");
}

TEST_F(ProductPackageAddress, TheLimitIsTheLastByteAccepted) {
    vantu::BindCallback progress(window);
    for (const char* behaviour : {"normal", "chunked"}) {
        SCOPED_TRACE(behaviour);
        const std::string prefix = std::string("/b/") + behaviour + "/gen/";
        EXPECT_TRUE(vantu::DownloadToFile(Wide(server.HttpsUrl(prefix + std::to_string(kLimit))),
                                          Wide(temp / "at"), progress));
        EXPECT_EQ(fs::file_size(temp / "at"), kLimit);
        EXPECT_FALSE(
            vantu::DownloadToFile(Wide(server.HttpsUrl(prefix + std::to_string(kLimit + 1))),
                                  Wide(temp / "over"), progress));
        EXPECT_LE(fs::file_size(temp / "over"), kLimit);
    }
}

}  // namespace
