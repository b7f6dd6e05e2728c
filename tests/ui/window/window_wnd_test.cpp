// The native window behind a window object: registration, superclassing,
// message routing, modal running and centring.

#include "ui/core/window/window_wnd.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "tests/platform/window/window_test_support.h"

namespace VantuUI {
namespace {

using test_input::RunPendingMessages;

constexpr UINT kAsk = WM_APP + 3;

class RecordingWindow : public CWindowWnd {
  public:
    const wchar_t* ClassName() const override { return L"VantuRecordingWindow"; }
    LRESULT ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        seen.push_back(message);
        if (onMessage) {
            onMessage(message, wParam);
        }
        return CWindowWnd::ProcessMessage(message, wParam, lParam);
    }
    void OnWindowGone(HWND hwnd) override { gone = hwnd; }

    std::vector<UINT> seen;
    std::function<void(UINT, WPARAM)> onMessage;
    HWND gone = nullptr;
};

LRESULT CALLBACK BaseClassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kAsk) {
        return 42;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

class SuperclassedWindow : public CWindowWnd {
  public:
    const wchar_t* ClassName() const override { return L"VantuSuperclassed"; }
    const wchar_t* BaseClassName() const override { return base; }
    const wchar_t* base = L"VantuBaseForSuperclass";
};

bool Contains(const std::vector<UINT>& seen, UINT message) {
    return std::find(seen.begin(), seen.end(), message) != seen.end();
}

class WindowWndTest : public window_testing::WindowTest {};

TEST_F(WindowWndTest, MessagesReachTheObjectUntilTheWindowIsGone) {
    RecordingWindow window;
    HWND hwnd = window.Create(nullptr, L"w", WS_POPUP, 0, 10, 10, 200, 100);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(window.Handle(), hwnd);
    EXPECT_TRUE(Contains(window.seen, WM_CREATE));
    // Registered classes keep the object in the user data.
    EXPECT_EQ(GetWindowLongPtr(hwnd, GWLP_USERDATA), reinterpret_cast<LONG_PTR>(&window));

    window.Close(5);
    RunPendingMessages();
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_TRUE(Contains(window.seen, WM_DESTROY));
    EXPECT_FALSE(Contains(window.seen, WM_NCDESTROY));  // ends at OnWindowGone instead
    EXPECT_EQ(window.gone, hwnd);
    EXPECT_EQ(window.Handle(), nullptr);
    window.Close(5);  // on a window that is gone: nothing
}

TEST_F(WindowWndTest, AnObjectDyingFirstTakesItsWindowAlong) {
    HWND hwnd = nullptr;
    {
        RecordingWindow window;
        hwnd = window.Create(nullptr, L"w", WS_POPUP, 0, 0, 0, 50, 50);
        ASSERT_NE(hwnd, nullptr);
    }
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(WindowWndTest, SuperclassKeepsTheBaseProcedureAndTheObjectInAProperty) {
    WNDCLASS base{};
    base.lpfnWndProc = BaseClassProc;
    base.lpszClassName = L"VantuBaseForSuperclass";
    RegisterClass(&base);

    SuperclassedWindow window;
    HWND hwnd = window.Create(nullptr, L"s", WS_POPUP, 0, 0, 0, 50, 50);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(SendMessage(hwnd, kAsk, 0, 0), 42);
    EXPECT_EQ(GetProp(hwnd, L"WndX"), &window);
    EXPECT_EQ(GetWindowLongPtr(hwnd, GWLP_USERDATA), 0);
    DestroyWindow(hwnd);
    EXPECT_EQ(GetProp(hwnd, L"WndX"), nullptr);

    SuperclassedWindow orphan;
    orphan.base = L"VantuNoSuchClass";
    EXPECT_EQ(orphan.Create(nullptr, L"s", WS_POPUP, 0, 0, 0, 50, 50), nullptr);
}

TEST_F(WindowWndTest, RunModalDisablesTheOwnerAndReturnsTheCloseResult) {
    HWND owner = Top(0, 0, 300, 300);
    RecordingWindow dialog;
    ASSERT_NE(dialog.Create(owner, L"d", WS_POPUP, 0, 0, 0, 100, 100), nullptr);
    bool ownerEnabledInside = true;
    dialog.onMessage = [&](UINT message, WPARAM) {
        if (message == kAsk) {
            ownerEnabledInside = IsWindowEnabled(owner) != FALSE;
            dialog.Close(7);
        }
    };
    dialog.PostToWindow(kAsk);
    EXPECT_EQ(dialog.RunModal(), 7u);
    EXPECT_FALSE(ownerEnabledInside);
    EXPECT_TRUE(IsWindowEnabled(owner));
}

TEST_F(WindowWndTest, RunModalPassesAQuitRequestOnToTheOuterLoop) {
    RecordingWindow dialog;
    ASSERT_NE(dialog.Create(nullptr, L"d", WS_POPUP, 0, 0, 0, 100, 100), nullptr);
    PostQuitMessage(3);
    dialog.RunModal();
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 3u);
    DestroyWindow(dialog.Handle());
}

TEST_F(WindowWndTest, CenterOnOwnerCentresAndStaysInsideTheWorkArea) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfo(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT work = monitor.rcWork;
    HWND owner = Top(work.left + 100, work.top + 100, 400, 300);
    RecordingWindow window;
    ASSERT_NE(window.Create(owner, L"c", WS_POPUP, 0, 0, 0, 200, 100), nullptr);
    window.CenterOnOwner();
    RECT placed;
    GetWindowRect(window.Handle(), &placed);
    EXPECT_EQ(placed, (RECT{work.left + 200, work.top + 200, work.left + 400, work.top + 300}));

    // An owner hanging over the right edge: the window stops at the edge.
    SetWindowPos(owner, nullptr, work.right - 100, work.top + 100, 0, 0, SWP_NOSIZE);
    window.CenterOnOwner();
    GetWindowRect(window.Handle(), &placed);
    EXPECT_EQ(placed.right, work.right);
    EXPECT_EQ(placed.bottom - placed.top, 100);
    DestroyWindow(window.Handle());
}

}  // namespace
}  // namespace VantuUI
