#include <thread>

#include "platform/window/display/display_events.h"
#include "platform/window/display/display_seam.h"
#include "tests/platform/window/window_test_support.h"
#include "tests/support/deadline.h"

namespace {

using namespace window_testing;
using platform::seam::RunPendingMessages;

TEST_F(WindowTest, MouseGoesToTheWindowUnderThePointerInItsCoordinates) {
    HWND top = Top(100, 100, 300, 200);
    HWND child = MakeChild(top, 50, 40, 100, 60);
    RunPendingMessages();
    Log().clear();

    platform::seam::MouseMove(top, 60, 50);
    platform::seam::MouseButton(top, SDL_BUTTON_LEFT, true, 5, 6);
    platform::seam::MouseButton(top, SDL_BUTTON_LEFT, false, 5, 6);
    platform::seam::MouseButton(top, SDL_BUTTON_RIGHT, true, 149, 99);
    RunPendingMessages();

    auto moves = Of(child, WM_MOUSEMOVE);
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(PointOf(moves[0].lParam), (POINT{10, 10}));
    auto downs = Of(top, WM_LBUTTONDOWN);
    ASSERT_EQ(downs.size(), 1u);
    EXPECT_EQ(PointOf(downs[0].lParam), (POINT{5, 6}));
    EXPECT_EQ(downs[0].wParam & MK_LBUTTON, MK_LBUTTON);
    EXPECT_EQ(Of(top, WM_LBUTTONUP)[0].wParam & MK_LBUTTON, 0u);
    auto right = Of(child, WM_RBUTTONDOWN);
    ASSERT_EQ(right.size(), 1u);
    EXPECT_EQ(PointOf(right[0].lParam), (POINT{99, 59}));
    // The hit test is asked first (screen coordinates), then the cursor.
    auto hits = Of(child, WM_NCHITTEST);
    ASSERT_FALSE(hits.empty());
    EXPECT_EQ(PointOf(hits[0].lParam), (POINT{160, 150}));
    EXPECT_FALSE(Of(child, WM_SETCURSOR).empty());

    // A double click reaches a class with CS_DBLCLKS as such.
    Log().clear();
    platform::seam::MouseButton(top, SDL_BUTTON_LEFT, true, 5, 6, 2);
    platform::seam::MouseButton(top, SDL_BUTTON_LEFT, false, 5, 6, 2);
    platform::seam::MouseWheel(top, -1);
    RunPendingMessages();
    EXPECT_EQ(Of(top, WM_LBUTTONDBLCLK).size(), 1u);
    auto wheel = Of(top, WM_MOUSEWHEEL);
    ASSERT_EQ(wheel.size(), 1u);
    EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(wheel[0].wParam), -WHEEL_DELTA);
    EXPECT_EQ(PointOf(wheel[0].lParam), (POINT{105, 106}));
}

