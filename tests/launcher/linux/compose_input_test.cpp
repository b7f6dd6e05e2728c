#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "launcher/modules/compose_input.h"
#include "platform/process/process.h"
#include "tests/support/deadline.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using testing_support::Deadline;
using testing_support::ReadFile;
using testing_support::TempDir;

constexpr char kCompose[] = "XCOMPOSEFILE";
constexpr char kProbe[] = "VANTU_COMPOSE_PROBE";

// What a program started the launcher's way sees of the two variables.
std::string ChildSees(const TempDir& folder) {
    const fs::path seen = folder / "seen";
    const fs::path partial = folder / "seen.partial";
    const std::string script =
        "printf '%s %s' \"${XCOMPOSEFILE-unset}\" \"${VANTU_COMPOSE_PROBE-unset}\" > '" +
        partial.string() + "' && mv '" + partial.string() + "' '" + seen.string() + "'";
    const std::wstring wideScript(script.begin(), script.end());
    EXPECT_TRUE(platform::StartProcess(L"/bin/sh", {L"-c", wideScript}));
    const bool written = testing_support::WaitUntil(
        Deadline(std::chrono::seconds(10)), [&] { return fs::exists(seen); },
        std::chrono::milliseconds(5));
    return written ? ReadFile(seen) : "nothing written";
}

// Leaves the two variables as a test found them: unset.
class ComposeInput : public testing::Test {
  protected:
    void SetUp() override {
        unsetenv(kCompose);
        setenv(kProbe, "kept", 1);
    }
    void TearDown() override {
        unsetenv(kCompose);
        unsetenv(kProbe);
    }
};

TEST_F(ComposeInput, TheLauncherReadsAnEmptyTableItsChildrenGetTheEnvironmentItWasGiven) {
    vantu::LeaveOutComposeTable();
    const char* table = std::getenv(kCompose);
    ASSERT_NE(table, nullptr);
    EXPECT_STREQ(table, "/dev/null");

    TempDir folder;
    EXPECT_EQ(ChildSees(folder), "unset kept");
}

// A table the user names, or an empty value, is the user's choice.
TEST_F(ComposeInput, AValueTheUserGaveStaysForTheLauncherAndItsChildren) {
    for (const std::string given : {"/home/someone/.XCompose", ""}) {
        setenv(kCompose, given.c_str(), 1);
        vantu::LeaveOutComposeTable();
        const char* table = std::getenv(kCompose);
        ASSERT_NE(table, nullptr);
        EXPECT_EQ(table, given);

        TempDir folder;
        EXPECT_EQ(ChildSees(folder), given + " kept");
    }
}

}  // namespace
