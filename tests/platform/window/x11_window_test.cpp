#include <gtest/gtest.h>
#include <poll.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "platform/x11/linux/x11_window_lookup.h"
#include "platform/x11/linux/x11_window_message.h"
#include "tests/support/x_server.h"

// After gtest: Xlib's macros (Bool, None, ...) would clash with its names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

using namespace std::chrono_literals;
using platform::FindForeignWindow;
using platform::ForeignMessage;
using platform::SendForeignMessage;
using testing_support::ScopedEnv;
using testing_support::XServer;

namespace {

using Clock = std::chrono::steady_clock;

// Another program's windows, played by a connection of our own whose events a
// thread handles like that program's event loop would.
class OtherProgram {
  public:
    enum class Behaviour { Answer, Ignore, CloseWindow };

    OtherProgram(const std::string& display, Behaviour behaviour)
        : m_display(XOpenDisplay(display.c_str())), m_behaviour(behaviour) {}
    ~OtherProgram() {
        m_stop = true;
        if (m_loop.joinable()) {
            m_loop.join();
        }
        XCloseDisplay(m_display);
    }

    bool ok() const { return m_display != nullptr; }

    Window Open(const std::string& className, const std::string& title) {
        Window window =
            XCreateSimpleWindow(m_display, DefaultRootWindow(m_display), 10, 10, 100, 80, 0, 0, 0);
        std::string name = className;
        XClassHint hint{name.data(), name.data()};
        XSetClassHint(m_display, window, &hint);
        XChangeProperty(m_display, window, XInternAtom(m_display, "_NET_WM_NAME", False),
                        XInternAtom(m_display, "UTF8_STRING", False), 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(title.data()),
                        static_cast<int>(title.size()));
        XMapWindow(m_display, window);
        XSync(m_display, False);
        return window;
    }

    void Run() {
        m_loop = std::thread([this] { Loop(); });
    }

    std::atomic<int> received{0};
    std::atomic<UINT> lastMessage{0};
    std::atomic<WPARAM> lastWParam{0};
    std::atomic<LPARAM> lastLParam{0};

  private:
    void Loop() {
        while (!m_stop) {
            while (XPending(m_display) > 0) {
                XEvent event;
                XNextEvent(m_display, &event);
                ForeignMessage message;
                if (!platform::ReadForeignMessage(m_display, event, message)) {
                    continue;
                }
                lastMessage = message.message;
                lastWParam = message.wParam;
                lastLParam = message.lParam;
                ++received;
                if (m_behaviour == Behaviour::Answer) {
                    platform::AnswerForeignMessage(m_display, message, 42);
                } else if (m_behaviour == Behaviour::CloseWindow) {
                    XDestroyWindow(m_display, message.window);
                    XFlush(m_display);
                }
            }
            pollfd fd{ConnectionNumber(m_display), POLLIN, 0};
            poll(&fd, 1, 20);
        }
    }

    Display* m_display;
    Behaviour m_behaviour;
    std::atomic<bool> m_stop{false};
    std::thread m_loop;
};

// A window manager reparents and lists windows a moment after they are mapped.
platform::ForeignWindow FindSoon(const std::wstring& className, const std::wstring& title) {
    auto deadline = Clock::now() + 3s;
    for (;;) {
        if (auto found = FindForeignWindow(className, title);
            found != 0 || Clock::now() > deadline) {
            return found;
        }
        std::this_thread::sleep_for(10ms);
    }
}

TEST(ForeignWindow, NothingIsFoundOrSentWithoutADisplay) {
    ScopedEnv noDisplay("DISPLAY", std::nullopt);
    EXPECT_EQ(FindForeignWindow(L"MainWindow", L"VantuSpeedUp"), 0u);
    EXPECT_FALSE(SendForeignMessage(0x200002, WM_NULL, 0, 0, 100ms));
}

class ForeignWindowOnX : public testing::TestWithParam<bool> {
  protected:
    void SetUp() override {
        testing_support::StartXServerOrSkip(GetParam(), m_server);
        if (!m_server) {
            return;
        }
        m_env = std::make_unique<ScopedEnv>("DISPLAY", m_server->Display());
    }

