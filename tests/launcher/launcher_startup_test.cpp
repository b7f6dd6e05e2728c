// The launcher program run in a staged install folder. It is the build aimed
// at the local update server, so that its query reaches the test's server
// whatever the machine's network.

#include <gtest/gtest.h>

#include <memory>

#include "tests/launcher/box_answerer.h"
#include "tests/support/deadline.h"
#include "tests/support/launcher_lock.h"
#include "tests/support/process.h"
#include "tests/support/temp_dir.h"
#include "tests/support/update_server.h"
#include "update/build_settings.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing_support::BackgroundProcess;
using testing_support::BinDir;
using testing_support::Deadline;
using testing_support::LocalUpdateServer;
using testing_support::ReadFile;
using testing_support::RunProcess;
using testing_support::TempDir;
using testing_support::UpdateServerOptions;
using testing_support::WaitUntil;
using testing_support::WriteFile;

TEST(LauncherStartup, RetriesPendingDeletionsBeforeTheQuery) {
    testing_support::LauncherLock lock;        // one launcher of this build at a time
    launcher_test::LauncherBoxAnswerer boxes;  // the failed query's box
    TempDir install;
    fs::copy_file(BinDir() / "VantuLauncherLocal" VANTU_EXE_SUFFIX,
                  install / "VantuLauncher" VANTU_EXE_SUFFIX);
    fs::copy_file(BinDir() / "VantuSpeedUp.exe", install / "VantuSpeedUp.exe");
    WriteFile(install / "_old.dll", "x");
    WriteFile(install / "temp", "_old.dll|_gone.dll");
    // The server takes the version request and never answers, which holds the
    // launcher inside the query while the files are looked at.
    auto server = std::make_unique<LocalUpdateServer>(
        UpdateServerOptions{.port = vantu::Settings().updatePort});
    server->SetVersionBehaviour("stall");

    testing_support::ProcessOptions options;
    options.directory = install.path();
    options.env = {"SDL_VIDEODRIVER=none"};  // the failed query's box answers on stderr
    BackgroundProcess launcher(install / "VantuLauncher" VANTU_EXE_SUFFIX, options);
    ASSERT_TRUE(WaitUntil(Deadline(10s), [&] { return !server->Requests().empty(); }))
        << "no version request reached the server: " << launcher.Err();
    EXPECT_EQ(server->Requests()[0].target, "/v1/oem/clientVersion?oemId=178");
    EXPECT_FALSE(fs::exists(install / "_old.dll"));
    // A listed name already gone counts as deleted, so no list is left.
    EXPECT_FALSE(fs::exists(install / "temp"));
    EXPECT_FALSE(launcher.Wait(0ms).has_value()) << "the launcher had already ended";

    server.reset();  // the connection drops, the query fails and the run ends as usual
    EXPECT_EQ(launcher.Wait(10s), 0) << launcher.Err();
}

}  // namespace
