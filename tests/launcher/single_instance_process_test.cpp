#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <memory>
#include <thread>
#include <vector>

#include "launcher/startup/single_instance_guard.h"
#include "tests/launcher/launcher_stage.h"
#include "tests/support/deadline.h"
#include "tests/support/launcher_lock.h"
#include "tests/support/process.h"
#include "update/build_settings.h"

using namespace std::chrono_literals;
using launcher_test::LauncherStage;
using launcher_test::NameHeld;
using testing_support::BackgroundProcess;
using testing_support::ProcessOptions;
using testing_support::RunProcess;

namespace {

using Clock = std::chrono::steady_clock;

// Only the low byte of an exit code reaches the parent here.
constexpr int kAlreadyRunningStatus = vantu::kAlreadyRunningExitCode & 0xFF;

// Real launchers, kept from any display so that they look for no booster. A
// first launcher is held inside its run, after it took the name, by a
// pending-deletion list that is a FIFO: reading it waits for a writer.
class SingleInstanceProcess : public testing::Test {
  protected:
    ProcessOptions Options() const {
        ProcessOptions options;
        options.env = {"DISPLAY=", "SDL_VIDEODRIVER=none"};
        options.timeout = 10s;
        return options;
    }

    std::unique_ptr<BackgroundProcess> StartHeldLauncher() {
        return StartHeldLauncher(m_stage, m_name);
    }
    std::unique_ptr<BackgroundProcess> StartHeldLauncher(const LauncherStage& stage,
                                                         const std::string& name) {
        auto fifo = stage / "temp";
        if (!std::filesystem::exists(fifo)) {
            EXPECT_EQ(mkfifo(fifo.c_str(), 0600), 0);
        }
        auto first = std::make_unique<BackgroundProcess>(stage.launcher(), Options());
        auto deadline = Clock::now() + 5s;
        while (!NameHeld(name) && Clock::now() < deadline) {
            std::this_thread::sleep_for(1ms);
        }
        EXPECT_TRUE(NameHeld(name)) << "the first launcher did not take " << name;
        return first;
    }

    // Lets a held launcher read an empty list and go on to its end.
    void Release() { Release(m_stage); }
    void Release(const LauncherStage& stage) {
        auto deadline = Clock::now() + 5s;
        int fd;
        while ((fd = open((stage / "temp").c_str(), O_WRONLY | O_NONBLOCK)) < 0 &&
               Clock::now() < deadline) {
            std::this_thread::sleep_for(1ms);
        }
        ASSERT_GE(fd, 0) << "the launcher never opened its list";
        close(fd);
    }

    testing_support::LauncherLock m_lock;
    LauncherStage m_stage{false};
    const std::string m_name = launcher_test::InstanceName();
};

TEST_F(SingleInstanceProcess, SecondLauncherEndsWith1314AndTheFirstHearsOfIt) {
    auto first = StartHeldLauncher();
    auto second = RunProcess(m_stage.launcher(), Options());
    EXPECT_EQ(second.exitCode, kAlreadyRunningStatus);
    EXPECT_EQ(second.out, "has a exe running!\n");
    EXPECT_LT(second.elapsed, 2s);

    EXPECT_TRUE(first->WaitForOutput("has other exe want to run\n", 2s)) << first->Out();
    Release();
    EXPECT_EQ(first->Wait(5s), 0);
    EXPECT_EQ(first->Out(), "has other exe want to run\n");
    EXPECT_FALSE(NameHeld(m_name));
}

TEST_F(SingleInstanceProcess, TheNameIsFreeAtOnceAfterTheHolderWasKilled) {
    auto first = StartHeldLauncher();
    first->Signal(SIGKILL);
    EXPECT_EQ(first->Wait(5s), -1);
    std::filesystem::remove(m_stage / "temp");

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
    Release();
    EXPECT_EQ(first->Wait(5s), 0) << "the watcher kept the first launcher from ending";
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

// The product launcher takes the one name of the whole machine; launchers built
// for the tests take one of their build folder's own, so the tests of two
// build folders never meet.
TEST_F(SingleInstanceProcess, TheProductTakesGlobalVantuLauncherAndTestBuildsTheirFoldersName) {
    const std::string key = vantu::Settings().instanceKey;
    EXPECT_TRUE(key.starts_with("VantuLauncher-")) << key;
    EXPECT_GT(key.size(), std::string("VantuLauncher-").size());

    testing_support::LauncherLock productLock(testing_support::LauncherNames::Product);
    // Tests leave the name alone while the lock is held; a launcher run
    // outside the tests (a demo) may still hold it for a while.
    ASSERT_TRUE(testing_support::WaitUntil(
        testing_support::Deadline(30s), [] { return !NameHeld("Global\\VantuLauncher"); }, 20ms))
        << "a launcher outside the tests holds Global\\VantuLauncher";
    LauncherStage product(false, "VantuLauncher");
    auto first = StartHeldLauncher(product, "Global\\VantuLauncher");
    EXPECT_FALSE(NameHeld(m_name)) << "the product took the test builds' name";
    // A test build's launcher is no second launcher to it.
    auto own = StartHeldLauncher();
    EXPECT_TRUE(NameHeld("Global\\VantuLauncher"));
    Release(product);
    Release();
    EXPECT_EQ(first->Wait(5s), 0);
    EXPECT_EQ(own->Wait(5s), 0);
    EXPECT_EQ(first->Out(), "");
    EXPECT_EQ(own->Out(), "");
}

}  // namespace
