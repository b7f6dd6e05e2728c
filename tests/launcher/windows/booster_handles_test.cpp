// The booster the launcher starts on Windows gets the standard handles alone,
// even where the launcher holds an inheritable handle (the Linux suites check
// the descriptors through /proc). A sleeping program stands in for the
// booster, so that the handle is looked at while the child surely runs.

#include <windows.h>

#include <gtest/gtest.h>

#include "launcher/booster.h"
#include "platform/text/text_codec.h"
#include "tests/launcher/process_probe.h"
#include "tests/support/process.h"
#include "tests/support/temp_dir.h"

namespace {

TEST(LaunchBooster, TheBoosterInheritsNoHandleButTheStandardOnes) {
    testing_support::TempDir install;
    std::filesystem::copy_file(testing_support::BinDir() / "vantu-sleep.exe",
                               install / "VantuSpeedUp.exe");
    // Both ends inheritable, as a careless library in the launcher would
    // leave them.
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    ASSERT_TRUE(CreatePipe(&readEnd, &writeEnd, &inherit, 0));
    const auto before = launcher_test::ChildProcesses();

    vantu::LaunchBooster(testing_support::WidePath(install.path()) + L"\\");

    HANDLE booster = nullptr;
    for (long child : launcher_test::ChildProcesses()) {
        if (!before.contains(child)) {
            booster = OpenProcess(PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE,
                                  static_cast<DWORD>(child));
        }
    }
    ASSERT_NE(booster, nullptr) << "no booster was started";
    // With our write end closed, the pipe is broken unless the booster holds
    // a copy.
    CloseHandle(writeEnd);
    DWORD available = 0;
    const BOOL peeked = PeekNamedPipe(readEnd, nullptr, 0, nullptr, &available, nullptr);
    const DWORD error = GetLastError();
    DWORD status = 0;
    GetExitCodeProcess(booster, &status);
    TerminateProcess(booster, 0);
    WaitForSingleObject(booster, 5000);
    CloseHandle(booster);
    CloseHandle(readEnd);
    EXPECT_EQ(status, static_cast<DWORD>(STILL_ACTIVE)) << "the booster ended before the check";
    EXPECT_FALSE(peeked) << "the booster inherited the pipe's write end";
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_BROKEN_PIPE));
}

}  // namespace
