// A launcher folder whose name is bytes, not text: Linux only (Windows names
// are UTF-16).

#include <gtest/gtest.h>

#include "tests/support/launcher_lock.h"
#include "tests/support/process.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using testing_support::BinDir;
using testing_support::RunProcess;
using testing_support::TempDir;
using testing_support::WriteFile;

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
    options.env = {"SDL_VIDEODRIVER=none"};  // the failed query's box answers on stderr
    auto result = RunProcess(install / "VantuLauncher", options);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_FALSE(fs::exists(install / "_old\xfe.dll"));
    EXPECT_FALSE(fs::exists(install / "temp"));
    // Nothing was made under a re-encoded name beside it.
    EXPECT_EQ(std::distance(fs::directory_iterator(root.path()), fs::directory_iterator()), 1);
}

}  // namespace
