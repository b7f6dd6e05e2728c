// WM_CONTEXTMENU as DefWindowProc makes it: from a right-button release at
// the pointer (screen coordinates), from Shift+F10 and the menu key at
// (-1, -1); a child leaves it to its parent.

#include "platform/window/display/display_seam.h"
#include "tests/platform/window/window_test_support.h"

namespace {

using namespace window_testing;
using platform::seam::RunPendingMessages;

TEST_F(WindowTest, ContextMenuFromRightButtonShiftF10AndMenuKey) {
    HWND top = Top(100, 100, 300, 200);
    HWND child = MakeChild(top, 50, 40, 100, 60);
    RunPendingMessages();
    SetFocus(child);
    Log().clear();

    platform::seam::MouseButton(top, SDL_BUTTON_RIGHT, true, 60, 50);
    RunPendingMessages();
    EXPECT_TRUE(Of(child, WM_CONTEXTMENU).empty()) << "the press alone asks for no menu";
    platform::seam::MouseButton(top, SDL_BUTTON_RIGHT, false, 60, 50);
    RunPendingMessages();
    auto fromMouse = Of(child, WM_CONTEXTMENU);
    ASSERT_EQ(fromMouse.size(), 1u);
    EXPECT_EQ(fromMouse[0].wParam, reinterpret_cast<WPARAM>(child));
    EXPECT_EQ(PointOf(fromMouse[0].lParam), (POINT{160, 150}));
    auto passedUp = Of(top, WM_CONTEXTMENU);
    ASSERT_EQ(passedUp.size(), 1u);
    EXPECT_EQ(passedUp[0].wParam, reinterpret_cast<WPARAM>(child));
    EXPECT_EQ(passedUp[0].lParam, fromMouse[0].lParam);

    Log().clear();
    platform::seam::Key(top, SDLK_F10, true);
    platform::seam::Key(top, SDLK_F10, false);
    RunPendingMessages();
    EXPECT_TRUE(Of(child, WM_CONTEXTMENU).empty()) << "F10 without Shift";
    platform::seam::Key(top, SDLK_F10, true, KMOD_LSHIFT);
    platform::seam::Key(top, SDLK_F10, false, KMOD_LSHIFT);
    RunPendingMessages();
    auto fromShiftF10 = Of(child, WM_CONTEXTMENU);
    ASSERT_EQ(fromShiftF10.size(), 1u);
    EXPECT_EQ(PointOf(fromShiftF10[0].lParam), (POINT{-1, -1}));

    Log().clear();
    platform::seam::Key(top, SDLK_APPLICATION, true);
    RunPendingMessages();
    EXPECT_TRUE(Of(child, WM_CONTEXTMENU).empty()) << "the menu key asks on its release";
    platform::seam::Key(top, SDLK_APPLICATION, false);
    RunPendingMessages();
    auto fromMenuKey = Of(child, WM_CONTEXTMENU);
    ASSERT_EQ(fromMenuKey.size(), 1u);
    EXPECT_EQ(fromMenuKey[0].wParam, reinterpret_cast<WPARAM>(child));
    EXPECT_EQ(PointOf(fromMenuKey[0].lParam), (POINT{-1, -1}));
    EXPECT_EQ(Of(top, WM_CONTEXTMENU).size(), 1u);
}

TEST_F(WindowTest, AWindowThatHandlesTheContextMenuKeepsItFromItsParent) {
    HWND top = Top(100, 100, 300, 200);
    HWND child = MakeChild(top, 50, 40, 100, 60);
    Answers() = [&](HWND hwnd, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (hwnd == child && message == WM_CONTEXTMENU) {
            return 0;
        }
        return std::nullopt;
    };
    RunPendingMessages();
    platform::seam::MouseButton(top, SDL_BUTTON_RIGHT, true, 60, 50);
    platform::seam::MouseButton(top, SDL_BUTTON_RIGHT, false, 60, 50);
    RunPendingMessages();
    EXPECT_EQ(Of(child, WM_CONTEXTMENU).size(), 1u);
    EXPECT_TRUE(Of(top, WM_CONTEXTMENU).empty());
}

}  // namespace
