// The frameless window's behaviour: caption and size-box hit testing, Escape,
// round corners, the system buttons, the upgrade window's layout, and the
// end of a process whose skin cannot be built.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "skinned_window_support.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/skin_path_scope.h"
#include "tests/ui/support/presented_pixel.h"

namespace VantuUI {
namespace {

using testing_support::TempDir;
using testing_support::WriteFile;
using ui_testing::PumpLikeTheProduct;
using ui_testing::SkinnedTestWindow;

std::wstring Wide(const char* text) {
    return std::wstring(text, text + std::strlen(text));
}

// The window's own WM_NCHITTEST answer at a client point.
LRESULT HitTestAt(HWND hwnd, int x, int y) {
    POINT point{x, y};
    ClientToScreen(hwnd, &point);
    return SendMessage(hwnd, WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y));
}

class WindowFrame : public window_testing::WindowTest {
  protected:
    TempDir m_dir;
    ui_testing::SkinPathScope m_scope{m_dir.path()};
};

TEST_F(WindowFrame, UpgradeWindowSkinLaysOutToItsSizes) {
    bench_support::WriteMainWindowImages(m_dir.path());
    SkinnedTestWindow window(Wide(bench_support::kMainWindowSkin));
    HWND hwnd = window.Open();
    ASSERT_NE(hwnd, nullptr);
    PumpLikeTheProduct();
    RECT client;
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client, (RECT{0, 0, 500, 310}));
    CWindowManagerUI& manager = window.Manager();
    auto rectOf = [&](const wchar_t* name) {
        CControlUI* control = manager.ControlByName(name);
        return control != nullptr ? control->GetItemRect() : RECT{-1, -1, -1, -1};
    };
    EXPECT_EQ(rectOf(L"header"), (RECT{0, 0, 500, 36}));
    EXPECT_EQ(rectOf(L"logo"), (RECT{10, 10, 26, 26}));
    EXPECT_EQ(rectOf(L"title"), (RECT{36, 0, 468, 36}));
    EXPECT_EQ(rectOf(L"MainWindow_Close_Btn"), (RECT{468, 4, 496, 32}));
    EXPECT_EQ(rectOf(L"Msg_RichEdit"), (RECT{35, 60, 465, 210}));
    EXPECT_EQ(rectOf(L"UpdateState_Label"), (RECT{10, 245, 490, 265}));
    EXPECT_EQ(rectOf(L"track"), (RECT{0, 272, 500, 278}));
    EXPECT_EQ(rectOf(L"Progress_Label"), (RECT{0, 272, 0, 278}));
    // The logo's placeholder image shows (white) where the logo sits.
    EXPECT_EQ(ui_testing::PresentedPixel(hwnd, 18, 18), 0xFFFFFFu);

    // The caption band drags, except over the button; below it is client.
    EXPECT_EQ(HitTestAt(hwnd, 100, 10), HTCAPTION);
    EXPECT_EQ(HitTestAt(hwnd, 480, 10), HTCLIENT);
    EXPECT_EQ(HitTestAt(hwnd, 100, 40), HTCLIENT);
}

TEST_F(WindowFrame, SizeBoxBordersResizeUnlessMaximised) {
    SkinnedTestWindow window(
        L"<Window size=\"200,100\" sizebox=\"4,4,4,4\" caption=\"0,0,0,36\">"
        L"<VerticalLayout bkcolor=\"#FF101010\"/></Window>");
    HWND hwnd = window.Open();
    ASSERT_NE(hwnd, nullptr);
    PumpLikeTheProduct();
    EXPECT_EQ(HitTestAt(hwnd, 2, 2), HTTOPLEFT);
    EXPECT_EQ(HitTestAt(hwnd, 197, 2), HTTOPRIGHT);
    EXPECT_EQ(HitTestAt(hwnd, 100, 2), HTTOP);
    EXPECT_EQ(HitTestAt(hwnd, 2, 98), HTBOTTOMLEFT);
    EXPECT_EQ(HitTestAt(hwnd, 100, 98), HTBOTTOM);
    EXPECT_EQ(HitTestAt(hwnd, 198, 50), HTRIGHT);
    EXPECT_EQ(HitTestAt(hwnd, 2, 50), HTLEFT);
    EXPECT_EQ(HitTestAt(hwnd, 100, 20), HTCAPTION);
    EXPECT_EQ(HitTestAt(hwnd, 100, 50), HTCLIENT);

    ShowWindow(hwnd, SW_MAXIMIZE);
    PumpLikeTheProduct();
    EXPECT_EQ(HitTestAt(hwnd, 2, 2), HTCAPTION);
}

