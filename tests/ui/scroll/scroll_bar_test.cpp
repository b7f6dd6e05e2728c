// The scroll bar on its own: the layout of its parts, its position rules,
// its attributes, and the mouse driving a bar without an owner.

#include <gtest/gtest.h>

#include "tests/ui/fake_manager.h"
#include "ui/control/control_state.h"
#include "ui/control/scroll/scroll_bar.h"
#include "ui/layout/horizontal_layout.h"

namespace VantuUI {
namespace {

using Part = ScrollBarPart;
using ui_testing::RecordingManager;

TInputEventUI MouseEvent(InputEventKind kind, POINT point) {
    TInputEventUI event;
    event.Kind = kind;
    event.MousePoint = point;
    return event;
}

void Send(CScrollBarUI& bar, InputEventKind kind, POINT point = {}, WPARAM wParam = 0) {
    TInputEventUI event = MouseEvent(kind, point);
    event.wParam = wParam;
    bar.HandleEvent(event);
}

struct ThumbCase {
    bool horizontal;
    int thickness;
    int length;
    bool buttons;
    int range;
    int position;
    RECT thumb;  // relative to the bar's top-left (10, 20)
};

TEST(ScrollBarLayout, ThumbIsTheVisibleShareOfTheTrackPlacedByPosition) {
    const ThumbCase cases[] = {
        // 150 visible of 300: half the track, from the top, or ending at the bottom.
        {false, 6, 150, false, 150, 0, {0, 0, 6, 75}},
        {false, 6, 150, false, 150, 150, {0, 75, 6, 150}},
        // Track 168 between two 16-pixel buttons: 200 x 168 / 300 = 112 long.
        {false, 16, 200, true, 100, 50, {0, 44, 16, 156}},
        {true, 16, 200, true, 100, 50, {44, 0, 156, 16}},
        // No range: the thumb fills the track. A huge one: never thinner than the bar.
        {false, 16, 200, true, 0, 0, {0, 16, 16, 184}},
        {false, 16, 200, true, 100000, 0, {0, 16, 16, 32}},
        // A range whose product with the track passes 32 bits still ends at button 2.
        {false, 16, 200, true, 100000000, 100000000, {0, 168, 16, 184}},
    };
    for (const ThumbCase& c : cases) {
        CScrollBarUI bar;
        bar.SetHorizontal(c.horizontal);
        if (c.horizontal) {
            bar.SetFixedHeight(c.thickness);
        } else {
            bar.SetFixedWidth(c.thickness);
        }
        bar.ShowButton1(c.buttons);
        bar.ShowButton2(c.buttons);
        bar.SetRange(c.range);
        bar.SetPosition(c.position, false);
        bar.SetItemRect(c.horizontal ? RECT{10, 20, 10 + c.length, 20 + c.thickness}
                                     : RECT{10, 20, 10 + c.thickness, 20 + c.length});
        const RECT expected{c.thumb.left + 10, c.thumb.top + 20, c.thumb.right + 10,
                            c.thumb.bottom + 20};
        EXPECT_EQ(bar.GetPartRect(Part::Thumb), expected)
            << "range " << c.range << " position " << c.position << " horizontal " << c.horizontal;
    }
}

TEST(ScrollBarLayout, ArrowsSitAtTheEndsAndABarTooShortHasHalfButtonsAndNoThumb) {
    CScrollBarUI bar;
    bar.SetItemRect(RECT{10, 20, 26, 220});
    EXPECT_EQ(bar.GetPartRect(Part::Button1), (RECT{10, 20, 26, 36}));
    EXPECT_EQ(bar.GetPartRect(Part::Button2), (RECT{10, 204, 26, 220}));

    bar.SetItemRect(RECT{10, 20, 26, 40});
    EXPECT_EQ(bar.GetPartRect(Part::Button1), (RECT{10, 20, 26, 30}));
    EXPECT_EQ(bar.GetPartRect(Part::Button2), (RECT{10, 30, 26, 40}));
    EXPECT_EQ(bar.GetPartRect(Part::Thumb), RECT{});

    // Without a track there is nothing to page.
    bar.ShowButton1(false);
    bar.ShowButton2(false);
    Send(bar, UIEVENT_BUTTONDOWN, POINT{15, 35});
    EXPECT_EQ(bar.GetPosition(), 0);
}

TEST(ScrollBarPosition, SnapsToTheScrollUnitAndStaysWithinTheRange) {
    CScrollBarUI bar;
    bar.SetScrollUnit(10);
    bar.SetPosition(14);
    EXPECT_EQ(bar.GetPosition(), 10);
    bar.SetPosition(15);
    EXPECT_EQ(bar.GetPosition(), 20);
    bar.SetPosition(500);
    EXPECT_EQ(bar.GetPosition(), 100);
    bar.SetPosition(-3);
    EXPECT_EQ(bar.GetPosition(), 0);

    bar.SetPosition(60);
    bar.SetRange(40);
    EXPECT_EQ(bar.GetPosition(), 40);
    bar.SetRange(-5);
    EXPECT_EQ(bar.GetRange(), 0);
    EXPECT_EQ(bar.GetPosition(), 0);

    bar.SetLineSize(-1);
    bar.SetScrollUnit(-1);
    EXPECT_EQ(bar.GetLineSize(), 8);
    EXPECT_EQ(bar.GetScrollUnit(), 10);
}

TEST(ScrollBarPosition, ScrollCarriesNewAndOldPositionAndNothingWhenHeldAtAnEnd) {
    RecordingManager manager;
    auto* bar = new CScrollBarUI;
    manager.BindControls(bar, nullptr);
    bar->SetPosition(30);
    ASSERT_EQ(manager.notifications.size(), 1u);
    EXPECT_EQ(manager.notifications[0].type, L"scroll");
    EXPECT_EQ(manager.notifications[0].sender, bar);
    EXPECT_EQ(manager.notifications[0].wParam, 30u);
    EXPECT_EQ(manager.notifications[0].lParam, 0);

    bar->SetPosition(100);
    bar->SetPosition(140);  // already at the end of the range
    bar->SetPosition(-10);
    bar->SetPosition(-20);  // already at the start
    bar->SetPosition(50, false);
    EXPECT_EQ(manager.notifications.size(), 3u);
    delete bar;
}

TEST(ScrollBarAttributes, PartImagesColoursAndButtonsComeFromTheirNames) {
    CScrollBarUI bar;
    bar.ApplyAttributeString(
        L"width=\"6\" button1color=\" #FF102030\" thumbcolor=\"80FFFFFF\" "
        L"thumbhotimage=\"file='img/a.png' source='6,0,12,60'\" raildisabledimage=\"r.png\" "
        L"bkpushedimage=\"bk.png\" button2normalimage=\"down.png\" showbutton1=\"false\" "
        L"linesize=\"12\" range=\"300\" value=\"40\" scrollunit=\"4\" mystery=\"kept\"");
    EXPECT_EQ(bar.GetFixedWidth(), 6);
    EXPECT_EQ(bar.GetPartColor(Part::Button1), 0xFF102030u);
    EXPECT_EQ(bar.GetPartColor(Part::Thumb), 0x80FFFFFFu);
    EXPECT_EQ(bar.GetPartImage(Part::Thumb, ScrollBarImageState::Hot),
              L"file='img/a.png' source='6,0,12,60'");
    EXPECT_EQ(bar.GetPartImage(Part::Thumb, ScrollBarImageState::Normal), L"");
    EXPECT_EQ(bar.GetPartImage(Part::Rail, ScrollBarImageState::Disabled), L"r.png");
    EXPECT_EQ(bar.GetPartImage(Part::Background, ScrollBarImageState::Pushed), L"bk.png");
    EXPECT_EQ(bar.GetPartImage(Part::Button2, ScrollBarImageState::Normal), L"down.png");
    EXPECT_FALSE(bar.IsButton1Shown());
    EXPECT_TRUE(bar.IsButton2Shown());
    EXPECT_EQ(bar.GetLineSize(), 12);
    EXPECT_EQ(bar.GetRange(), 300);
    EXPECT_EQ(bar.GetPosition(), 40);
    EXPECT_EQ(bar.GetScrollUnit(), 4);
    EXPECT_STREQ(bar.ExtraAttribute(L"mystery"), L"kept");

    // Hiding a button lays the bar out again: the track starts at the top.
    bar.SetItemRect(RECT{0, 0, 6, 100});
    EXPECT_EQ(bar.GetPartRect(Part::Button1), RECT{});
    bar.SetPosition(0);
    EXPECT_EQ(bar.GetPartRect(Part::Thumb).top, 0);

    bar.SetAttribute(L"hor", L"true");
    EXPECT_TRUE(bar.IsHorizontal());
    EXPECT_EQ(bar.GetFixedHeight(), 16);
}

// 16 x 200 at the origin, range 1000: track 168, thumb max(16, 200 x 168 / 1200) = 28.
class OwnerlessBar : public ::testing::Test {
  protected:
    void SetUp() override {
        manager.BindControls(bar, nullptr);
        bar->SetRange(1000);
        bar->SetItemRect(RECT{0, 0, 16, 200});
    }
    void TearDown() override { delete bar; }

