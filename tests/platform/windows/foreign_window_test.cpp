// Finding a top-level window by class and title and sending it a message
// with a time-out, as the launcher does with a running booster. The window
// lives on a thread of its own here, which the system treats as it treats
// another program's (on Linux the same calls are tested across programs on
// an X server, tests/platform/window/x11_window_test.cpp).

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/x11/foreign_window.h"
#include "tests/support/deadline.h"

using namespace std::chrono_literals;

namespace {

constexpr wchar_t kClass[] = L"VantuForeignWindowTest";
constexpr wchar_t kTitle[] = L"VantuSpeedUp";
// Answer of the window to the test's private message.
constexpr LRESULT kAnswer = 4242;
constexpr UINT kAnswerMessage = WM_APP + 1;
constexpr UINT kHangMessage = WM_APP + 2;

std::atomic<int> g_nullMessages{0};
std::atomic<bool> g_busy{false};

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NULL:
            ++g_nullMessages;
            return 0;
        case kAnswerMessage:
            return kAnswer + static_cast<LRESULT>(wParam) + lParam;
        case kHangMessage:
            // A receiver busy for longer than the sender waits.
            g_busy = true;
            Sleep(static_cast<DWORD>(wParam));
            g_busy = false;
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

// A window of the test class on its own thread, running its message loop
// until it is destroyed.
class WindowThread {
  public:
    WindowThread() {
        m_thread = std::thread([this] {
            WNDCLASSW windowClass{};
            windowClass.lpfnWndProc = Procedure;
            windowClass.hInstance = GetModuleHandleW(nullptr);
            windowClass.lpszClassName = kClass;
            RegisterClassW(&windowClass);
            HWND window = CreateWindowExW(0, kClass, kTitle, WS_OVERLAPPED, 0, 0, 100, 100, nullptr,
                                          nullptr, GetModuleHandleW(nullptr), nullptr);
            m_window = window;
            m_ready = true;
            MSG message;
            while (window != nullptr && GetMessageW(&message, nullptr, 0, 0) > 0) {
                DispatchMessageW(&message);
            }
        });
        testing_support::WaitUntil(testing_support::Deadline(10s),
                                   [this] { return m_ready.load(); });
    }
    ~WindowThread() {
        Close();
        m_thread.join();
    }
    WindowThread(const WindowThread&) = delete;
    WindowThread& operator=(const WindowThread&) = delete;

    HWND Window() const { return m_window; }

    void Close() {
        if (HWND window = m_window.exchange(nullptr); window != nullptr) {
            // Destroyed by its own thread, which then leaves its loop.
            PostMessageW(window, WM_CLOSE, 0, 0);
        }
    }

  private:
    std::atomic<HWND> m_window{nullptr};
    std::atomic<bool> m_ready{false};
    std::thread m_thread;
};

TEST(ForeignWindow, FoundByExactClassAndTitle) {
    WindowThread thread;
    ASSERT_NE(thread.Window(), nullptr);
    EXPECT_EQ(platform::FindForeignWindow(kClass, kTitle),
              reinterpret_cast<platform::ForeignWindow>(thread.Window()));
    EXPECT_EQ(platform::FindForeignWindow(kClass, L"VantuSpeedU"), 0u);
    EXPECT_EQ(platform::FindForeignWindow(kClass, L"VantuSpeedUp2"), 0u);
    EXPECT_EQ(platform::FindForeignWindow(L"VantuForeignWindowTes", kTitle), 0u);
}

TEST(ForeignWindow, NothingOnceTheWindowIsGone) {
    HWND window = nullptr;
    {
        WindowThread thread;
        window = thread.Window();
        ASSERT_NE(window, nullptr);
    }
    EXPECT_EQ(platform::FindForeignWindow(kClass, kTitle), 0u);
    EXPECT_FALSE(platform::SendForeignMessage(reinterpret_cast<platform::ForeignWindow>(window),
                                              WM_NULL, 0, 0, 500ms));
    EXPECT_FALSE(platform::SendForeignMessage(0, WM_NULL, 0, 0, 500ms));
}

TEST(ForeignWindow, MessageIsProcessedBeforeTheSendReturnsWithItsAnswer) {
    WindowThread thread;
    auto window = platform::FindForeignWindow(kClass, kTitle);
    ASSERT_NE(window, 0u);
    const int before = g_nullMessages;
    EXPECT_TRUE(platform::SendForeignMessage(window, WM_NULL, 0, 0, 2000ms));
    EXPECT_EQ(g_nullMessages, before + 1);
    LRESULT answer = 0;
    EXPECT_TRUE(platform::SendForeignMessage(window, kAnswerMessage, 3, 4, 2000ms, &answer));
    EXPECT_EQ(answer, kAnswer + 7);
}

TEST(ForeignWindow, ABusyReceiverHoldsTheSenderOnlyUntilTheTimeOut) {
    WindowThread thread;
    auto window = platform::FindForeignWindow(kClass, kTitle);
    ASSERT_NE(window, 0u);
    // Keeps the window's thread busy for 3 s without waiting for it.
    ASSERT_TRUE(PostMessageW(thread.Window(), kHangMessage, 3000, 0));
    ASSERT_TRUE(
        testing_support::WaitUntil(testing_support::Deadline(5s), [] { return g_busy.load(); }));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(platform::SendForeignMessage(window, WM_NULL, 0, 0, 500ms));
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_GE(elapsed, 400ms);
    EXPECT_LT(elapsed, 2500ms) << "the send waited for the busy receiver";
}

}  // namespace