TEST_F(WindowTest, CaptureKeepsTheMouseAndCaptionHitsAreNonClient) {
    HWND top = Top(0, 0, 300, 200);
    HWND child = MakeChild(top, 50, 40, 100, 60);
    Answers() = [&](HWND hwnd, UINT message, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        if (hwnd == top && message == WM_NCHITTEST) {
            POINT p = PointOf(lParam);
            ScreenToClient(top, &p);
            if (p.y < 30) {
                return HTCAPTION;
            }
            if (p.x >= 296) {
                return HTRIGHT;
            }
        }
        return std::nullopt;
    };
    RunPendingMessages();
    EXPECT_EQ(platform::seam::HitTest(top, 100, 10), SDL_HITTEST_DRAGGABLE);
    EXPECT_EQ(platform::seam::HitTest(top, 298, 100), SDL_HITTEST_RESIZE_RIGHT);
    EXPECT_EQ(platform::seam::HitTest(top, 10, 100), SDL_HITTEST_NORMAL);
    EXPECT_EQ(platform::seam::HitTest(top, 60, 50), SDL_HITTEST_NORMAL);  // over the child

    Log().clear();
    platform::seam::MouseButton(top, SDL_BUTTON_LEFT, true, 100, 10);
    RunPendingMessages();
    EXPECT_TRUE(Of(top, WM_LBUTTONDOWN).empty());
    auto nc = Of(top, WM_NCLBUTTONDOWN);
    ASSERT_EQ(nc.size(), 1u);
    EXPECT_EQ(static_cast<LRESULT>(nc[0].wParam), HTCAPTION);

    SetCapture(child);
    EXPECT_EQ(GetCapture(), child);
    Log().clear();
    platform::seam::MouseMove(top, 10, 20);
    RunPendingMessages();
    auto moves = Of(child, WM_MOUSEMOVE);
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(PointOf(moves[0].lParam), (POINT{-40, -20}));
    EXPECT_TRUE(Of(top, WM_MOUSEMOVE).empty());
    ReleaseCapture();
    EXPECT_EQ(Of(child, WM_CAPTURECHANGED).size(), 1u);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(WindowTest, HoverAndLeaveAreReportedOnceWhenTracked) {
    HWND top = Top(0, 0, 300, 200);
    HWND child = MakeChild(top, 50, 40, 100, 60);
    RunPendingMessages();
    platform::seam::MouseMove(top, 60, 50);
    RunPendingMessages();
    TRACKMOUSEEVENT track;
    track.dwFlags = TME_HOVER | TME_LEAVE;
    track.hwndTrack = child;
    track.dwHoverTime = 20;
    ASSERT_TRUE(_TrackMouseEvent(&track));
    Log().clear();
    MSG msg;
    const testing_support::Deadline deadline(std::chrono::seconds(2));
    while (Of(child, WM_MOUSEHOVER).empty() &&
           testing_support::GetMessageBefore(deadline, &msg, "WM_MOUSEHOVER")) {
        DispatchMessage(&msg);
    }
    auto hover = Of(child, WM_MOUSEHOVER);
    ASSERT_EQ(hover.size(), 1u);
    EXPECT_EQ(PointOf(hover[0].lParam), (POINT{10, 10}));
    platform::seam::MouseMove(top, 5, 5);
    platform::seam::MouseMove(top, 6, 5);
    RunPendingMessages();
    EXPECT_EQ(Of(child, WM_MOUSELEAVE).size(), 1u);
    EXPECT_TRUE(Of(top, WM_MOUSELEAVE).empty());

    // Tracking a window the pointer is not over reports the leave at once.
    track.dwFlags = TME_LEAVE;
    ASSERT_TRUE(_TrackMouseEvent(&track));
    RunPendingMessages();
    EXPECT_EQ(Of(child, WM_MOUSELEAVE).size(), 2u);
}

TEST_F(WindowTest, KeysReachTheFocusWithVirtualKeyCodesAndCharacters) {
    HWND top = Top(0, 0, 300, 200);
    HWND child = MakeChild(top, 50, 40, 100, 60);
    RunPendingMessages();
    platform::seam::Focus(top, false);
    RunPendingMessages();
    EXPECT_EQ(GetFocus(), nullptr);
    Log().clear();
    platform::seam::Focus(top, true);
    RunPendingMessages();
    EXPECT_EQ(GetActiveWindow(), top);
    EXPECT_EQ(GetFocus(), top);
    ASSERT_EQ(Of(top, WM_ACTIVATE).size(), 1u);
    EXPECT_EQ(Of(top, WM_SETFOCUS).size(), 1u);

    Log().clear();
    SetFocus(child);
    auto kill = Of(top, WM_KILLFOCUS);
    ASSERT_EQ(kill.size(), 1u);
    EXPECT_EQ(reinterpret_cast<HWND>(kill[0].wParam), child);
    EXPECT_EQ(reinterpret_cast<HWND>(Of(child, WM_SETFOCUS)[0].wParam), top);

    Log().clear();
    platform::seam::Key(top, SDLK_a, true);
    platform::seam::Text(top, "a中");
    platform::seam::Key(top, SDLK_a, false);
    platform::seam::Key(top, SDLK_RETURN, true);
    platform::seam::Key(top, SDLK_LEFT, true, KMOD_NONE, true);
    platform::seam::Key(top, SDLK_LSHIFT, true, KMOD_LSHIFT);
    RunPendingMessages();
    auto downs = Of(child, WM_KEYDOWN);
    ASSERT_EQ(downs.size(), 4u);
    EXPECT_EQ(downs[0].wParam, static_cast<WPARAM>('A'));
    EXPECT_EQ(downs[1].wParam, static_cast<WPARAM>(VK_RETURN));
    EXPECT_EQ(downs[2].wParam, static_cast<WPARAM>(VK_LEFT));
    EXPECT_NE(downs[2].lParam & (1 << 30), 0);  // a repeat
    EXPECT_EQ(downs[3].wParam, static_cast<WPARAM>(VK_SHIFT));
    EXPECT_LT(GetKeyState(VK_SHIFT), 0);
    auto up = Of(child, WM_KEYUP);
    ASSERT_EQ(up.size(), 1u);
    EXPECT_NE(static_cast<std::uint32_t>(up[0].lParam) & 0x80000000u, 0u);
    auto chars = Of(child, WM_CHAR);
    ASSERT_EQ(chars.size(), 3u);
    EXPECT_EQ(chars[0].wParam, static_cast<WPARAM>('a'));
    EXPECT_EQ(chars[1].wParam, static_cast<WPARAM>(L'中'));
    EXPECT_EQ(chars[2].wParam, static_cast<WPARAM>('\r'));
    platform::seam::Key(top, SDLK_LSHIFT, false, KMOD_NONE);

    // Alt combinations are system keys with a system character, and no text.
    Log().clear();
    platform::seam::Key(top, SDLK_LALT, true, KMOD_LALT);
    platform::seam::Key(top, SDLK_f, true, KMOD_LALT);
    platform::seam::Text(top, "f");
    platform::seam::Key(top, SDLK_f, false, KMOD_LALT);
    platform::seam::Key(top, SDLK_LALT, false, KMOD_NONE);
    RunPendingMessages();
    auto sys = Of(child, WM_SYSKEYDOWN);
    ASSERT_EQ(sys.size(), 2u);
    EXPECT_EQ(sys[0].wParam, static_cast<WPARAM>(VK_MENU));
    EXPECT_EQ(sys[1].wParam, static_cast<WPARAM>('F'));
    EXPECT_NE(sys[1].lParam & (1 << 29), 0);
    auto sysChar = Of(child, WM_SYSCHAR);
    ASSERT_EQ(sysChar.size(), 1u);
    EXPECT_EQ(sysChar[0].wParam, static_cast<WPARAM>('f'));
    EXPECT_TRUE(Of(child, WM_CHAR).empty());
    EXPECT_EQ(Of(child, WM_SYSKEYUP).size(), 2u);
    EXPECT_GE(GetKeyState(VK_MENU), 0);

    // A disabled window gets no keys.
    Log().clear();
    EnableWindow(child, FALSE);
    EXPECT_EQ(GetFocus(), nullptr);
    platform::seam::Key(top, SDLK_b, true);
    RunPendingMessages();
    EXPECT_TRUE(Of(child, WM_KEYDOWN).empty());
    EXPECT_EQ(Of(top, WM_KEYDOWN).size(), 1u);  // the active window instead
}

TEST_F(WindowTest, InputMethodCompositionEndsInCharacters) {
    HWND top = Top(0, 0, 100, 100, WS_POPUP | WS_VISIBLE);
    RunPendingMessages();
    Log().clear();
    platform::seam::Composition(top, "sheng", 5);
    RunPendingMessages();
    int cursor = -1;
    EXPECT_EQ(platform::ImeComposition(&cursor), L"sheng");
    EXPECT_EQ(cursor, 5);
    platform::seam::Composition(top, "升", 1);
    platform::seam::Text(top, "升");
    RunPendingMessages();
    std::vector<UINT> order;
    for (const auto& s : Of(top)) {
        if (s.message >= WM_IME_STARTCOMPOSITION && s.message <= WM_IME_COMPOSITION) {
            order.push_back(s.message);
        } else if (s.message == WM_CHAR) {
            order.push_back(s.message);
            EXPECT_EQ(s.wParam, static_cast<WPARAM>(L'升'));
        }
    }
    EXPECT_EQ(order, (std::vector<UINT>{WM_IME_STARTCOMPOSITION, WM_IME_COMPOSITION,
                                        WM_IME_COMPOSITION, WM_IME_ENDCOMPOSITION, WM_CHAR}));
    EXPECT_EQ(platform::ImeComposition(), L"");
}

TEST_F(WindowTest, KeyStateIsThatOfTheMessageBeingHandled) {
    HWND top = Top(0, 0, 100, 100);
    RunPendingMessages();
    std::vector<bool> ctrlSeen;
    Answers() = [&](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_KEYDOWN) {
            ctrlSeen.push_back(GetKeyState(VK_CONTROL) < 0);
        }
        return std::nullopt;
    };
    // Ctrl+A then A alone, all queued before the loop runs.
    platform::seam::Key(top, SDLK_LCTRL, true, KMOD_LCTRL);
    platform::seam::Key(top, SDLK_a, true, KMOD_LCTRL);
    platform::seam::Key(top, SDLK_a, false, KMOD_LCTRL);
    platform::seam::Key(top, SDLK_LCTRL, false, KMOD_NONE);
    platform::seam::Key(top, SDLK_a, true, KMOD_NONE);
    RunPendingMessages();
    EXPECT_EQ(ctrlSeen, (std::vector<bool>{true, true, false}));
    auto chars = Of(top, WM_CHAR);
    ASSERT_EQ(chars.size(), 1u);
    EXPECT_EQ(chars[0].wParam, 1u);  // Ctrl+A
}

