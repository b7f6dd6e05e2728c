#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>
#include <vector>

#include "launcher/startup/single_instance_guard.h"
#include "tests/launcher/single_instance_process.h"
#include "tests/support/deadline.h"

using namespace std::chrono_literals;
using launcher_test::LauncherStage;
using launcher_test::NameHeld;
using launcher_test::SingleInstanceProcess;
using testing_support::BackgroundProcess;
using testing_support::RunProcess;

namespace {

#ifdef _WIN32
constexpr int kAlreadyRunningStatus = vantu::kAlreadyRunningExitCode;
constexpr int kKilledStatus = 1;  // what the test support's Kill leaves
// A second launcher ends in its first step; most of this is wine starting it.
constexpr auto kQuickEnd = std::chrono::seconds(5);
#else
// Only the low byte of an exit code reaches the parent here.
constexpr int kAlreadyRunningStatus = vantu::kAlreadyRunningExitCode & 0xFF;
constexpr int kKilledStatus = -1;
// A second launcher ends in its first step.
constexpr auto kQuickEnd = std::chrono::seconds(2);
#endif

TEST_F(SingleInstanceProcess, SecondLauncherEndsWith1314AndTheFirstHearsOfIt) {
    auto first = StartHeldLauncher();
    auto second = RunProcess(m_stage.launcher(), Options());
    EXPECT_EQ(second.exitCode, kAlreadyRunningStatus);
    EXPECT_EQ(second.out, "has a exe running!\n");
    EXPECT_LT(second.elapsed, kQuickEnd);

    EXPECT_TRUE(first->WaitForOutput("has other exe want to run\n", 2s)) << first->Out();
    m_hold.Release();
    EXPECT_EQ(first->Wait(10s), 0) << first->Err();
    EXPECT_EQ(first->Out(), "has other exe want to run\n");
    EXPECT_FALSE(NameHeld(m_name));
}

TEST_F(SingleInstanceProcess, TheNameIsFreeAtOnceAfterTheHolderWasKilled) {
    auto first = StartHeldLauncher();
    first->Kill();
    EXPECT_EQ(first->Wait(5s), kKilledStatus);
    m_hold.Stop();

    auto next = RunProcess(m_stage.launcher(), Options());
    EXPECT_EQ(next.exitCode, 0);
    EXPECT_EQ(next.out, "");
}

TEST_F(SingleInstanceProcess, QuickSecondLaunchersAllEndAndAreHeard) {
    auto first = StartHeldLauncher();
    std::vector<std::unique_ptr<BackgroundProcess>> others;
    for (int i = 0; i < 8; ++i) {
        others.push_back(std::make_unique<BackgroundProcess>(m_stage.launcher(), Options()));
    }
    for (auto& other : others) {
        EXPECT_EQ(other->Wait(5s), kAlreadyRunningStatus);
        EXPECT_EQ(other->Out(), "has a exe running!\n");
    }
    ASSERT_TRUE(first->WaitForOutput("has other exe want to run\n", 2s));
    m_hold.Release();
    EXPECT_EQ(first->Wait(10s), 0) << "the watcher kept the first launcher from ending";
    // Signals that meet a pending one merge, so there are 1 to 8 reports.
    std::string out = first->Out();
    int reports = 0;
    for (auto at = out.find("has other exe want to run\n"); at != std::string::npos;
         at = out.find("has other exe want to run\n", at + 1)) {
        ++reports;
    }
    EXPECT_GE(reports, 1);
    EXPECT_LE(reports, 8);
}

}  // namespace
