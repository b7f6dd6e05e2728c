// The launcher program built against the local update server (fixed port,
// test CA), started in a folder of its own next to the demo booster.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "tests/support/launcher_lock.h"
#include "tests/support/process.h"
#include "tests/support/temp_dir.h"
#include "tests/support/update_server.h"
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

class LauncherDecision : public testing::Test {
  protected:
    LauncherDecision() {
        fs::copy_file(BinDir() / "VantuLauncherLocal", m_folder / "VantuLauncher");
        fs::copy_file(BinDir() / "VantuSpeedUp.exe", m_folder / "VantuSpeedUp.exe");  // 1.0.0.0
    }

    static std::unique_ptr<LocalUpdateServer> StartServer(std::string_view answer) {
        auto server = std::make_unique<LocalUpdateServer>(
            UpdateServerOptions{.port = vantu::Settings().updatePort});
        server->SetVersionAnswer(answer);
        return server;
    }

    ProcessResult RunLauncher() {
        ProcessOptions options;
        options.env = {"VANTU_BOOSTER_RECORD=" + m_record.string()};
        options.directory = m_cwd.path();
        options.timeout = 10s;
        return RunProcess(m_folder / "VantuLauncher", options);
    }

    // The booster is started, not waited for: give it a moment to record.
    std::string BoosterRecord(std::chrono::milliseconds wait) const {
        const auto deadline = std::chrono::steady_clock::now() + wait;
        while (std::chrono::steady_clock::now() < deadline) {
            if (fs::exists(m_record) && ReadFile(m_record).ends_with("end\n")) {
                break;
            }
            std::this_thread::sleep_for(5ms);
        }
        return fs::exists(m_record) ? ReadFile(m_record) : std::string();
    }

    testing_support::LauncherLock m_lock;  // one launcher at a time on this machine
    TempDir m_folder;
    TempDir m_cwd;
    TempDir m_scratch;
    fs::path m_record = m_scratch / "booster-record";
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

TEST_F(LauncherDecision, NonZeroCodeStartsTheBoosterEvenWhenOlder) {
    auto server = StartServer(R"({"Code":1,"Msg":"later","Data":{"LatestVersion":"9.9.9.9"}})");
    auto result = RunLauncher();
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_THAT(BoosterRecord(3s), HasSubstr("arg -oemid:178"));
    EXPECT_THAT(result.err, Not(HasSubstr("upgrade")));
}

TEST_F(LauncherDecision, NewerVersionTakesTheUpgradePath) {
    auto server = StartServer(
        R"({"Code":0,"Data":{"LatestVersion":"1.0.0.1","UpdateContent":"x","DownloadUrl":"https://127.0.0.1/p.7z"}})");
    auto result = RunLauncher();
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_THAT(result.err, HasSubstr("upgrade needed"));
    EXPECT_THAT(result.err, HasSubstr("1.0.0.1"));
    EXPECT_THAT(result.err, HasSubstr("https://127.0.0.1/p.7z"));
    EXPECT_EQ(BoosterRecord(200ms), "");
}

TEST_F(LauncherDecision, MissingBoosterIsUpgraded) {
    fs::remove(m_folder / "VantuSpeedUp.exe");
    auto server = StartServer(R"({"Code":0,"Data":{"LatestVersion":"1.0.0.0"}})");
    auto result = RunLauncher();
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_THAT(result.err, HasSubstr("upgrade needed"));
}

TEST_F(LauncherDecision, AnswerThatIsNotJsonTakesTheUpgradePath) {
    auto server = StartServer("");
    server->SetVersionBehaviour("html");
    auto result = RunLauncher();
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_THAT(result.err, HasSubstr("upgrade needed"));
    EXPECT_EQ(BoosterRecord(200ms), "");
}

TEST_F(LauncherDecision, ServerDownFailsWithinTwoSeconds) {
    auto result = RunLauncher();  // nothing listens on the port
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, "Get Data Failed!\n");
    EXPECT_LT(result.elapsed, 2s);
    EXPECT_EQ(BoosterRecord(200ms), "");
}

TEST_F(LauncherDecision, UntrustedCertificateIsAFailedRequest) {
    auto server = std::make_unique<LocalUpdateServer>(
        UpdateServerOptions{.port = vantu::Settings().updatePort, .cert = "self-signed"});
    server->SetVersionAnswer(R"({"Code":1})");
    auto result = RunLauncher();
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, "Get Data Failed!\n");
    EXPECT_EQ(BoosterRecord(200ms), "");
}

}  // namespace
