// The product launcher held inside its run beside one of the tests' build
// (Linux: its pending-deletion list holds it whatever server it asks).

#include <gtest/gtest.h>

#include "tests/launcher/single_instance_process.h"

using namespace std::chrono_literals;
using launcher_test::LauncherHold;
using launcher_test::LauncherStage;
using launcher_test::NameHeld;
using launcher_test::SingleInstanceProcess;

namespace {

TEST_F(SingleInstanceProcess, TheProductTakesGlobalVantuLauncherAndTestBuildsTheirFoldersName) {
    ASSERT_TRUE(LockTheProductName()) << "a launcher outside the tests holds the product's name";
    LauncherStage product(false, "VantuLauncher");
    LauncherHold productHold(product);
    auto first = StartHeldLauncher(product, "Global\\VantuLauncher");
    EXPECT_FALSE(NameHeld(m_name)) << "the product took the test builds' name";
    // A test build's launcher is no second launcher to it.
    auto own = StartHeldLauncher();
    EXPECT_TRUE(NameHeld("Global\\VantuLauncher"));
    productHold.Release();
    m_hold.Release();
    EXPECT_EQ(first->Wait(5s), 0);
    EXPECT_EQ(own->Wait(5s), 0);
    EXPECT_EQ(first->Out(), "");
    EXPECT_EQ(own->Out(), "");
}

}  // namespace
