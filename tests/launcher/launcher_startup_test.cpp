// The launcher program run in a staged install folder.

#include <gtest/gtest.h>

#include "tests/support/process.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using testing_support::BinDir;
using testing_support::ReadFile;
using testing_support::RunProcess;
using testing_support::TempDir;
using testing_support::WriteFile;

TEST(LauncherStartup, RetriesPendingDeletionsAndReportsItsDecision) {
    TempDir install;
    fs::copy_file(BinDir() / "VantuLauncher", install / "VantuLauncher");
    fs::copy_file(BinDir() / "VantuSpeedUp.exe", install / "VantuSpeedUp.exe");
    WriteFile(install / "_old.dll", "x");
    WriteFile(install / "temp", "_old.dll|_gone.dll");

    testing_support::ProcessOptions options;
    options.directory = install.path();
    auto result = RunProcess(install / "VantuLauncher", options);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_FALSE(fs::exists(install / "_old.dll"));
    EXPECT_EQ(ReadFile(install / "temp"), "_gone.dll");
    EXPECT_NE(result.err.find("installed version: \"1.0.0.0\""), std::string::npos) << result.err;
}

TEST(LauncherStartup, AMissingBoosterMeansAnEmptyInstalledVersion) {
    TempDir install;
    fs::copy_file(BinDir() / "VantuLauncher", install / "VantuLauncher");
    auto result = RunProcess(install / "VantuLauncher");
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_NE(result.err.find("installed version: \"\""), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("upgrade needed: yes"), std::string::npos) << result.err;
}

}  // namespace
