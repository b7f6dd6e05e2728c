#include "platform/window/message_queue.h"

#include <gtest/gtest.h>

#include <future>
#include <memory>
#include <thread>
#include <vector>

#include "tests/support/deadline.h"

namespace {

using testing_support::Deadline;
using testing_support::GetMessageBefore;
using namespace std::chrono_literals;

std::vector<MSG>* g_seen = nullptr;

LRESULT CALLBACK RecordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (g_seen != nullptr) {
        g_seen->push_back(MSG{hwnd, message, wParam, lParam});
    }
    return static_cast<LRESULT>(wParam + 1);
}

class MessageQueueTest : public ::testing::Test {
  protected:
    void SetUp() override { g_seen = &seen; }
    void TearDown() override { g_seen = nullptr; }
    std::vector<MSG> seen;
};

TEST_F(MessageQueueTest, PostsFromOtherThreadsArriveInOrderPerThread) {
    HWND hwnd = platform::AddWindowHandle(RecordingProc);
    constexpr int kThreads = 4;
    constexpr int kEach = 5000;
    std::vector<std::jthread> posters;  // joined however the test ends
    for (int t = 0; t < kThreads; ++t) {
        posters.emplace_back([=] {
            for (int i = 0; i < kEach; ++i) {
                PostMessage(hwnd, WM_APP, static_cast<WPARAM>(t), i);
            }
        });
    }
    std::vector<LPARAM> next(kThreads, 0);
    MSG msg;
    for (int received = 0; received < kThreads * kEach; ++received) {
        ASSERT_TRUE(GetMessageBefore(Deadline(10s), &msg, "the posts of the other threads"));
        ASSERT_EQ(msg.lParam, next[msg.wParam]++);
    }
    platform::RemoveWindowHandle(hwnd);
}

TEST_F(MessageQueueTest, MessagesToAGoneWindowAreDropped) {
    HWND hwnd = platform::AddWindowHandle(RecordingProc);
    EXPECT_TRUE(PostMessage(hwnd, WM_APP, 1, 0));
    platform::RemoveWindowHandle(hwnd);
    EXPECT_FALSE(PostMessage(hwnd, WM_APP, 2, 0));
    EXPECT_FALSE(IsWindow(hwnd));
    MSG msg;
    EXPECT_FALSE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
}

// A filter's range holds both its ends; what lies outside it stays queued.
TEST_F(MessageQueueTest, AFilterRangeTakesBothItsEnds) {
    HWND hwnd = platform::AddWindowHandle(RecordingProc);
    PostMessage(hwnd, WM_APP, 1, 0);
    PostMessage(hwnd, WM_USER, 2, 0);
    PostMessage(hwnd, WM_USER + 1, 3, 0);
    MSG msg;
    EXPECT_FALSE(PeekMessage(&msg, nullptr, WM_USER + 2, WM_APP - 1, PM_REMOVE));
    ASSERT_TRUE(PeekMessage(&msg, nullptr, WM_USER, WM_USER, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER));
    EXPECT_EQ(msg.wParam, 2u);
    ASSERT_TRUE(PeekMessage(&msg, hwnd, WM_USER + 1, WM_APP - 1, PM_NOREMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 1));
    ASSERT_TRUE(GetMessageBefore(Deadline(10s), &msg, "the first message left"));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_APP));
    ASSERT_TRUE(PeekMessage(&msg, nullptr, WM_USER + 1, WM_USER + 1, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
    EXPECT_FALSE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    platform::RemoveWindowHandle(hwnd);
}

TEST_F(MessageQueueTest, QuitComesAfterPostedMessages) {
    HWND hwnd = platform::AddWindowHandle(RecordingProc);
    PostMessage(hwnd, WM_APP, 7, 0);
    PostQuitMessage(3);
    MSG msg;
    const Deadline deadline(10s);
    ASSERT_TRUE(GetMessageBefore(deadline, &msg, "the posted message"));
    DispatchMessage(&msg);
    ASSERT_FALSE(GetMessageBefore(deadline, &msg, "WM_QUIT"));
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 3u);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].wParam, 7u);
    platform::RemoveWindowHandle(hwnd);
}

TEST_F(MessageQueueTest, SendFromAnotherThreadWaitsForTheOwnersLoop) {
    HWND hwnd = platform::AddWindowHandle(RecordingProc);
    // The sender owns what it touches, so that a sender stuck in SendMessage
    // can be left behind when the test gives up on it.
    auto answered = std::make_shared<std::promise<LRESULT>>();
    std::future<LRESULT> answer = answered->get_future();
    std::thread([hwnd, answered] {
        const LRESULT result = SendMessage(hwnd, WM_USER, 41, 0);
        PostMessage(hwnd, WM_APP, 0, 0);
        answered->set_value(result);
    }).detach();
    MSG msg;
    const Deadline deadline(10s);
    // Runs the sent message, returns the post.
    EXPECT_TRUE(GetMessageBefore(deadline, &msg, "the post after the sent message"));
    ASSERT_EQ(answer.wait_for(deadline.Left()), std::future_status::ready)
        << "SendMessage did not return within " << deadline.Span().count() << " ms";
    EXPECT_EQ(answer.get(), 42);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].message, WM_USER);
    platform::RemoveWindowHandle(hwnd);
}

}  // namespace
