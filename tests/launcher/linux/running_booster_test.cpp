#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <memory>

#include "tests/launcher/launcher_stage.h"
#include "tests/support/launcher_lock.h"
#include "tests/support/process.h"
#include "tests/support/temp_dir.h"
#include "tests/support/x_server.h"

using namespace std::chrono_literals;
using launcher_test::LauncherStage;
using testing_support::BackgroundProcess;
using testing_support::ProcessOptions;
using testing_support::RunProcess;
using testing_support::XServer;

namespace {

// A launcher started while the demo booster shows its windows, on an X server
// of the test's own, with and without a window manager. A pending-deletion
// list naming a file tells whether the launcher went past its check for the
// booster: the next step would delete that file.
class RunningBooster : public testing::TestWithParam<bool> {
  protected:
    void SetUp() override {
        testing_support::StartXServerOrSkip(GetParam(), m_server);
        if (!m_server) {
            return;
        }
        testing_support::WriteFile(m_stage / "victim", "x");
        testing_support::WriteFile(m_stage / "temp", "victim");
    }

    // The launcher finds the booster on the X server, but its own windows stay
    // unseen: a failed query's box must not wait for a click.
    ProcessOptions LauncherOptions() const {
        ProcessOptions options = Options();
        options.env = {m_server->Env(), "SDL_VIDEODRIVER=none"};
        return options;
    }

    ProcessOptions Options(std::vector<std::string> args = {}) const {
        ProcessOptions options;
        options.args = std::move(args);
        options.env = {m_server->Env()};
        options.directory = m_stage.folder();
        options.timeout = 10s;
        return options;
    }

    std::unique_ptr<BackgroundProcess> StartBooster(std::vector<std::string> args) {
        auto booster = std::make_unique<BackgroundProcess>(m_stage.booster(), Options(args));
        EXPECT_TRUE(booster->WaitForOutput("ready\n", 10s)) << booster->Err();
        return booster;
    }

    bool StoppedAtTheBoosterCheck() const {
        return std::filesystem::exists(m_stage / "victim") &&
               std::filesystem::exists(m_stage / "temp");
    }

    testing_support::LauncherLock m_lock;
    LauncherStage m_stage{true};
    std::unique_ptr<XServer> m_server;
};

TEST_P(RunningBooster, LauncherSendsMessage0ToTheMainWindowAndEnds) {
    auto booster = StartBooster({"-show", "-oemid:178"});
    for (int run = 1; run <= 2; ++run) {
        auto launcher = RunProcess(m_stage.launcher(), LauncherOptions());
        EXPECT_EQ(launcher.exitCode, 0);
        EXPECT_LT(launcher.elapsed, 1s);
        EXPECT_EQ(launcher.out, "");
        EXPECT_EQ(launcher.err, "") << "the launcher went on to its version decision";
        // The send waited for the booster's processing, so the report is there.
        EXPECT_NE(booster->Out().find("message 0 to MainWindow (" + std::to_string(run) + ")\n"),
                  std::string::npos)
            << booster->Out();
    }
    EXPECT_TRUE(StoppedAtTheBoosterCheck());
}

TEST_P(RunningBooster, TheUpgradeWindowIsPreferred) {
    auto booster = StartBooster({"-show", "-upgrade-window"});
    auto launcher = RunProcess(m_stage.launcher(), LauncherOptions());
    EXPECT_EQ(launcher.exitCode, 0);
    EXPECT_LT(launcher.elapsed, 1s);
    EXPECT_EQ(launcher.err, "");
    EXPECT_EQ(booster->Out(), "ready\nmessage 0 to UpgradeWindow (1)\n");
    EXPECT_TRUE(StoppedAtTheBoosterCheck());
}

TEST_P(RunningBooster, AHungBoosterHoldsTheLauncherOnlyUntilTheTimeOut) {
    auto booster = StartBooster({"-show"});
    booster->Signal(SIGSTOP);
    auto launcher = RunProcess(m_stage.launcher(), LauncherOptions());
    EXPECT_EQ(launcher.exitCode, 0);
    EXPECT_LT(launcher.elapsed, 4s);
    EXPECT_TRUE(StoppedAtTheBoosterCheck());
    // Woken later, the booster handles the message whose sender is gone.
    booster->Signal(SIGCONT);
    EXPECT_TRUE(booster->WaitForOutput("message 0 to MainWindow (1)\n", 5s));
    EXPECT_FALSE(booster->Wait(100ms).has_value()) << "the late answer ended the booster";
}

TEST_P(RunningBooster, WithoutTheBoosterTheLauncherGoesOn) {
    auto launcher = RunProcess(m_stage.launcher(), LauncherOptions());
    EXPECT_EQ(launcher.exitCode, 0) << launcher.err;
    EXPECT_FALSE(std::filesystem::exists(m_stage / "victim"));
    EXPECT_FALSE(std::filesystem::exists(m_stage / "temp"));
}

INSTANTIATE_TEST_SUITE_P(WindowManager, RunningBooster, testing::Values(false, true),
                         [](const auto& info) { return info.param ? "openbox" : "none"; });

TEST(DemoBooster, WithoutADisplayItRecordsItsStartAndEnds) {
    testing_support::TempDir dir;
    ProcessOptions options;
    options.args = {"-show", "-oemid:178"};
    options.env = {"DISPLAY=", "VANTU_BOOSTER_RECORD=" + (dir / "record").string()};
    options.timeout = 10s;
    auto run = RunProcess(testing_support::BinDir() / "VantuSpeedUp.exe", options);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(testing_support::ReadFile(dir / "record").find("arg -show\narg -oemid:178\nend\n"),
              std::string::npos);
    // Asked for a window explicitly, it says why there is none.
    options.args = {"-window"};
    run = RunProcess(testing_support::BinDir() / "VantuSpeedUp.exe", options);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err, "");
}

}  // namespace
