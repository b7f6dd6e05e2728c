// Opening a web address: the desktop's opener gets the address and no
// descriptor beyond the standard streams, and is not waited for.

#include "platform/shell/shell_execute.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "tests/support/temp_dir.h"
#include "tests/support/x_server.h"

namespace {

using namespace std::chrono_literals;
using testing_support::ReadFile;
using testing_support::ScopedEnv;
using testing_support::TempDir;
using testing_support::WriteFile;

std::intptr_t Code(HINSTANCE result) {
    return reinterpret_cast<std::intptr_t>(result);
}

// An opener that notes whether descriptor $LEAK_FD reached it, then waits for
// the file "go" (which the test makes only after ShellExecute returned)
// before it writes the address it got.
constexpr const char* kOpener = R"(#!/bin/sh
dir=$(dirname "$0")
if [ -e /proc/$$/fd/$LEAK_FD ]; then echo leaked; else echo closed; fi > "$dir/descriptor"
i=0
while [ ! -e "$dir/go" ] && [ $i -lt 100 ]; do sleep 0.1; i=$((i+1)); done
if [ -e "$dir/go" ]; then echo "$1" > "$dir/opened.tmp"; else echo waited > "$dir/opened.tmp"; fi
mv "$dir/opened.tmp" "$dir/opened"
)";

TEST(ShellExecute, OpensAWebAddressWithoutWaitingOrLeakingDescriptors) {
    TempDir dir;
    WriteFile(dir / "xdg-open", kOpener);
    std::filesystem::permissions(dir / "xdg-open", std::filesystem::perms::owner_all);
    const char* path = std::getenv("PATH");
    ScopedEnv onPath("PATH",
                     dir.path().string() + ":" + (path != nullptr ? path : "/usr/bin:/bin"));
    // fopen leaves close-on-exec off: the opener must not get it all the same.
    std::FILE* ours = std::fopen((dir / "ours").c_str(), "w");
    ASSERT_NE(ours, nullptr);
    ScopedEnv leak("LEAK_FD", std::to_string(fileno(ours)));

    const wchar_t* address = L"http://www.vantu.example.com/?oemid=178";
    EXPECT_GT(Code(ShellExecute(nullptr, L"open", address, nullptr, nullptr, SW_SHOWNORMAL)), 32);
    WriteFile(dir / "go", "");
    auto deadline = std::chrono::steady_clock::now() + 15s;
    while (!std::filesystem::exists(dir / "opened") &&
           std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(20ms);
    }
    std::fclose(ours);
    ASSERT_TRUE(std::filesystem::exists(dir / "opened")) << "the opener never finished";
    EXPECT_EQ(ReadFile(dir / "opened"), "http://www.vantu.example.com/?oemid=178\n");
    EXPECT_EQ(ReadFile(dir / "descriptor"), "closed\n");
}

TEST(ShellExecute, FailsCleanlyWithoutAnOpenerOrForOtherThings) {
    TempDir empty;
    {
        ScopedEnv noOpener("PATH", empty.path().string());
        EXPECT_EQ(Code(ShellExecute(nullptr, L"open", L"https://example.com/", nullptr, nullptr,
                                    SW_SHOWNORMAL)),
                  SE_ERR_FNF);
    }
    EXPECT_EQ(Code(ShellExecute(nullptr, L"open", L"/etc/passwd", nullptr, nullptr, 1)),
              SE_ERR_NOASSOC);
    EXPECT_EQ(Code(ShellExecute(nullptr, L"edit", L"https://example.com/", nullptr, nullptr, 1)),
              SE_ERR_NOASSOC);
}

}  // namespace
