// A launcher started while the demo booster shows its windows: found by its
// window class and sent message 0. A pending-deletion list naming a file
// tells whether the launcher went past its check for the booster: the next
// step would delete that file.

#include <gtest/gtest.h>

#include <chrono>
#include <memory>

#include "tests/launcher/booster_desktop.h"
#include "tests/launcher/box_answerer.h"
#include "tests/launcher/launcher_stage.h"
#include "tests/launcher/process_probe.h"
#include "tests/support/launcher_lock.h"
#include "tests/support/process.h"
#include "tests/support/temp_dir.h"

using namespace std::chrono_literals;
using launcher_test::kProgramRunAllowance;
using launcher_test::LauncherStage;
using testing_support::BackgroundProcess;
using testing_support::ProcessOptions;
using testing_support::RunProcess;

namespace {

// How long the launcher waits for a booster that does not answer.
constexpr auto kSendGiveUp = 2s;

class RunningBooster : public testing::TestWithParam<std::string> {
  protected:
    void SetUp() override {
        m_desktop = launcher_test::StartBoosterDesktop(GetParam());
        if (!m_desktop) {
            return;  // skipped
        }
        testing_support::WriteFile(m_stage / "victim", "x");
        testing_support::WriteFile(m_stage / "temp", "victim");
    }

    ProcessOptions Options(std::vector<std::string> args = {}) const {
        ProcessOptions options;
        options.args = std::move(args);
        options.env = m_desktop->env;
        options.directory = m_stage.folder();
        // Only a stuck launcher meets it.
        options.timeout = 10s + 5 * kProgramRunAllowance;
        return options;
    }

    // The launcher finds the booster, but its own windows stay unseen: a
    // failed query's box must not wait for a click.
    ProcessOptions LauncherOptions() const {
        ProcessOptions options = Options();
        options.env.push_back("SDL_VIDEODRIVER=none");
        return options;
    }

    std::unique_ptr<BackgroundProcess> StartBooster(std::vector<std::string> args) {
        auto booster = std::make_unique<BackgroundProcess>(m_stage.booster(), Options(args));
        EXPECT_TRUE(booster->WaitForOutput("ready\n", 10s + 3 * kProgramRunAllowance))
            << booster->Err();
        return booster;
    }

    bool StoppedAtTheBoosterCheck() const {
        return std::filesystem::exists(m_stage / "victim") &&
               std::filesystem::exists(m_stage / "temp");
    }

    testing_support::LauncherLock m_lock;
    // A launcher that finds no booster goes on to a failed query and its box.
    launcher_test::LauncherBoxAnswerer m_boxes;
    LauncherStage m_stage{true};
    std::optional<launcher_test::BoosterDesktop> m_desktop;
};

TEST_P(RunningBooster, LauncherSendsMessage0ToTheMainWindowAndEnds) {
    auto booster = StartBooster({"-show", "-oemid:178"});
    for (int run = 1; run <= 2; ++run) {
        auto launcher = RunProcess(m_stage.launcher(), LauncherOptions());
        EXPECT_EQ(launcher.exitCode, 0);
        EXPECT_LT(launcher.elapsed, kProgramRunAllowance);
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
    EXPECT_LT(launcher.elapsed, kProgramRunAllowance);
    EXPECT_EQ(launcher.err, "");
    EXPECT_EQ(booster->Out(), "ready\nmessage 0 to UpgradeWindow (1)\n");
    EXPECT_TRUE(StoppedAtTheBoosterCheck());
}

TEST_P(RunningBooster, AHungBoosterHoldsTheLauncherOnlyUntilTheTimeOut) {
    auto booster = StartBooster({"-show"});
    launcher_test::SetProcessRunning(booster->pid(), false);
    auto launcher = RunProcess(m_stage.launcher(), LauncherOptions());
    EXPECT_EQ(launcher.exitCode, 0);
    EXPECT_GE(launcher.elapsed, kSendGiveUp);
    EXPECT_LT(launcher.elapsed, kSendGiveUp + 2 * kProgramRunAllowance);
    EXPECT_TRUE(StoppedAtTheBoosterCheck());
    launcher_test::SetProcessRunning(booster->pid(), true);
    if (launcher_test::kLateMessageHandled) {
        // Woken later, the booster handles the message whose sender is gone.
        EXPECT_TRUE(booster->WaitForOutput("message 0 to MainWindow (1)\n", 5s));
    }
    EXPECT_FALSE(booster->Wait(100ms).has_value()) << "the late answer ended the booster";
}

TEST_P(RunningBooster, WithoutTheBoosterTheLauncherGoesOn) {
    auto launcher = RunProcess(m_stage.launcher(), LauncherOptions());
    EXPECT_EQ(launcher.exitCode, 0) << launcher.err;
    EXPECT_FALSE(std::filesystem::exists(m_stage / "victim"));
    EXPECT_FALSE(std::filesystem::exists(m_stage / "temp"));
}

INSTANTIATE_TEST_SUITE_P(Desktop, RunningBooster,
                         testing::ValuesIn(launcher_test::BoosterDesktopKinds()),
                         [](const auto& info) { return info.param; });

}  // namespace
