#include <gtest/gtest.h>

#include <chrono>
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

TEST(LaunchBooster, AMissingBoosterIsNotReported) {
    TempDir empty;
    vantu::LaunchBooster(empty.path().wstring() + L"/");  // must simply return
    SUCCEED();
}

}  // namespace
