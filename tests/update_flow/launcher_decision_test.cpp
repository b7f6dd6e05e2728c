// The launcher program built against the local update server (the build's port,
// test CA), started in a folder of its own next to the demo booster, without
// a display: its message boxes answer on standard error, and its upgrade
// window runs unseen.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "launcher/startup/installed_version.h"

#include "tests/support/launcher_folder.h"
#include "tests/support/process.h"
#include "tests/support/temp_dir.h"
#include "tests/support/update_server.h"
#include "tests/update/package_maker.h"
#include "update/build_settings.h"

namespace {

using namespace std::chrono_literals;
using testing::HasSubstr;
using testing::Not;
using testing_support::BinDir;
using testing_support::LocalUpdateServer;
using testing_support::ProcessOptions;
using testing_support::ProcessResult;
using testing_support::ReadFile;
using testing_support::RunProcess;
using testing_support::TempDir;
using testing_support::UpdateServerOptions;

namespace fs = std::filesystem;

class LauncherDecision : public testing_support::LauncherFolderTest {
  protected:
    LauncherDecision() {
        fs::copy_file(BinDir() / "VantuLauncherLocal", m_folder / "VantuLauncher");
        fs::copy_file(BinDir() / "VantuSpeedUp.exe", m_folder / "VantuSpeedUp.exe");  // 1.0.0.0
        // The home page opener: notes the address it was given.
        testing_support::WriteFile(m_opener / "xdg-open",
                                   "#!/bin/sh\necho \"$1\" >> \"$(dirname \"$0\")/opened\"\n");
        fs::permissions(m_opener / "xdg-open", fs::perms::owner_all);
    }

    // A package of the demo booster at `version`, served by `server`; its address.
    static std::string ServeBoosterPackage(const LocalUpdateServer& server,
                                           const std::string& version) {
        TempDir payload;
        testing_support::ProcessOptions options;
        options.args = {"set", (BinDir() / "VantuSpeedUp.exe").string(),
                        (payload / "VantuSpeedUp.exe").string(), version};
        EXPECT_EQ(RunProcess(BinDir() / "vantu-versioninfo", options).exitCode, 0);
        package_maker::Make7z(payload.path(), server.Root() / "booster.7z");
        return server.HttpsUrl("/booster.7z");
    }

    static std::string UpgradeAnswer(const std::string& version, const std::string& address) {
        return R"({"Code":0,"Data":{"LatestVersion":")" + version +
               R"(","UpdateContent":"a|b","DownloadUrl":")" + address + R"("}})";
    }

    ProcessResult RunInFolder() override { return RunLauncher(); }

    ProcessResult RunLauncher(const std::vector<std::string>& moreEnv = {}) {
        ProcessOptions options;
        const char* path = std::getenv("PATH");
        // No display of any kind, as on a machine without one: the windows
        // cannot be shown (not even on the offscreen driver SDL falls back to).
        options.env = {
            "VANTU_BOOSTER_RECORD=" + m_record.string(),
            "DISPLAY=", "WAYLAND_DISPLAY=", "SDL_VIDEODRIVER=",
            "PATH=" + m_opener.path().string() + ":" + (path != nullptr ? path : "/usr/bin:/bin")};
        options.env.insert(options.env.end(), moreEnv.begin(), moreEnv.end());
        options.directory = m_cwd.path();
        options.timeout = 10s;
        return RunProcess(m_folder / "VantuLauncher", options);
    }

    // The addresses the home page opener got (it is not waited for either).
    std::string OpenedPages(std::chrono::milliseconds wait) const {
        return testing_support::ReadLinesOnceWritten(m_opener / "opened", wait);
    }

    std::wstring InstalledBoosterVersion() const {
        std::wstring version;
        vantu::QueryFileVersion(package_maker::Wide(m_folder / "VantuSpeedUp.exe"), version);
        return version;
    }

    TempDir m_opener;
};

TEST_F(LauncherDecision, EqualVersionsStartTheBooster) {
    auto server = StartServer(R"({"Code":0,"Data":{"LatestVersion":"1.0.0.0","DownloadUrl":"u"}})");
    auto result = RunLauncher();
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(BoosterRecord(3s),
              "cwd " + m_cwd.path().string() + "\narg -show\narg -oemid:178\nend\n");
    auto requests = server->Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].target, "/v1/oem/clientVersion?oemId=178");
    EXPECT_EQ(requests[0].Header("User-Agent"), "Http-connect");
}

// The start-up trace the first-frame benchmark reads: the milestones in
// their order, at times that do not go back; without a display the windows
// module is not loaded, not even ahead.
TEST_F(LauncherDecision, StartupTraceListsTheMilestonesInOrder) {
    auto server = StartServer(R"({"Code":0,"Data":{"LatestVersion":"1.0.0.0","DownloadUrl":"u"}})");
    const fs::path trace = m_scratch / "trace";
    testing_support::WriteFile(trace, "");
    EXPECT_EQ(RunLauncher({"VANTU_STARTUP_TRACE=" + trace.string()}).exitCode, 0);
    EXPECT_THAT(BoosterRecord(3s), HasSubstr("arg -show"));
    std::istringstream lines(ReadFile(trace));
    std::vector<std::string> said;
    long long previous = 0;
    long long at = 0;
    for (std::string what; lines >> at && std::getline(lines, what);) {
        EXPECT_GE(at, previous) << what;
        previous = at;
        said.push_back(what);
    }
    EXPECT_THAT(said,
                testing::ElementsAre(" launcher entered", " checks done, version query starts",
                                     " version answer read"));
}