    std::unique_ptr<XServer> m_server;
    std::unique_ptr<ScopedEnv> m_env;
};

TEST_P(ForeignWindowOnX, FindsByExactClassAndTitle) {
    OtherProgram other(m_server->Display(), OtherProgram::Behaviour::Answer);
    ASSERT_TRUE(other.ok());
    other.Open("MainWindow", "VantuSpeedUpX");
    other.Open("MainWindowX", "VantuSpeedUp");
    Window wanted = other.Open("MainWindow", "VantuSpeedUp");
    Window chinese = other.Open("UpgradeWindow", "加速器");

    EXPECT_EQ(FindSoon(L"MainWindow", L"VantuSpeedUp"), wanted);
    EXPECT_EQ(FindSoon(L"UpgradeWindow", L"加速器"), chinese);
    EXPECT_EQ(FindForeignWindow(L"UpgradeWindow", L"VantuSpeedUp"), 0u);
    EXPECT_EQ(FindForeignWindow(L"MainWindow", L"VantuSpeed"), 0u);
}

TEST_P(ForeignWindowOnX, SendWaitsForTheAnswer) {
    OtherProgram other(m_server->Display(), OtherProgram::Behaviour::Answer);
    ASSERT_TRUE(other.ok());
    Window window = other.Open("MainWindow", "VantuSpeedUp");
    other.Run();
    LRESULT result = 0;
    ASSERT_TRUE(SendForeignMessage(window, WM_USER + 5, 7, -3, 3s, &result));
    // The answer came after the message was handled, not merely delivered.
    EXPECT_EQ(other.received, 1);
    EXPECT_EQ(result, 42);
    EXPECT_EQ(other.lastMessage, WM_USER + 5);
    EXPECT_EQ(other.lastWParam, 7u);
    EXPECT_EQ(other.lastLParam, -3);
    EXPECT_TRUE(SendForeignMessage(window, WM_NULL, 0, 0, 3s));
    EXPECT_EQ(other.received, 2);
}

TEST_P(ForeignWindowOnX, AHungReceiverCostsOnlyTheTimeOut) {
    OtherProgram other(m_server->Display(), OtherProgram::Behaviour::Ignore);
    ASSERT_TRUE(other.ok());
    Window window = other.Open("MainWindow", "VantuSpeedUp");
    other.Run();
    auto start = Clock::now();
    EXPECT_FALSE(SendForeignMessage(window, WM_NULL, 0, 0, 200ms));
    auto elapsed = Clock::now() - start;
    EXPECT_GE(elapsed, 200ms);
    EXPECT_LT(elapsed, 2s);
    EXPECT_EQ(other.received, 1);
}

TEST_P(ForeignWindowOnX, AWindowThatGoesAwayEndsTheWait) {
    OtherProgram other(m_server->Display(), OtherProgram::Behaviour::CloseWindow);
    ASSERT_TRUE(other.ok());
    Window window = other.Open("MainWindow", "VantuSpeedUp");
    other.Run();
    auto start = Clock::now();
    EXPECT_FALSE(SendForeignMessage(window, WM_NULL, 0, 0, 10s));
    EXPECT_LT(Clock::now() - start, 5s);
    // And a window that is gone already fails at once.
    start = Clock::now();
    EXPECT_FALSE(SendForeignMessage(window, WM_NULL, 0, 0, 10s));
    EXPECT_LT(Clock::now() - start, 5s);
}

INSTANTIATE_TEST_SUITE_P(WindowManager, ForeignWindowOnX, testing::Values(false, true),
                         [](const auto& info) { return info.param ? "openbox" : "none"; });

}  // namespace
