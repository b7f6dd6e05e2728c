// The window a thread without windows is posted to: a worker thread's posts
// reach its procedure through the thread's own message loop, in order.

#include "platform/window/message_window.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "tests/support/deadline.h"

namespace {

using namespace std::chrono_literals;

constexpr UINT kProgress = WM_USER + 7;
constexpr UINT kDone = WM_USER + 8;

thread_local std::vector<WPARAM> g_progress;

LRESULT CALLBACK Record(HWND, UINT message, WPARAM wParam, LPARAM) {
    if (message == kProgress) {
        g_progress.push_back(wParam);
    } else if (message == kDone) {
        PostQuitMessage(3);
    }
    return 0;
}

TEST(MessageWindow, PostsFromAnotherThreadReachItsProcedureInOrder) {
    g_progress.clear();
    platform::MessageWindow window(Record);
    ASSERT_NE(window.Handle(), nullptr);
    std::thread worker([hwnd = window.Handle()] {
        for (WPARAM i = 1; i <= 50; ++i) {
            PostMessage(hwnd, kProgress, i, 0);
        }
        PostMessage(hwnd, kDone, 0, 0);
    });
    const testing_support::Deadline deadline(10s);
    MSG msg{};
    while (testing_support::GetMessageBefore(deadline, &msg, "the worker's posts")) {
        DispatchMessage(&msg);
    }
    worker.join();
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 3u);
    ASSERT_EQ(g_progress.size(), 50u);
    for (WPARAM i = 0; i < 50; ++i) {
        EXPECT_EQ(g_progress[i], i + 1);
    }
}

TEST(MessageWindow, PostsToAGoneWindowAreRefused) {
    HWND gone;
    {
        platform::MessageWindow window(Record);
        gone = window.Handle();
        ASSERT_NE(gone, nullptr);
    }
    EXPECT_FALSE(PostMessage(gone, kProgress, 1, 0));
}

}  // namespace