// A trace file is only ever appended to, never made.
TEST_F(LauncherDecision, StartupTraceNamingNoFileMakesNone) {
    auto server = StartServer(R"({"Code":0,"Data":{"LatestVersion":"1.0.0.0","DownloadUrl":"u"}})");
    const fs::path trace = m_scratch / "no-trace";
    EXPECT_EQ(RunLauncher({"VANTU_STARTUP_TRACE=" + trace.string()}).exitCode, 0);
    EXPECT_THAT(BoosterRecord(3s), HasSubstr("arg -show"));
    EXPECT_FALSE(fs::exists(trace));
}

TEST_F(LauncherDecision, NonZeroCodeStartsTheBoosterEvenWhenOlder) {
    auto server = StartServer(R"({"Code":1,"Msg":"later","Data":{"LatestVersion":"9.9.9.9"}})");
    auto result = RunLauncher();
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_THAT(BoosterRecord(3s), HasSubstr("arg -oemid:178"));
    EXPECT_THAT(result.err, Not(HasSubstr("upgrade")));
}

TEST_F(LauncherDecision, NewerVersionTakesTheUpgradePath) {
    auto server = StartServer("");
    server->SetVersionAnswer(UpgradeAnswer("1.0.0.1", ServeBoosterPackage(*server, "1.0.0.1")));
    auto result = RunLauncher();
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(InstalledBoosterVersion(), L"1.0.0.1");
    EXPECT_EQ(BoosterRecord(3s),
              "cwd " + m_cwd.path().string() + "\narg -show\narg -oemid:178\nend\n");
    EXPECT_FALSE(fs::exists(m_folder / "booster.7z"));
}

TEST_F(LauncherDecision, MissingBoosterIsUpgraded) {
    fs::remove(m_folder / "VantuSpeedUp.exe");
    auto server = StartServer("");
    server->SetVersionAnswer(UpgradeAnswer("1.0.0.0", ServeBoosterPackage(*server, "1.0.0.0")));
    auto result = RunLauncher();
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(InstalledBoosterVersion(), L"1.0.0.0");
    EXPECT_THAT(BoosterRecord(3s), HasSubstr("arg -oemid:178"));
}

// No "DownloadUrl": the download of an empty address fails in the window.
TEST_F(LauncherDecision, AnswerThatIsNotJsonTakesTheUpgradePath) {
    auto server = StartServer("");
    server->SetVersionBehaviour("html");
    auto result = RunLauncher();
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, "提示: 下载失败，请手动下载安装最新版本Vantu加速器！\n");
    EXPECT_EQ(OpenedPages(3s), "http://127.0.0.1/?oemid=178\n");
    EXPECT_EQ(BoosterRecord(200ms), "");
}

TEST_F(LauncherDecision, DamagedPackageIsReportedAndTheOldBoosterStays) {
    auto server = StartServer("");
    testing_support::WriteFile(server->Root() / "broken.7z", std::string(4096, 'x'));
    server->SetVersionAnswer(UpgradeAnswer("1.0.0.1", server->HttpsUrl("/broken.7z")));
    auto result = RunLauncher();
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, "提示: 解压缩失败，请手动下载安装最新版本Vantu加速器！\n");
    EXPECT_EQ(OpenedPages(3s), "http://127.0.0.1/?oemid=178\n");
    EXPECT_EQ(InstalledBoosterVersion(), L"1.0.0.0");
    EXPECT_EQ(BoosterRecord(200ms), "");
}

TEST_F(LauncherDecision, ServerDownFailsWithinTwoSeconds) {
    auto result = RunLauncher();  // nothing listens on the port
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, "Error: Get Data Failed!\n");
    EXPECT_LT(result.elapsed, 2s);
    EXPECT_EQ(BoosterRecord(200ms), "");
}

// Built without its windows module and run from a folder without one: the
// box goes to standard error after the reason, and the run ends.
TEST_F(LauncherDecision, MissingWindowsModuleActsAsWithoutDisplay) {
    fs::copy_file(BinDir() / "VantuLauncherWithoutWindows", m_folder / "VantuLauncher",
                  fs::copy_options::overwrite_existing);
    auto result = RunLauncher();  // nothing listens on the port
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_THAT(result.err, testing::StartsWith("no windows: "));
    EXPECT_THAT(result.err, HasSubstr("libVantuLauncherWithoutWindows-windows.so"));
    EXPECT_THAT(result.err, testing::EndsWith("\nError: Get Data Failed!\n"));
    EXPECT_EQ(BoosterRecord(200ms), "");
}

TEST_F(LauncherDecision, UntrustedCertificateIsAFailedRequest) {
    auto server = std::make_unique<LocalUpdateServer>(
        UpdateServerOptions{.port = vantu::Settings().updatePort, .cert = "self-signed"});
    server->SetVersionAnswer(R"({"Code":1})");
    auto result = RunLauncher();
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, "Error: Get Data Failed!\n");
    EXPECT_EQ(BoosterRecord(200ms), "");
}

// A launcher built with a CA bundle accepts its CA's server without the
// bundle, and refuses a server whose CA it was not built with.
TEST_F(LauncherDecision, TheBuildsCaTravelsInsideTheProgram) {
    fs::copy_file(BinDir() / "VantuLauncherOwnCa", m_folder / "VantuLauncher",
                  fs::copy_options::overwrite_existing);
    ExpectTheBuildsCaToTravelInsideTheProgram();

    // The tests' CA signs this one; the system store knows neither.
    auto other = StartServer(R"({"Code":1})");
    auto result = RunLauncher();
    EXPECT_EQ(result.exitCode, 0);
    // Built without its windows module: the box goes to standard error.
    EXPECT_THAT(result.err, testing::EndsWith("Error: Get Data Failed!\n"));
    EXPECT_EQ(BoosterRecord(200ms), "");
    EXPECT_TRUE(other->Requests().empty());
    EXPECT_GE(other->FailedHandshakes(), 1);
}

}  // namespace
