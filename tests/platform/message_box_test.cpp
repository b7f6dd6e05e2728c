// The plain message box, answered through the input seam from inside its own
// modal loop, and the debugger output.

#include "platform/shell/message_box.h"
#include "platform/window/display/display_seam.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

#include "platform/shell/debug_output.h"
#include "tests/platform/window/window_test_support.h"

namespace {

using namespace window_testing;
using platform::seam::RunPendingMessages;

constexpr UINT kAnswerNow = WM_APP + 7;
constexpr int kNoAnswer = 99;

// Ends a box that nobody answered within a bounded time with kNoAnswer.
class Watchdog {
  public:
    Watchdog()
        : m_thread([this] {
              std::unique_lock lock(m_mutex);
              if (!m_done.wait_for(lock, std::chrono::seconds(10), [this] { return m_stop; })) {
                  PostMessage(m_box.load(), WM_COMMAND, kNoAnswer, 0);
              }
          }) {}
    ~Watchdog() {
        {
            std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_done.notify_one();
        m_thread.join();
    }
    void Watch(HWND box) { m_box = box; }

  private:
    std::atomic<HWND> m_box{nullptr};
    std::mutex m_mutex;
    std::condition_variable m_done;
    bool m_stop = false;
    std::thread m_thread;
};

class MessageBoxTest : public WindowTest {
  protected:
    // Shows a box owned by `owner` and lets `answer` act on it from inside
    // the box's loop (the owner gets a posted message there).
    int Run(HWND owner, UINT type, const std::function<void(HWND box)>& answer) {
        Watchdog watchdog;
        Answers() = [&](HWND hwnd, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
            if (hwnd == owner && message == kAnswerNow) {
                HWND box = GetActiveWindow();
                watchdog.Watch(box);
                ownerEnabledMeanwhile = IsWindowEnabled(owner) != FALSE;
                boxSeen = box;
                answer(box);
                return 0;
            }
            return std::nullopt;
        };
        PostMessage(owner, kAnswerNow, 0, 0);
        int result = MessageBox(owner, L"升级尚未完成，确定退出？", L"提示", type);
        Answers() = nullptr;
        return result;
    }
    bool ownerEnabledMeanwhile = true;
    HWND boxSeen = nullptr;
};

void ClickCentre(HWND box, int id) {
    HWND button = GetDlgItem(box, id);
    ASSERT_NE(button, nullptr) << "no button " << id;
    RECT r;
    GetWindowRect(button, &r);
    POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ScreenToClient(box, &centre);
    platform::seam::MouseMove(box, centre.x, centre.y);
    platform::seam::MouseButton(box, SDL_BUTTON_LEFT, true, centre.x, centre.y);
    platform::seam::MouseButton(box, SDL_BUTTON_LEFT, false, centre.x, centre.y);
}

TEST_F(MessageBoxTest, ReturnAnswersOkWhileTheOwnerIsDisabled) {
    HWND owner = Top(100, 100, 400, 300);
    RunPendingMessages();
    int result = Run(owner, MB_OK | MB_ICONERROR, [](HWND box) {
        platform::seam::Key(box, SDLK_RETURN, true);
        platform::seam::Key(box, SDLK_RETURN, false);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_FALSE(ownerEnabledMeanwhile);
    EXPECT_TRUE(IsWindowEnabled(owner));
    ASSERT_NE(boxSeen, owner);
    EXPECT_FALSE(IsWindow(boxSeen));
    EXPECT_EQ(GetActiveWindow(), owner);
    EXPECT_EQ(Of(owner, WM_ENABLE).size(), 2u);
}

TEST_F(MessageBoxTest, ButtonsAnswerWithTheirIdsAndEscapeCancels) {
    HWND owner = Top(100, 100, 400, 300);
    RunPendingMessages();
    EXPECT_EQ(Run(owner, MB_OKCANCEL, [](HWND box) { ClickCentre(box, IDCANCEL); }), IDCANCEL);
    EXPECT_EQ(Run(owner, MB_OKCANCEL, [](HWND box) { ClickCentre(box, IDOK); }), IDOK);
    EXPECT_EQ(
        Run(owner, MB_OKCANCEL, [](HWND box) { platform::seam::Key(box, SDLK_ESCAPE, true); }),
        IDCANCEL);
    // Without Cancel, Escape and the close request give OK.
    EXPECT_EQ(Run(owner, MB_OK, [](HWND box) { platform::seam::Key(box, SDLK_ESCAPE, true); }),
              IDOK);
    EXPECT_EQ(Run(owner, MB_OK, [](HWND box) { platform::seam::CloseRequest(box); }), IDOK);
    EXPECT_TRUE(IsWindowEnabled(owner));
}

TEST_F(MessageBoxTest, QuitEndsTheBoxAndReachesTheCallersLoop) {
    HWND owner = Top(100, 100, 400, 300);
    RunPendingMessages();
    EXPECT_EQ(Run(owner, MB_OK, [](HWND) { PostQuitMessage(3); }), 0);
    EXPECT_TRUE(IsWindowEnabled(owner));
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(MessageBoxTest, AThousandBoxesComeAndGo) {
    // Run under the sanitizers, this is the leak check of the box's windows.
    HWND owner = Top(100, 100, 400, 300);
    RunPendingMessages();
    for (int i = 0; i < 1000; ++i) {
        ASSERT_EQ(
            Run(owner, MB_OKCANCEL, [](HWND box) { platform::seam::Key(box, SDLK_ESCAPE, true); }),
            IDCANCEL)
            << "box " << i;
        ASSERT_FALSE(IsWindow(boxSeen));
    }
}

TEST(DebugOutput, GoesToStandardErrorAsUtf8) {
    testing::internal::CaptureStderr();
    OutputDebugString(L"资源错误 MainWindow.xml\n");
    OutputDebugString(nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "资源错误 MainWindow.xml\n");
}

}  // namespace