    RecordingManager manager;
    CScrollBarUI* bar = new CScrollBarUI;
};

TEST_F(OwnerlessBar, ArrowsStepByTheLineSizeAndTheTrackByTheBarLength) {
    Send(*bar, UIEVENT_BUTTONDOWN, POINT{8, 195});
    EXPECT_EQ(bar->GetPosition(), 8);
    EXPECT_NE(bar->GetPartState(Part::Button2) & UISTATE_PUSHED, 0u);
    Send(*bar, UIEVENT_BUTTONUP, POINT{8, 195});
    EXPECT_EQ(bar->GetPartState(Part::Button2) & UISTATE_PUSHED, 0u);

    Send(*bar, UIEVENT_BUTTONDOWN, POINT{8, 150});  // below the thumb
    Send(*bar, UIEVENT_BUTTONUP, POINT{8, 150});
    EXPECT_EQ(bar->GetPosition(), 208);
    Send(*bar, UIEVENT_DBLCLICK, POINT{8, 5});
    Send(*bar, UIEVENT_BUTTONUP, POINT{8, 5});
    EXPECT_EQ(bar->GetPosition(), 200);
    ASSERT_FALSE(manager.notifications.empty());
    EXPECT_EQ(manager.notifications.back().wParam, 200u);
    EXPECT_EQ(manager.notifications.back().lParam, 208);

    bar->SetEnabled(false);
    Send(*bar, UIEVENT_BUTTONDOWN, POINT{8, 195});
    EXPECT_EQ(bar->GetPosition(), 200);
}

TEST_F(OwnerlessBar, ThumbDragMovesThePositionInProportionOnTheTimer) {
    bar->SetPosition(100);
    const RECT thumb = bar->GetPartRect(Part::Thumb);
    const POINT grip{8, (thumb.top + thumb.bottom) / 2};
    Send(*bar, UIEVENT_BUTTONDOWN, grip);
    EXPECT_EQ(bar->GetPartState(Part::Thumb) & (UISTATE_PUSHED | UISTATE_CAPTURED),
              UISTATE_PUSHED | UISTATE_CAPTURED);
    // The thumb travels 200 - 28 - 2 x 16 = 140 pixels for the range of 1000.
    Send(*bar, UIEVENT_MOUSEMOVE, POINT{40, grip.y + 14});
    EXPECT_EQ(bar->GetPosition(), 100);  // applied on the timer
    Send(*bar, UIEVENT_TIMER, {}, CScrollBarUI::kRepeatTimerKey);
    EXPECT_EQ(bar->GetPosition(), 200);
    Send(*bar, UIEVENT_MOUSEMOVE, POINT{8, grip.y - 500});
    Send(*bar, UIEVENT_TIMER, {}, CScrollBarUI::kRepeatTimerKey);
    EXPECT_EQ(bar->GetPosition(), 0);
    Send(*bar, UIEVENT_BUTTONUP, grip);
    EXPECT_EQ(bar->GetPartState(Part::Thumb) & UISTATE_CAPTURED, 0u);
}

TEST_F(OwnerlessBar, PartsTravelWithTheBarWhenAScrolledParentMovesIt) {
    const RECT button2 = bar->GetPartRect(Part::Button2);
    bar->Move(SIZE{30, -40}, false);
    EXPECT_EQ(bar->GetPartRect(Part::Button2),
              (RECT{button2.left + 30, button2.top - 40, button2.right + 30, button2.bottom - 40}));
    Send(*bar, UIEVENT_BUTTONDOWN, POINT{38, 155});
    EXPECT_EQ(bar->GetPosition(), 8);
}

TEST_F(OwnerlessBar, HotMarksFollowThePointerAndLeaveWithIt) {
    const RECT thumb = bar->GetPartRect(Part::Thumb);
    Send(*bar, UIEVENT_MOUSEENTER, POINT{8, thumb.top + 1});
    EXPECT_NE(bar->GetPartState(Part::Button1) & UISTATE_HOT, 0u);
    EXPECT_NE(bar->GetPartState(Part::Button2) & UISTATE_HOT, 0u);
    EXPECT_NE(bar->GetPartState(Part::Thumb) & UISTATE_HOT, 0u);
    Send(*bar, UIEVENT_MOUSEMOVE, POINT{8, 150});
    EXPECT_EQ(bar->GetPartState(Part::Thumb) & UISTATE_HOT, 0u);

    Send(*bar, UIEVENT_MOUSELEAVE, POINT{8, 150});  // still over the bar
    EXPECT_NE(bar->GetPartState(Part::Button1) & UISTATE_HOT, 0u);
    Send(*bar, UIEVENT_MOUSELEAVE, POINT{100, 150});
    EXPECT_EQ(bar->GetPartState(Part::Button1) & UISTATE_HOT, 0u);
    EXPECT_EQ(bar->GetPartState(Part::Button2) & UISTATE_HOT, 0u);
}

// Three 60-pixel columns in 100: range 80; track 68 between the arrows,
// thumb max(16, 100 x 68 / 180) = 37.
TEST(OwnedBar, HorizontalArrowsAndDragsScrollTheOwnerAlongXOnly) {
    CHorizontalLayoutUI row;
    row.SetAttribute(L"hscrollbar", L"true");
    for (int i = 0; i < 3; ++i) {
        auto* column = new CControlUI;
        column->SetFixedWidth(60);
        row.Append(column);
    }
    row.SetItemRect(RECT{0, 0, 100, 50});
    CScrollBarUI* bar = row.GetHorizontalScrollBar();
    ASSERT_EQ(bar->GetItemRect(), (RECT{0, 34, 100, 50}));

    Send(*bar, UIEVENT_BUTTONDOWN, POINT{92, 40});  // the right arrow
    Send(*bar, UIEVENT_BUTTONUP, POINT{92, 40});
    EXPECT_EQ(row.GetScrollOffset(), (SIZE{8, 0}));

    const RECT thumb = bar->GetPartRect(Part::Thumb);
    ASSERT_EQ(thumb.right - thumb.left, 37);
    const POINT grip{(thumb.left + thumb.right) / 2, 40};
    Send(*bar, UIEVENT_BUTTONDOWN, grip);
    // The thumb travels 100 - 37 - 2 x 16 = 31 pixels for the range of 80.
    Send(*bar, UIEVENT_MOUSEMOVE, POINT{grip.x + 10, grip.y + 30});
    Send(*bar, UIEVENT_TIMER, {}, CScrollBarUI::kRepeatTimerKey);
    Send(*bar, UIEVENT_BUTTONUP, grip);
    EXPECT_EQ(row.GetScrollOffset(), (SIZE{8 + 10 * 80 / 31, 0}));
    EXPECT_EQ(row.ItemAt(0)->GetItemRect().left, -(8 + 10 * 80 / 31));

    Send(*bar, UIEVENT_BUTTONDOWN, POINT{5, 40});  // the left arrow
    Send(*bar, UIEVENT_BUTTONUP, POINT{5, 40});
    EXPECT_EQ(row.GetScrollOffset(), (SIZE{10 * 80 / 31, 0}));
}

}  // namespace
}  // namespace VantuUI
