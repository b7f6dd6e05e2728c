#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>

#include "tests/support/update_server.h"
#include "tests/update/signature/signing_key.h"
#include "tests/update/upgrade_fixture.h"
#include "update/signature/signature_error.h"

namespace {

namespace fs = std::filesystem;
using namespace package_maker;
using signing_testing::SigningKey;
using testing_support::ReadFile;
using testing_support::WriteFile;
using upgrade_testing::TreeOf;
using upgrade_testing::UpgradeWorkerTest;
using vantu::SignatureError;

constexpr const char* kSignedFor = "version:1.2.0.0";

class SignedUpgradeTest : public UpgradeWorkerTest {
  protected:
    void SetUp() override {
        UpgradeWorkerTest::SetUp();
        WriteFile(app / "a.dll", "old a");
        fs::create_directories(app / "sub");
        WriteFile(app / "sub" / "b.dll", "old b");
    }

    // A package of the payload in `folder`, signed with `key`.
    void SignedPackage(const fs::path& folder, const SigningKey& key,
                       const std::string& comment) const {
        fs::remove(folder / "pkg.7z");
        Make7zOf(payload, folder / "pkg.7z", {"a.dll", "sub/b.dll"});
        key.Sign(folder / "pkg.7z", comment);
    }

    // Runs the upgrade of version 1.2.0.0 with the vendor's key; returns
    // what it wrote on standard error.
    std::string SignedUpgrade(const std::wstring& address) {
        ::testing::internal::CaptureStderr();
        Upgrade({address, L"1.2.0.0", vendor.PublicKey()});
        return ::testing::internal::GetCapturedStderr();
    }

    SigningKey vendor{temp / "vendor"};
    SigningKey other{temp / "other"};
    fs::path package = server / "pkg.7z";
    fs::path signature = server / "pkg.7z.minisig";
};

TEST_F(SignedUpgradeTest, APackageSignedForTheAnnouncedVersionInstalls) {
    testing_support::LocalUpdateServer updateServer;
    ASSERT_NE(updateServer.HttpsPort(), 0);
    SignedPackage(updateServer.Root(), vendor, kSignedFor);
    auto log = SignedUpgrade(Wide(updateServer.HttpsUrl("/pkg.7z")));
    EXPECT_EQ(results, std::vector<UINT>{WM_UPGRADE_DONE}) << log;
    EXPECT_EQ(ReadFile(app / "a.dll"), "new a");
    EXPECT_EQ(ReadFile(app / "sub" / "b.dll"), "new b");
    EXPECT_FALSE(fs::exists(app / "pkg.7z"));
    auto requests = updateServer.Requests();
    EXPECT_TRUE(std::any_of(requests.begin(), requests.end(),
                            [](const auto& r) { return r.target == "/pkg.7z.minisig"; }));
}

// Sent without a length, an oversized signature file is cut off as it arrives.
TEST_F(SignedUpgradeTest, AnUnannouncedOversizedSignatureIsRefused) {
    testing_support::LocalUpdateServer updateServer;
    ASSERT_NE(updateServer.HttpsPort(), 0);
    SignedPackage(updateServer.Root(), vendor, kSignedFor);
    const auto signatureFile = updateServer.Root() / "pkg.7z.minisig";
    auto bytes = ReadFile(signatureFile);
    bytes.insert(bytes.find('\n'), 64 * 1024, 'x');
    WriteFile(signatureFile, bytes);
    const auto installed = TreeOf(app);
    auto log = SignedUpgrade(Wide(updateServer.HttpsUrl("/b/chunked/pkg.7z")));
    EXPECT_EQ(results, std::vector<UINT>{WM_UPGRADE_DOWNLOAD_FAILED});
    EXPECT_NE(log.find(vantu::DescribeSignatureError(SignatureError::NoSignatureFile)),
              std::string::npos)
        << log;
    EXPECT_EQ(TreeOf(app), installed);
}

TEST_F(SignedUpgradeTest, EveryBrokenSignatureLeavesTheInstallationUntouched) {
    auto editSignature = [&](const std::function<void(std::string&)>& edit) {
        auto bytes = ReadFile(signature);
        edit(bytes);
        WriteFile(signature, bytes);
    };
    struct Case {
        const char* name;
        std::function<void()> prepare;
        SignatureError expected;
    };
    const Case cases[] = {
        {"package changed by one byte",
         [&] {
             SignedPackage(server, vendor, kSignedFor);
             auto bytes = ReadFile(package);
             bytes[bytes.size() / 2] ^= 1;
             WriteFile(package, bytes);
         },
         SignatureError::BadSignature},
        {"signed by another key", [&] { SignedPackage(server, other, kSignedFor); },
         SignatureError::OtherKey},
        {"no signature",
         [&] {
             SignedPackage(server, vendor, kSignedFor);
             fs::remove(signature);
         },
         SignatureError::NoSignatureFile},
        {"an older signed package replayed",
         [&] {
             WriteFile(payload / "a.dll", "older a, with a known hole");
             SignedPackage(server, vendor, "version:1.1.0.0");
             WriteFile(payload / "a.dll", "new a");
         },
         SignatureError::OtherVersion},
        {"signature file truncated",
         [&] {
             SignedPackage(server, vendor, kSignedFor);
             editSignature([](std::string& s) { s.resize(s.size() / 2); });
         },
         SignatureError::MalformedSignatureFile},
        {"signature file over 4 KiB",
         [&] {
             SignedPackage(server, vendor, kSignedFor);
             editSignature([](std::string& s) { s.insert(s.find('\n'), 4096, 'x'); });
         },
         SignatureError::NoSignatureFile},
        {"trusted comment altered",
         [&] {
             SignedPackage(server, vendor, "version:1.1.0.0");
             editSignature([](std::string& s) {
                 auto at = s.find("version:1.1.0.0");
                 s.replace(at, 15, kSignedFor);
             });
         },
         SignatureError::BadCommentSignature},
        {"legacy whole-file signature",
         [&] {
             fs::remove(package);
             Make7zOf(payload, package, {"a.dll", "sub/b.dll"});
             vendor.Sign(package, kSignedFor, {"-l"});
         },
         SignatureError::LegacyAlgorithm},
    };
    const auto installed = TreeOf(app);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.prepare();
        results.clear();
        auto log = SignedUpgrade(FileAddress(package));
        EXPECT_EQ(results, std::vector<UINT>{WM_UPGRADE_DOWNLOAD_FAILED});
        EXPECT_NE(
            log.find(std::string("package refused: ") + vantu::DescribeSignatureError(c.expected)),
            std::string::npos)
            << log;
        EXPECT_FALSE(fs::exists(app / "pkg.7z"));
        EXPECT_EQ(TreeOf(app), installed);
    }
}

}  // namespace
