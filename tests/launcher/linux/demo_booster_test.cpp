// The demo booster where no display can be had.

#include <gtest/gtest.h>

#include <chrono>

#include "tests/support/process.h"
#include "tests/support/temp_dir.h"

using namespace std::chrono_literals;
using testing_support::ProcessOptions;
using testing_support::RunProcess;

namespace {

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
