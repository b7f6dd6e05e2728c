#include "tests/ui/manager/managed_window.h"

namespace {

using namespace manager_testing;
namespace seam = test_input;

TEST_F(ManagedWindowTest, TimerIdsStartAt17WrapTo0AndKilledTimersRestartWithTheirId) {
    ASSERT_TRUE(manager.StartTimer(probes[0], 7, 10));
    EXPECT_EQ(manager.Timers()[0].nativeId, 17u);
    EXPECT_FALSE(manager.StartTimer(probes[0], 7, 10));  // already running

    ASSERT_TRUE(PumpUntil([&] { return probes[0]->Count(UIEVENT_TIMER) > 0; }))
        << "no timer event within two seconds";
    EXPECT_EQ(probes[0]->events.back().wParam, 7u);  // the control's own key

    EXPECT_TRUE(manager.StopTimer(probes[0], 7));
    ASSERT_TRUE(manager.StartTimer(probes[0], 7, 10));
    EXPECT_EQ(manager.Timers().size(), 1u);
    EXPECT_EQ(manager.Timers()[0].nativeId, 17u);

    for (UINT key = 100; key < 100 + 237; ++key) {
        ASSERT_TRUE(manager.StartTimer(probes[1], key, 1000));
    }
    EXPECT_EQ(manager.Timers().back().nativeId, 254u);  // the 238th
    ASSERT_TRUE(manager.StartTimer(probes[1], 999, 1000));
    EXPECT_EQ(manager.Timers().back().nativeId, 0u);  // the 239th

    manager.StopTimer(probes[1]);
    EXPECT_EQ(manager.Timers().size(), 1u);
}

TEST_F(ManagedWindowTest, AsyncNotificationsMergeUnlessRepeatsAreAllowed) {
    log.seen.clear();
    manager.RaiseNotification(probes[0], L"click", 1, 10, true, false);
    manager.RaiseNotification(probes[0], L"click", 2, 20, true, false);
    manager.RaiseNotification(probes[1], L"click", 3, 30, true, false);
    EXPECT_TRUE(log.Of(L"click").empty());  // not before the posted message runs
    Pump();
    auto clicks = log.Of(L"click");
    ASSERT_EQ(clicks.size(), 2u);
    EXPECT_EQ(clicks[0].sender, probes[0]);
    EXPECT_EQ(clicks[0].wParam, 2u);
    EXPECT_EQ(clicks[0].lParam, 20);
    EXPECT_EQ(clicks[1].sender, probes[1]);

    log.seen.clear();
    manager.RaiseNotification(probes[0], L"click", 1, 10, true, true);
    manager.RaiseNotification(probes[0], L"click", 2, 20, true, true);
    Pump();
    EXPECT_EQ(log.Of(L"click").size(), 2u);
}

TEST_F(ManagedWindowTest, TabAndShiftTabWrapAroundTheTabStops) {
    seam::Focus(window, true);
    Pump();
    manager.FocusControl(probes[2], true);
    seam::Key(window, VK_TAB, true);
    seam::Key(window, VK_TAB, false);
    Pump();
    EXPECT_EQ(manager.FocusedControl(), probes[0]);
    EXPECT_EQ(probes[0]->Count(UIEVENT_KEYDOWN), 0);  // Tab never reaches the control

    seam::Key(window, VK_SHIFT, true);
    seam::Key(window, VK_TAB, true, test_input::kShift);
    seam::Key(window, VK_TAB, false, test_input::kShift);
    seam::Key(window, VK_SHIFT, false);
    Pump();
    EXPECT_EQ(manager.FocusedControl(), probes[2]);
    EXPECT_FALSE(log.Of(L"setfocus").empty());
    EXPECT_EQ(log.Of(L"killfocus").back().sender, probes[0]);
}

TEST_F(ManagedWindowTest, ButtonDownOutsideEveryControlCapturesNothing) {
    root->SetAcceptsMouse(false);
    seam::MouseButton(window, test_input::Button::Left, true, 175, 60);
    Pump();
    EXPECT_FALSE(manager.HasMouseCapture());
    EXPECT_EQ(GetCapture(), nullptr);
    seam::MouseButton(window, test_input::Button::Left, false, 75, 60);
    Pump();
    for (ProbeControl* probe : probes) {
        EXPECT_EQ(probe->Count(UIEVENT_BUTTONDOWN) + probe->Count(UIEVENT_BUTTONUP), 0);
    }

    // Inside a control: it is pressed, captures, and gets the button-up.
    seam::MouseButton(window, test_input::Button::Left, true, 75, 60);
    Pump();
    EXPECT_TRUE(manager.HasMouseCapture());
    EXPECT_EQ(manager.ClickControl(), probes[1]);
    seam::MouseButton(window, test_input::Button::Left, false, 175, 60);
    Pump();
    EXPECT_EQ(probes[1]->Count(UIEVENT_BUTTONUP), 1);
    EXPECT_FALSE(manager.HasMouseCapture());
}

// The pointer last moved over the first probe; the right button goes down
// over the third without a move in between, as a quick user or a touch pad does.
TEST_F(ManagedWindowTest, RightButtonDownGoesToTheControlUnderTheClickNotUnderTheLastMove) {
    seam::MouseMove(window, 25, 60);
    Pump();
    seam::MouseButton(window, test_input::Button::Right, true, 125, 60);
    Pump();
    EXPECT_EQ(probes[0]->Count(UIEVENT_RBUTTONDOWN), 0);
    ASSERT_EQ(probes[2]->Count(UIEVENT_RBUTTONDOWN), 1);
    EXPECT_EQ(probes[2]->events.back().MousePoint.x, 125);
    EXPECT_EQ(probes[2]->events.back().MousePoint.y, 60);
    EXPECT_EQ(manager.ClickControl(), probes[2]);

    // Its release asks for the context menu of the same control.
    seam::MouseButton(window, test_input::Button::Right, false, 125, 60);
    Pump();
    EXPECT_EQ(probes[0]->Count(UIEVENT_CONTEXTMENU), 0);
    EXPECT_EQ(probes[2]->Count(UIEVENT_CONTEXTMENU), 1);
}

TEST_F(ManagedWindowTest, HoverShowsTheTooltipAtTheScreenPointAndLeavingHidesIt) {
    CWindowManagerUI::SetNumberedString(41, L"关闭");
    probes[1]->SetToolTip(L"%{41} (Esc)");
    seam::MouseMove(window, 20, 30);
    seam::MouseMove(window, 70, 40);
    Pump();
    EXPECT_EQ(probes[0]->Count(UIEVENT_MOUSELEAVE), 1);
    EXPECT_EQ(probes[1]->Count(UIEVENT_MOUSEENTER), 1);
    EXPECT_EQ(manager.HoverControl(), probes[1]);

    SendMessage(window, WM_MOUSEHOVER, 0, MAKELPARAM(70, 40));
    Pump();
    EXPECT_EQ(probes[1]->Count(UIEVENT_MOUSEHOVER), 1);
    HWND tip = manager.TooltipWindow();
    ASSERT_NE(tip, nullptr);
    EXPECT_TRUE(IsWindowVisible(tip));
    EXPECT_EQ(manager.ExpandStringTokens(probes[1]->GetToolTip()), L"关闭 (Esc)");
    RECT at{};
    GetWindowRect(tip, &at);
    POINT hovered{70, 40};
    ClientToScreen(window, &hovered);
    // At the client point on the screen; the system's tooltip may set its
    // frame a pixel out to put its text there.
    EXPECT_NEAR(at.left, hovered.x, 1);
    EXPECT_GT(at.top, 50 + 40);

    seam::MouseLeave(window);
    Pump();
    EXPECT_FALSE(IsWindowVisible(tip));
    EXPECT_EQ(probes[1]->Count(UIEVENT_MOUSELEAVE), 1);
    EXPECT_EQ(manager.HoverControl(), nullptr);
    CWindowManagerUI::RemoveAllNumberedStrings();
}

TEST_F(ManagedWindowTest, DeferredDeleteWaitsForThePostedMessage) {
    bool deleted = false;
    auto* doomed = new ProbeControl(0, &deleted);
    root->Append(doomed);
    manager.FocusControl(doomed, false);
    root->RemoveItem(doomed, true);  // kept alive: the caller defers its deletion
    manager.DeferDelete(doomed);
    EXPECT_FALSE(deleted);
    EXPECT_EQ(manager.FocusedControl(), nullptr);
    EXPECT_EQ(doomed->GetManager(), nullptr);
    Pump();
    EXPECT_TRUE(deleted);
}

}  // namespace
