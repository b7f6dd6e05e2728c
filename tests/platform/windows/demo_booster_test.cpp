// The demo booster on Windows, as the launcher meets it: found by class and
// title from another program and sent message 0, which it reports; and made
// in other versions by vantu-versioninfo (Windows only: on Linux the same
// runs over X11, tests/launcher/running_booster_test.cpp).

#include <gtest/gtest.h>

#include <chrono>

#include "platform/resources/version_info.h"
#include "platform/x11/foreign_window.h"
#include "tests/support/process.h"
#include "tests/support/temp_dir.h"

using namespace std::chrono_literals;
using testing_support::BackgroundProcess;
using testing_support::BinDir;
using testing_support::ProcessOptions;
using testing_support::RunProcess;

namespace {

std::filesystem::path Booster() {
    return BinDir() / "VantuSpeedUp.exe";
}

TEST(DemoBooster, FoundFromAnotherProgramAndReportsEachMessage0) {
    ProcessOptions options;
    options.args = {"-show", "-upgrade-window"};
    BackgroundProcess booster(Booster(), options);
    ASSERT_TRUE(booster.WaitForOutput("ready\n", 20s)) << booster.Err();
    auto main = platform::FindForeignWindow(L"MainWindow", L"VantuSpeedUp");
    auto upgrade = platform::FindForeignWindow(L"UpgradeWindow", L"VantuSpeedUp");
    ASSERT_NE(main, 0u);
    ASSERT_NE(upgrade, 0u);
    EXPECT_NE(main, upgrade);
    EXPECT_EQ(platform::FindForeignWindow(L"MainWindow", L"VantuSpeedUp "), 0u);
    // Answered only once the booster handled it: its report is already there.
    EXPECT_TRUE(platform::SendForeignMessage(upgrade, WM_NULL, 0, 0, 2000ms));
    EXPECT_EQ(booster.Out(), "ready\nmessage 0 to UpgradeWindow (1)\n");
    EXPECT_TRUE(platform::SendForeignMessage(main, WM_NULL, 0, 0, 2000ms));
    EXPECT_TRUE(platform::SendForeignMessage(main, WM_NULL, 0, 0, 2000ms));
    EXPECT_EQ(booster.Out(),
              "ready\nmessage 0 to UpgradeWindow (1)\nmessage 0 to MainWindow (1)\n"
              "message 0 to MainWindow (2)\n");
}

TEST(DemoBooster, GoneBoosterIsNotFound) {
    {
        ProcessOptions options;
        options.args = {"-window"};
        BackgroundProcess booster(Booster(), options);
        ASSERT_TRUE(booster.WaitForOutput("ready\n", 20s)) << booster.Err();
        ASSERT_NE(platform::FindForeignWindow(L"MainWindow", L"VantuSpeedUp"), 0u);
    }
    EXPECT_EQ(platform::FindForeignWindow(L"MainWindow", L"VantuSpeedUp"), 0u);
}

TEST(DemoBooster, RecordsItsStartAndEndsWithoutWindowWhenRecorded) {
    testing_support::TempDir dir;
    ProcessOptions options;
    options.args = {"-show", "-oemid:178"};
    options.env = {"VANTU_BOOSTER_RECORD=" + (dir / "record").string()};
    options.timeout = 20s;
    auto run = RunProcess(Booster(), options);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(testing_support::ReadFile(dir / "record").find("arg -show\narg -oemid:178\nend\n"),
              std::string::npos);
}

TEST(VersionInfoTool, SetGivesAProgramAnotherVersionAndKeepsItRunning) {
    testing_support::TempDir dir;
    const auto copy = dir / "VantuSpeedUp.exe";
    ProcessOptions options;
    options.args = {"set", Booster().string(), copy.string(), "2.3.40.5"};
    options.timeout = 20s;
    auto set = RunProcess(BinDir() / "vantu-versioninfo.exe", options);
    ASSERT_EQ(set.exitCode, 0) << set.err;

    auto system = platform::VersionInfoBlock::ReadFromFile(copy.wstring());
    auto own = platform::VersionInfoBlock::ReadWithOwnReader(copy.wstring());
    ASSERT_TRUE(system.has_value());
    ASSERT_TRUE(own.has_value());
    EXPECT_EQ(system->Text(L"\\StringFileInfo\\080404b0\\FileVersion"), L"2.3.40.5");
    EXPECT_EQ(own->bytes(), system->bytes());
    // The original keeps its version, and the copy still runs.
    auto original = platform::VersionInfoBlock::ReadFromFile(Booster().wstring());
    ASSERT_TRUE(original.has_value());
    EXPECT_NE(original->Text(L"\\StringFileInfo\\080404b0\\FileVersion"), L"2.3.40.5");
    options.args = {};
    EXPECT_EQ(RunProcess(copy, options).exitCode, 0);
}

TEST(VersionInfoTool, SetRefusesWhatIsNotAProgram) {
    testing_support::TempDir dir;
    testing_support::WriteFile(dir / "text.exe", "not a program");
    ProcessOptions options;
    options.args = {"set", (dir / "text.exe").string(), (dir / "out.exe").string(), "1.2.3.4"};
    options.timeout = 20s;
    auto set = RunProcess(BinDir() / "vantu-versioninfo.exe", options);
    EXPECT_EQ(set.exitCode, 1);
    EXPECT_NE(set.err, "");
    EXPECT_FALSE(std::filesystem::exists(dir / "out.exe"));
}

}  // namespace
