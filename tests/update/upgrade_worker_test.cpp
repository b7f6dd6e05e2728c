#include "update/upgrade_worker.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "platform/files/file_system.h"
#include "platform/window/message_queue.h"
#include "tests/support/file_mark.h"
#include "tests/support/process.h"
#include "tests/support/temp_dir.h"
#include "tests/support/update_server.h"
#include "tests/update/package_maker.h"
#include "tests/update/upgrade_fixture.h"
#include "update/net/download.h"
#include "update/net/transfer_policy.h"
#include "update/upgrade_messages.h"

namespace {

namespace fs = std::filesystem;
using namespace package_maker;
using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

using upgrade_testing::UpgradeWorkerTest;

TEST_F(UpgradeWorkerTest, InstalledFilesAreMovedAsideThenDeleted) {
    WriteFile(app / "a.dll", "old a");
    WriteFile(app / "_a.dll", "someone's");
    fs::create_directories(app / "sub");
    WriteFile(app / "sub" / "b.dll", "old b");
    WriteFile(app / "pkg.7z", "an earlier partial download");
    Upgrade7z();
    EXPECT_EQ(results, std::vector<UINT>{WM_UPGRADE_DONE});
    EXPECT_EQ(ReadFile(app / "a.dll"), "new a");
    EXPECT_EQ(ReadFile(app / "sub" / "b.dll"), "new b");
    EXPECT_EQ(ReadFile(app / "_a.dll"), "someone's");
    EXPECT_FALSE(fs::exists(app / "__a.dll"));
    EXPECT_FALSE(fs::exists(app / "sub" / "_b.dll"));
    EXPECT_FALSE(fs::exists(app / "temp"));
    EXPECT_FALSE(fs::exists(app / "pkg.7z"));
    ASSERT_FALSE(progress.empty());
    auto size = fs::file_size(server / "pkg.7z");
    EXPECT_EQ(progress.back().wParam, size);
    EXPECT_EQ(static_cast<std::uintmax_t>(progress.back().lParam), size);
}

TEST_F(UpgradeWorkerTest, UndeletableSetAsideFilesAreListedInTemp) {
    WriteFile(app / "a.dll", "old a");
    WriteFile(app / "_a.dll", "someone's");
    fs::create_directories(app / "sub");
    WriteFile(app / "sub" / "b.dll", "old b");
    platform::FileFaults::Set(platform::FileOperation::Delete, App("__a.dll"));
    platform::FileFaults::Set(platform::FileOperation::Delete, App("sub/_b.dll"));
    Upgrade7z();
    EXPECT_EQ(results, std::vector<UINT>{WM_UPGRADE_DONE});
    EXPECT_EQ(ReadFile(app / "temp"), "__a.dll|sub/_b.dll");
    EXPECT_EQ(ReadFile(app / "__a.dll"), "old a");
    EXPECT_EQ(ReadFile(app / "a.dll"), "new a");
}

TEST_F(UpgradeWorkerTest, AnInstalledFolderIsMovedAsideWholeThenDeleted) {
    fs::remove(payload / "a.dll");
    fs::create_directories(app / "sub");
    WriteFile(app / "sub" / "b.dll", "old b");
    WriteFile(app / "sub" / "kept.txt", "old");
    Make7z(payload, server / "pkg.7z");  // with the folder item "sub"
    Upgrade(FileAddress(server / "pkg.7z"));
    EXPECT_EQ(results, std::vector<UINT>{WM_UPGRADE_DONE});
    EXPECT_FALSE(fs::exists(app / "_sub"));
    EXPECT_FALSE(fs::exists(app / "temp"));
    EXPECT_EQ(ReadFile(app / "sub" / "b.dll"), "new b");
    EXPECT_FALSE(fs::exists(app / "sub" / "kept.txt"));

    // One that cannot be deleted is listed after what the list held.
    WriteFile(app / "temp", "_old.dll");
    platform::FileFaults::Set(platform::FileOperation::Delete, App("_sub"));
    results.clear();
    Upgrade(FileAddress(server / "pkg.7z"));
    EXPECT_EQ(results, std::vector<UINT>{WM_UPGRADE_DONE});
    EXPECT_EQ(ReadFile(app / "temp"), "_old.dll|_sub");
    EXPECT_EQ(ReadFile(app / "_sub" / "b.dll"), "new b");
}

TEST_F(UpgradeWorkerTest, AFileThatCannotBeMovedAsideLeavesTheInstallationAsItWas) {
    WriteFile(app / "a.dll", "old a");
    fs::create_directories(app / "sub");
    WriteFile(app / "sub" / "b.dll", "old b");
    platform::FileFaults::Set(platform::FileOperation::Move, App("sub/b.dll"));
    Upgrade7z();
    EXPECT_EQ(results, std::vector<UINT>{WM_UPGRADE_EXTRACT_FAILED});
    EXPECT_EQ(ReadFile(app / "a.dll"), "old a");
    EXPECT_EQ(ReadFile(app / "sub" / "b.dll"), "old b");
    EXPECT_FALSE(fs::exists(app / "_a.dll"));
    EXPECT_TRUE(fs::exists(app / "pkg.7z"));
}

TEST_F(UpgradeWorkerTest, AFailurePartWayRestoresThePreviousFilesExactly) {
    std::string oldA = "old a \x01\x02\xff binary";
    WriteFile(app / "a.dll", oldA);
    testing_support::MarkFile(app / "a.dll");
    ASSERT_TRUE(testing_support::IsMarked(app / "a.dll"));
    fs::create_directories(app / "sub");
    WriteFile(app / "sub" / "b.dll", "old b");
    fs::create_directories(payload / "new" / "deep");
    WriteFile(payload / "new" / "deep" / "c.dll", "new c");
    WriteFile(payload / "d.dll", "new d");
    Make7z(payload, server / "pkg.7z");
    for (const char* failing : {"d.dll", "new/deep/c.dll", "a.dll"}) {
        SCOPED_TRACE(failing);
        results.clear();
        platform::FileFaults::Clear();
        platform::FileFaults::Set(platform::FileOperation::Write, App(failing));
        Upgrade(FileAddress(server / "pkg.7z"));
        EXPECT_EQ(results, std::vector<UINT>{WM_UPGRADE_EXTRACT_FAILED});
        EXPECT_EQ(ReadFile(app / "a.dll"), oldA);
        EXPECT_EQ(ReadFile(app / "sub" / "b.dll"), "old b");
        EXPECT_TRUE(testing_support::IsMarked(app / "a.dll"));
        std::vector<std::string> left;
        for (const auto& entry : fs::recursive_directory_iterator(app)) {
            left.push_back(fs::relative(entry.path(), app).generic_string());
        }
        std::sort(left.begin(), left.end());
        EXPECT_EQ(left, (std::vector<std::string>{"a.dll", "pkg.7z", "sub", "sub/b.dll"}));
    }
}

TEST_F(UpgradeWorkerTest, HostileOrLinkPackagesChangeNothing) {
    WriteFile(app / "a.dll", "old a");
    Make7z(payload, server / "dots.7z");
    RenameItem(server / "dots.7z", "sub/b.dll", "../x");
    Upgrade(FileAddress(server / "dots.7z"));
    EXPECT_EQ(results, std::vector<UINT>{WM_UPGRADE_EXTRACT_FAILED});
    EXPECT_FALSE(fs::exists(temp / "x"));

    Make7zWithLink(payload, server / "link.7z", "sub/up", temp.path());
    results.clear();
    Upgrade(FileAddress(server / "link.7z"));
    EXPECT_EQ(results, std::vector<UINT>{WM_UPGRADE_EXTRACT_FAILED});
    EXPECT_EQ(ReadFile(app / "a.dll"), "old a");
    EXPECT_FALSE(fs::exists(app / "_a.dll"));
    EXPECT_FALSE(fs::exists(app / "sub"));
}

TEST_F(UpgradeWorkerTest, AnItemWithoutANameFailsBeforeAnythingIsUnpacked) {
    WriteFile(app / "VantuSpeedUp.exe", "old booster");
    MakeLzma(payload / "a.dll", server / "pkg.lzma");
    Upgrade(FileAddress(server / "pkg.lzma"));
    EXPECT_EQ(results, std::vector<UINT>{WM_UPGRADE_EXTRACT_FAILED});
    EXPECT_EQ(ReadFile(app / "VantuSpeedUp.exe"), "old booster");
    EXPECT_FALSE(fs::exists(app / "[Content]"));
}

TEST_F(UpgradeWorkerTest, DownloadFailuresAreReportedOnce) {
    for (std::wstring address : {FileAddress(server / "missing.7z"), std::wstring(),
                                 FileAddress(server) + L"/", std::wstring(L"ftp://x/pkg.7z")}) {
        results.clear();
        Upgrade(address);
        EXPECT_EQ(results, std::vector<UINT>{WM_UPGRADE_DOWNLOAD_FAILED});
    }
    EXPECT_TRUE(fs::is_directory(app));
}

TEST_F(UpgradeWorkerTest, ACorruptPackageFailsAndStays) {
    WriteFile(app / "a.dll", "old a");
    Make7z(payload, server / "pkg.7z");
    auto bytes = ReadFile(server / "pkg.7z");
    WriteFile(server / "pkg.7z", bytes.substr(0, bytes.size() - 40));
    Upgrade(FileAddress(server / "pkg.7z"));
    EXPECT_EQ(results, std::vector<UINT>{WM_UPGRADE_EXTRACT_FAILED});
    EXPECT_EQ(ReadFile(app / "a.dll"), "old a");
    EXPECT_TRUE(fs::exists(app / "pkg.7z"));
}

TEST_F(UpgradeWorkerTest, ProgressWithAnUnknownTotalIsStillPosted) {
    vantu::BindCallback(window).OnProgress(1234, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, window, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_UPGRADE_PROGRESS);
    EXPECT_EQ(msg.wParam, 1234u);
    EXPECT_EQ(msg.lParam, 0);
}

TEST_F(UpgradeWorkerTest, DownloadsFromTheUpdateServerUnderItsTransferPolicy) {
    testing_support::LocalUpdateServer server;
    ASSERT_NE(server.HttpsPort(), 0);
    Make7zOf(payload, server.Root() / "pkg.7z", {"a.dll", "sub/b.dll"});
    auto address = [&](const std::string& path) { return Wide(server.HttpsUrl(path)); };

    Upgrade(address("/missing.7z"));
    EXPECT_EQ(results, std::vector<UINT>{WM_UPGRADE_DOWNLOAD_FAILED});

    results.clear();
    Upgrade(address("/b/redirect-http/pkg.7z"));
    EXPECT_EQ(results, std::vector<UINT>{WM_UPGRADE_DONE});
    EXPECT_EQ(ReadFile(app / "a.dll"), "new a");
    EXPECT_FALSE(fs::exists(app / "pkg.7z"));

    // A server that stops answering is given up after the stall time.
    vantu::SetTransferLimitsForTesting({std::chrono::milliseconds(5000), std::chrono::seconds(1)});
    results.clear();
    Upgrade(address("/b/stall/pkg.7z"));
    vantu::SetTransferLimitsForTesting({});
    EXPECT_EQ(results, std::vector<UINT>{WM_UPGRADE_DOWNLOAD_FAILED});
}

TEST_F(UpgradeWorkerTest, AServerOutsideTheTrustedCertificatesIsRefused) {
    testing_support::LocalUpdateServer server({.cert = "self-signed"});
    ASSERT_NE(server.HttpsPort(), 0);
    Make7zOf(payload, server.Root() / "pkg.7z", {"a.dll", "sub/b.dll"});
    Upgrade(Wide(server.HttpsUrl("/pkg.7z")));
    EXPECT_EQ(results, std::vector<UINT>{WM_UPGRADE_DOWNLOAD_FAILED});
    EXPECT_FALSE(fs::exists(app / "a.dll"));
}

// The tests' command takes file addresses; the product's refuses them.
TEST_F(UpgradeWorkerTest, HeadlessCommandRunsOneUpgrade) {
    Make7z(payload, server / "pkg.7z");
    testing_support::ProcessOptions options;
    options.args = {"file://" + (server / "pkg.7z").string(), app.string()};
    auto result = testing_support::RunProcess(
        testing_support::BinDir() / "vantu-upgrade" VANTU_EXE_SUFFIX, options);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.out.find("WM_UPGRADE_DOWNLOAD_FAILED\n"), std::string::npos);
    EXPECT_FALSE(fs::exists(app / "a.dll"));

    const auto local = testing_support::BinDir() / "vantu-upgrade-local" VANTU_EXE_SUFFIX;
    result = testing_support::RunProcess(local, options);
    EXPECT_EQ(result.exitCode, 0) << result.out << result.err;
    // The folder as given, then "/" and the item's name, on both systems.
    EXPECT_NE(result.out.find("FileDone:" + app.string() + "/sub/b.dll\n"), std::string::npos);
    EXPECT_TRUE(std::regex_search(result.out, std::regex("progress [0-9]+/[0-9]+\n")));
    EXPECT_NE(result.out.find("WM_UPGRADE_DONE\n"), std::string::npos);
    EXPECT_EQ(ReadFile(app / "a.dll"), "new a");

    options.args = {"file://" + (server / "missing.7z").string(), app.string()};
    result = testing_support::RunProcess(local, options);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.out.find("WM_UPGRADE_DOWNLOAD_FAILED\n"), std::string::npos);
}

}  // namespace