TEST_F(WindowFrame, EscapeClosesWithOneAndReturnDoesNothing) {
    SkinnedTestWindow window(L"<Window size=\"100,80\"><VerticalLayout/></Window>");
    HWND hwnd = window.Open();
    ASSERT_NE(hwnd, nullptr);
    test_input::Focus(hwnd, true);
    PumpLikeTheProduct();

    test_input::Key(hwnd, VK_RETURN, true);
    test_input::Key(hwnd, VK_RETURN, false);
    PumpLikeTheProduct();
    EXPECT_TRUE(IsWindow(hwnd));
    EXPECT_TRUE(window.closeResults.empty());

    test_input::Key(hwnd, VK_ESCAPE, true);
    PumpLikeTheProduct();
    EXPECT_EQ(window.closeResults, (std::vector<WPARAM>{1}));
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(WindowFrame, RoundCornersFollowEverySizeChangeButMinimising) {
    SkinnedTestWindow window(
        L"<Window size=\"200,100\" roundcorner=\"4,4\"><VerticalLayout/></Window>");
    HWND hwnd = window.Open();
    ASSERT_NE(hwnd, nullptr);
    PumpLikeTheProduct();
    // The region is asked one pixel past the window; the system's round
    // region ends a pixel inside what it is given, the stand-in's does not.
    const auto coversWindow = [hwnd](LONG width, LONG height) {
        RECT box{};
        const int kind = GetWindowRgnBox(hwnd, &box);
        return kind == COMPLEXREGION && box.left == 0 && box.top == 0 &&
               (box.right == width || box.right == width + 1) &&
               (box.bottom == height || box.bottom == height + 1);
    };
    EXPECT_TRUE(coversWindow(200, 100));

    SetWindowPos(hwnd, nullptr, 0, 0, 300, 150, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_TRUE(coversWindow(300, 150));

    SetWindowRgn(hwnd, nullptr, FALSE);
    ShowWindow(hwnd, SW_MINIMIZE);
    RECT box{};
    EXPECT_EQ(GetWindowRgnBox(hwnd, &box), ERROR);  // none set while minimised
}

TEST_F(WindowFrame, SystemButtonsByNameAndTheMaximiseRestoreSwap) {
    SkinnedTestWindow window(
        L"<Window size=\"200,100\"><HorizontalLayout>"
        L"<Button name=\"minbtn\" width=\"20\"/><Button name=\"maxbtn\" width=\"20\"/>"
        L"<Button name=\"restorebtn\" width=\"20\" visible=\"false\"/>"
        L"<Button name=\"closebtn\" width=\"20\"/></HorizontalLayout></Window>");
    HWND hwnd = window.Open();
    ASSERT_NE(hwnd, nullptr);
    PumpLikeTheProduct();
    CWindowManagerUI& manager = window.Manager();
    CControlUI* maxButton = manager.ControlByName(L"maxbtn");
    CControlUI* restoreButton = manager.ControlByName(L"restorebtn");
    ASSERT_NE(maxButton, nullptr);
    ASSERT_NE(restoreButton, nullptr);
    auto click = [&](const wchar_t* name) {
        manager.RaiseNotification(manager.ControlByName(name), L"click", 0, 0, false, false);
        PumpLikeTheProduct();
    };

    click(L"maxbtn");
    EXPECT_TRUE(IsZoomed(hwnd));
    EXPECT_FALSE(maxButton->IsVisible());
    EXPECT_TRUE(restoreButton->IsVisible());

    click(L"restorebtn");
    EXPECT_FALSE(IsZoomed(hwnd));
    EXPECT_TRUE(maxButton->IsVisible());
    EXPECT_FALSE(restoreButton->IsVisible());

    click(L"minbtn");
    EXPECT_TRUE(IsIconic(hwnd));

    click(L"closebtn");
    EXPECT_EQ(window.closeResults, (std::vector<WPARAM>{1}));
    EXPECT_FALSE(IsWindow(hwnd));
}

// Answers the failure's message box from a timer of a helper window, so
// that the process reaches its exit.
void OpenUnbuildableSkinAnsweringTheBox() {
    static HWND helper = nullptr;
    helper = window_testing::MakeTopLevel(0, 0, 10, 10, WS_POPUP);
    window_testing::Answers() = [](HWND hwnd, UINT message, WPARAM,
                                   LPARAM) -> std::optional<LRESULT> {
        if (hwnd == helper && message == WM_TIMER) {
            // Bounded: a box that never takes the key fails the test clearly.
            static int ticks = 0;
            if (++ticks > 200) {
                std::fputs("the message box was never answered\n", stderr);
                std::_Exit(3);
            }
            HWND box = GetActiveWindow();
            if (box != nullptr && box != helper) {
                test_input::Key(box, VK_RETURN, true);
            }
            return 0;
        }
        return std::nullopt;
    };
    SetTimer(helper, 1, 50, nullptr);
    SkinnedTestWindow window(L"<Window><VerticalLayout></Window>");
    window.Open();
}

TEST_F(WindowFrame, ASkinThatCannotBeBuiltEndsTheProcessWithOne) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(OpenUnbuildableSkinAnsweringTheBox(), ::testing::ExitedWithCode(1), "资源错误");
}

}  // namespace
}  // namespace VantuUI
