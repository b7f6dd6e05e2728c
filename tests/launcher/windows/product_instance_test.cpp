// The product launcher beside one of the tests' build. Nothing here holds the
// product inside its run (it asks the product's server, not the tests'), so
// the test holds the product's name itself.

#include <gtest/gtest.h>

#include "launcher/startup/single_instance_guard.h"
#include "platform/process/named_event.h"
#include "tests/launcher/single_instance_process.h"

using namespace std::chrono_literals;
using launcher_test::LauncherStage;
using launcher_test::NameHeld;
using launcher_test::SingleInstanceProcess;
using testing_support::RunProcess;

namespace {

TEST_F(SingleInstanceProcess, TheProductTakesGlobalVantuLauncherAndTestBuildsTheirFoldersName) {
    ASSERT_TRUE(LockTheProductName()) << "a launcher outside the tests holds the product's name";
    LauncherStage product(false, "VantuLauncher");
    auto own = StartHeldLauncher();
    EXPECT_FALSE(NameHeld("Global\\VantuLauncher")) << "the test build took the product's name";

    // A test build's launcher is no first launcher to the product, which
    // takes Global\VantuLauncher (and asks the product's server: it is ended
    // with the test)...
    {
        auto free = StartHeldLauncher(product, "Global\\VantuLauncher");
        EXPECT_EQ(free->Out(), "");
    }
    ASSERT_TRUE(testing_support::WaitUntil(
        testing_support::Deadline(5s), [] { return !NameHeld("Global\\VantuLauncher"); }, 5ms));
    // ...and ends as a second launcher when the name is taken.
    platform::NamedEvent taken;
    ASSERT_EQ(taken.Create(L"Global\\VantuLauncher"), platform::NamedEventCreation::Created);
    auto second = RunProcess(product.launcher(), Options());
    EXPECT_EQ(second.exitCode, vantu::kAlreadyRunningExitCode);
    EXPECT_EQ(second.out, "has a exe running!\n");

    m_hold.Release();
    EXPECT_EQ(own->Wait(10s), 0);
    EXPECT_EQ(own->Out(), "");
}

}  // namespace
