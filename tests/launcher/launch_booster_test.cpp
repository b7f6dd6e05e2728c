#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <set>
#include <thread>

#include "launcher/booster.h"
#include "tests/support/process.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using testing_support::BinDir;
using testing_support::ReadFile;
using testing_support::TempDir;

// Waits until the demo booster wrote its whole record.
std::string WaitForRecord(const fs::path& record) {
    for (int i = 0; i < 500; ++i) {
        if (fs::exists(record)) {
            auto text = ReadFile(record);
            if (text.find("end\n") != std::string::npos) {
                return text;
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return {};
}

TEST(LaunchBooster, StartsTheFolderBoosterWithItsCommandLineInOurFolder) {
    TempDir install;
    TempDir elsewhere;
    fs::copy_file(BinDir() / "VantuSpeedUp.exe", install / "VantuSpeedUp.exe");
    const auto record = elsewhere / "record";
    ASSERT_EQ(setenv("VANTU_BOOSTER_RECORD", record.c_str(), 1), 0);
    const auto before = fs::current_path();
    fs::current_path(elsewhere.path());

    vantu::LaunchBooster(install.path().wstring() + L"/");

    fs::current_path(before);
    unsetenv("VANTU_BOOSTER_RECORD");
    EXPECT_EQ(WaitForRecord(record),
              "cwd " + elsewhere.path().string() + "\narg -show\narg -oemid:178\nend\n");
}

// The processes this one started and has not reaped, as the kernel lists them.
std::set<pid_t> Children() {
    std::set<pid_t> children;
    for (const auto& task : fs::directory_iterator("/proc/self/task")) {
        std::ifstream list(task.path() / "children");
        for (pid_t pid; list >> pid;) {
            children.insert(pid);
        }
    }
    return children;
}

TEST(LaunchBooster, AMissingBoosterIsNotReported) {
    TempDir empty;
    const auto before = Children();
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    vantu::LaunchBooster(empty.path().wstring() + L"/");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    for (pid_t child : Children()) {
        EXPECT_TRUE(before.contains(child)) << "started process " << child;
    }
}

}  // namespace
