// The whole launcher under wine against the local update server (reached as
// https://localhost), in a folder of its own next to the demo booster: the
// decisions that need no package, a box answered OK where one comes.
// (launcher_on_screen_test.cpp has the upgrades; on Linux the update_flow
// suite runs both.)

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <memory>
#include <vector>

#include "tests/launcher/windows/process_windows.h"
#include "tests/support/launcher_folder.h"
#include "tests/support/process.h"
#include "tests/support/temp_dir.h"
#include "tests/support/update_server.h"
#include "update/build_settings.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing::HasSubstr;
using testing_support::BackgroundProcess;
using testing_support::BinDir;
using testing_support::LocalUpdateServer;
using testing_support::ProcessOptions;
using testing_support::ProcessResult;
using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::UpdateServerOptions;

class LauncherDecision : public testing_support::LauncherFolderTest {
  protected:
    LauncherDecision() { UseLauncher("VantuLauncherLocal.exe"); }

    void UseLauncher(const char* program) {
        fs::copy_file(BinDir() / program, m_folder / "VantuLauncher.exe",
                      fs::copy_options::overwrite_existing);
    }

    // The launcher's exit code and standard error. It stays in its job until
    // the test ends: a job that goes ends the booster it started, maybe
    // before it recorded its start.
    ProcessResult RunInFolder() override { return RunLauncher(); }

    // With `box`, the launcher's message box is awaited and answered OK (alone
    // in the middle of the box), its caption kept in m_boxCaption.
    ProcessResult RunLauncher(bool box = false) {
        fs::copy_file(BinDir() / "VantuSpeedUp.exe", m_folder / "VantuSpeedUp.exe",
                      fs::copy_options::skip_existing);
        ProcessOptions options;
        options.env = {"VANTU_BOOSTER_RECORD=" + m_record.string()};
        options.directory = m_cwd.path();
        m_launchers.push_back(
            std::make_unique<BackgroundProcess>(m_folder / "VantuLauncher.exe", options));
        if (box) {
            m_boxCaption = testing_support::AnswerProcessBox(
                static_cast<DWORD>(m_launchers.back()->pid()), POINT{185, 162}, 30s);
        }
        ProcessResult result;
        result.exitCode = m_launchers.back()->Wait(20s).value_or(-1);
        result.err = m_launchers.back()->Err();
        return result;
    }

    std::vector<std::unique_ptr<BackgroundProcess>> m_launchers;
    std::wstring m_boxCaption;
};

TEST_F(LauncherDecision, EqualVersionsStartTheBooster) {
    auto server = StartServer(R"({"Code":0,"Data":{"LatestVersion":"1.0.0.0","DownloadUrl":"u"}})");
    auto result = RunLauncher();
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(BoosterRecord(5s),
              "cwd " + m_cwd.path().string() + "\narg -show\narg -oemid:178\nend\n");
    auto requests = server->Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].target, "/v1/oem/clientVersion?oemId=178");
}

TEST_F(LauncherDecision, ServerDownShowsTheErrorBoxAndStartsNoBooster) {
    auto result = RunLauncher(true);  // nothing listens on the port
    EXPECT_EQ(m_boxCaption, L"Error");
    EXPECT_EQ(result.exitCode, 0);
    // The box is on screen, not on standard error.
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(BoosterRecord(500ms), "");
}

// A launcher built with a CA bundle accepts its CA's server without the
// bundle, and refuses a server whose CA it was not built with.
TEST_F(LauncherDecision, TheBuildsCaTravelsInsideTheProgram) {
    UseLauncher("VantuLauncherOwnCa.exe");
    ExpectTheBuildsCaToTravelInsideTheProgram();

    // The tests' CA signs this one; the system store knows neither. (Wine's
    // WinINet reports the unknown CA once the request went out: the answer
    // is what is refused.)
    auto other = StartServer(R"({"Code":1})");
    auto result = RunLauncher(true);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(m_boxCaption, L"Error");
    EXPECT_EQ(BoosterRecord(500ms), "");
}

}  // namespace