TEST_F(WindowTest, ADisplayEventFilterSeesEventsFirst) {
    HWND top = Top(0, 0, 100, 100);
    RunPendingMessages();
    int filtered = 0;
    platform::SetDisplayEventFilter([&](const SDL_Event& e) {
        ++filtered;
        return e.type == SDL_KEYDOWN;  // keys are taken, the rest passes
    });
    Log().clear();
    platform::seam::Key(top, SDLK_a, true);
    platform::seam::MouseMove(top, 5, 5);
    RunPendingMessages();
    platform::SetDisplayEventFilter(nullptr);
    EXPECT_EQ(filtered, 2);
    EXPECT_TRUE(Of(top, WM_KEYDOWN).empty());
    EXPECT_EQ(Of(top, WM_MOUSEMOVE).size(), 1u);
}

TEST_F(WindowTest, TheCloseButtonAsksTheWindowToClose) {
    HWND top = Top(0, 0, 100, 100);
    RunPendingMessages();
    Log().clear();
    platform::seam::CloseRequest(top);
    RunPendingMessages();
    EXPECT_EQ(Of(top, WM_SYSCOMMAND).size(), 1u);
    EXPECT_EQ(Of(top, WM_CLOSE).size(), 1u);
    EXPECT_FALSE(IsWindow(top));  // DefWindowProc destroys on WM_CLOSE
}

}  // namespace
