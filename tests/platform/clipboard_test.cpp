// The clipboard's text: kept in the process offscreen, and shared with other
// X programs (xclip) on a display of the test's own.

#include "platform/shell/clipboard.h"

#include <chrono>
#include <thread>

#include "tests/platform/window/window_test_support.h"
#include "tests/support/process.h"
#include "tests/support/temp_dir.h"
#include "tests/support/x_server.h"

namespace {

using namespace std::chrono_literals;
using testing_support::BackgroundProcess;
using testing_support::ProcessOptions;
using testing_support::RunProcess;

const std::string kText = "升级 Vantu 加速器 ✓ 1.2";

using window_testing::WindowTest;

TEST_F(WindowTest, ClipboardKeepsTextInTheProcessOffscreen) {
    Top(0, 0, 50, 50);
    ASSERT_TRUE(platform::SetClipboardText(L"第一 first"));
    EXPECT_EQ(platform::GetClipboardText(), L"第一 first");
    // Text ends at a NUL, as the clipboard's C strings do.
    ASSERT_TRUE(platform::SetClipboardText(std::wstring(L"ab\0cd", 5)));
    EXPECT_EQ(platform::GetClipboardText(), L"ab");
}

class ClipboardOnX : public testing::Test {
  protected:
    void SetUp() override {
        xclip = testing_support::FindProgram("xclip");
        if (!xclip) {
            GTEST_SKIP() << "xclip is not installed";
        }
        testing_support::StartXServerOrSkip(false, server);
        if (!server) {
            return;
        }
        probe = testing_support::BinDir() / "vantu_clipboard_probe";
    }

    ProcessOptions OnDisplay(std::vector<std::string> args) const {
        ProcessOptions options;
        options.args = std::move(args);
        // The window tests of this process run offscreen; the probe must not.
        // Under the sanitizers the probe's display keeps its D-Bus connection
        // until the end, which the leak check would count against it.
        // No session bus: starting one on demand could outlast the wait.
        options.env = {server->Env(), "SDL_VIDEODRIVER=x11", "ASAN_OPTIONS=detect_leaks=0",
                       "DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent/vantu-bus"};
        options.timeout = 10s;
        return options;
    }

    std::optional<std::filesystem::path> xclip;
    std::unique_ptr<testing_support::XServer> server;
    std::filesystem::path probe;
};

TEST_F(ClipboardOnX, AnotherProgramPastesWhatWeCopy) {
    BackgroundProcess copier(probe, OnDisplay({"set", kText}));
    ASSERT_TRUE(copier.WaitForOutput("set\n", 10s)) << copier.Err();
    auto pasted = RunProcess(*xclip, OnDisplay({"-o", "-selection", "clipboard"}));
    ASSERT_EQ(pasted.exitCode, 0) << pasted.err;
    EXPECT_EQ(pasted.out, kText);
}

TEST_F(ClipboardOnX, WePasteWhatAnotherProgramCopied) {
    testing_support::TempDir dir;
    testing_support::WriteFile(dir / "copied.txt", kText);
    // In the foreground (-quiet), serving pastes until it is killed.
    BackgroundProcess copier(*xclip, OnDisplay({"-quiet", "-selection", "clipboard", "-i",
                                                (dir / "copied.txt").string()}));
    auto deadline = std::chrono::steady_clock::now() + 10s;
    bool ready = false;
    while (!ready && std::chrono::steady_clock::now() < deadline) {
        ready = RunProcess(*xclip, OnDisplay({"-o", "-selection", "clipboard"})).out == kText;
        if (!ready) {
            std::this_thread::sleep_for(50ms);
        }
    }
    ASSERT_TRUE(ready) << "xclip never offered the text";
    // SDL gives up on an owner that answers slowly (a loaded machine): a few tries.
    testing_support::ProcessResult pasted;
    for (int attempt = 0; attempt < 3 && pasted.out != kText; ++attempt) {
        pasted = RunProcess(probe, OnDisplay({"get"}));
    }
    EXPECT_EQ(pasted.exitCode, 0) << pasted.err;
    EXPECT_EQ(pasted.out, kText);
}

}  // namespace
