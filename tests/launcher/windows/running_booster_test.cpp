// A launcher started while the demo booster shows its windows on the wine
// desktop, found with FindWindowW and sent message 0 with
// SendMessageTimeoutW. A pending-deletion list naming a file tells whether
// the launcher went past its check for the booster: the next step would
// delete that file. (The wine desktop is shared: another checkout's booster
// can be found as well, so a failure is worth one more run.)

#include <windows.h>
// After windows.h, whose types it uses.
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>

#include "tests/launcher/launcher_stage.h"
#include "tests/support/launcher_lock.h"
#include "tests/support/process.h"
#include "tests/support/temp_dir.h"

using namespace std::chrono_literals;
using launcher_test::LauncherStage;
using testing_support::BackgroundProcess;
using testing_support::ProcessOptions;
using testing_support::RunProcess;

namespace {

// Stops or resumes every thread of a process: a booster that hangs.
void SetThreadsRunning(DWORD processId, bool running) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    ASSERT_NE(snapshot, INVALID_HANDLE_VALUE);
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID != processId) {
            continue;
        }
        if (HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME, FALSE, entry.th32ThreadID)) {
            running ? ResumeThread(thread) : SuspendThread(thread);
            CloseHandle(thread);
        }
    }
    CloseHandle(snapshot);
}

class RunningBooster : public testing::Test {
  protected:
    void SetUp() override {
        testing_support::WriteFile(m_stage / "victim", "x");
        testing_support::WriteFile(m_stage / "temp", "victim");
    }

    ProcessOptions Options(std::vector<std::string> args = {}) const {
        ProcessOptions options;
        options.args = std::move(args);
        options.directory = m_stage.folder();
        // Only a stuck launcher meets it: a failed query to a closed port on
        // localhost alone takes seconds under wine.
        options.timeout = 30s;
        return options;
    }

    std::unique_ptr<BackgroundProcess> StartBooster(std::vector<std::string> args) {
        auto booster = std::make_unique<BackgroundProcess>(m_stage.booster(), Options(args));
        EXPECT_TRUE(booster->WaitForOutput("ready\n", 20s)) << booster->Err();
        return booster;
    }

    bool StoppedAtTheBoosterCheck() const {
        return std::filesystem::exists(m_stage / "victim") &&
               std::filesystem::exists(m_stage / "temp");
    }

    testing_support::LauncherLock m_lock;
    LauncherStage m_stage{true};
};

TEST_F(RunningBooster, LauncherSendsMessage0ToTheMainWindowAndEnds) {
    auto booster = StartBooster({"-show", "-oemid:178"});
    for (int run = 1; run <= 2; ++run) {
        auto launcher = RunProcess(m_stage.launcher(), Options());
        EXPECT_EQ(launcher.exitCode, 0);
        EXPECT_EQ(launcher.out, "");
        EXPECT_EQ(launcher.err, "") << "the launcher went on to its version decision";
        // The send waited for the booster's processing, so the report is there.
        EXPECT_NE(booster->Out().find("message 0 to MainWindow (" + std::to_string(run) + ")\n"),
                  std::string::npos)
            << booster->Out();
    }
    EXPECT_TRUE(StoppedAtTheBoosterCheck());
}

TEST_F(RunningBooster, TheUpgradeWindowIsPreferred) {
    auto booster = StartBooster({"-show", "-upgrade-window"});
    auto launcher = RunProcess(m_stage.launcher(), Options());
    EXPECT_EQ(launcher.exitCode, 0);
    EXPECT_EQ(launcher.err, "");
    EXPECT_EQ(booster->Out(), "ready\nmessage 0 to UpgradeWindow (1)\n");
    EXPECT_TRUE(StoppedAtTheBoosterCheck());
}

TEST_F(RunningBooster, AHungBoosterHoldsTheLauncherOnlyUntilTheTimeOut) {
    auto booster = StartBooster({"-show"});
    SetThreadsRunning(static_cast<DWORD>(booster->pid()), false);
    auto launcher = RunProcess(m_stage.launcher(), Options());
    SetThreadsRunning(static_cast<DWORD>(booster->pid()), true);
    EXPECT_EQ(launcher.exitCode, 0);
    // The send gives up after 2 s; the rest is starting a program under wine.
    EXPECT_GE(launcher.elapsed, 2s);
    EXPECT_LT(launcher.elapsed, 6s);
    EXPECT_TRUE(StoppedAtTheBoosterCheck());
    // Woken, the booster goes on (wine drops a sent message whose sender
    // gave up, where Linux delivers it late).
    EXPECT_FALSE(booster->Wait(100ms).has_value()) << "the late answer ended the booster";
}

TEST_F(RunningBooster, WithoutTheBoosterTheLauncherGoesOn) {
    auto launcher = RunProcess(m_stage.launcher(), Options());
    EXPECT_EQ(launcher.exitCode, 0) << launcher.err;
    EXPECT_FALSE(std::filesystem::exists(m_stage / "victim"));
    EXPECT_FALSE(std::filesystem::exists(m_stage / "temp"));
}

}  // namespace
