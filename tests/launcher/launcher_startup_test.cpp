// The launcher program run in a staged install folder. It is the build aimed
// at the local update server, so that the query fails at once when no server
// listens, whatever the machine's network.

#include <gtest/gtest.h>

#include "tests/support/launcher_lock.h"
#include "tests/support/process.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using testing_support::BinDir;
using testing_support::ReadFile;
using testing_support::RunProcess;
using testing_support::TempDir;
using testing_support::WriteFile;

TEST(LauncherStartup, RetriesPendingDeletionsBeforeTheQuery) {
    testing_support::LauncherLock lock;  // one launcher at a time on this machine
    TempDir install;
    fs::copy_file(BinDir() / "VantuLauncherLocal", install / "VantuLauncher");
    fs::copy_file(BinDir() / "VantuSpeedUp.exe", install / "VantuSpeedUp.exe");
    WriteFile(install / "_old.dll", "x");
    WriteFile(install / "temp", "_old.dll|_gone.dll");

    testing_support::ProcessOptions options;
    options.directory = install.path();
    auto result = RunProcess(install / "VantuLauncher", options);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_FALSE(fs::exists(install / "_old.dll"));
    // A listed name already gone counts as deleted, so no list is left.
    EXPECT_FALSE(fs::exists(install / "temp"));
}

TEST(LauncherStartup, FindsItsFilesInAFolderNamedWithNonUtf8Bytes) {
    testing_support::LauncherLock lock;
    TempDir root;
    fs::path install = root / "inst\xff\xe9";
    fs::create_directories(install);
    fs::copy_file(BinDir() / "VantuLauncherLocal", install / "VantuLauncher");
    fs::copy_file(BinDir() / "VantuSpeedUp.exe", install / "VantuSpeedUp.exe");
    WriteFile(install / "_old\xfe.dll", "x");
    WriteFile(install / "temp", "_old\xfe.dll");

    testing_support::ProcessOptions options;
    options.directory = root.path();
    auto result = RunProcess(install / "VantuLauncher", options);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_FALSE(fs::exists(install / "_old\xfe.dll"));
    EXPECT_FALSE(fs::exists(install / "temp"));
    // Nothing was made under a re-encoded name beside it.
    EXPECT_EQ(std::distance(fs::directory_iterator(root.path()), fs::directory_iterator()), 1);
}

}  // namespace
