// A container's two scroll bars together: each one's appearance makes room
// for the other, and scrolling moves the children under both.

#include <gtest/gtest.h>

#include "tests/ui/control_tree.h"
#include "ui/control/scroll/scroll_bar.h"
#include "ui/layout/vertical_layout.h"

namespace VantuUI {
namespace {

using ui_testing::AddChild;

TEST(ContainerBars, BothBarsShareTheCornerAndScrollToTheFarEdges) {
    CVerticalLayoutUI column;
    column.SetAttribute(L"vscrollbar", L"true");
    column.SetAttribute(L"hscrollbarstyle", L"height=\"10\" showbutton1=\"false\"");
    CScrollBarUI* across = column.GetHorizontalScrollBar();
    CScrollBarUI* down = column.GetVerticalScrollBar();
    ASSERT_NE(across, nullptr);
    ASSERT_NE(down, nullptr);
    EXPECT_EQ(across->GetFixedHeight(), 10);
    EXPECT_FALSE(across->IsButton1Shown());
    for (int i = 0; i < 4; ++i) {
        AddChild(column, L"width=\"150\" height=\"50\"");
    }
    column.SetItemRect(RECT{0, 0, 100, 120});
    // 150 wide in 100: the horizontal bar takes 10 at the bottom; 200 high in
    // the 110 left: the vertical bar takes 16 at the right, out of both.
    EXPECT_EQ(across->GetItemRect(), (RECT{0, 110, 84, 120}));
    EXPECT_EQ(down->GetItemRect(), (RECT{84, 0, 100, 110}));
    EXPECT_EQ(across->GetRange(), 150 - 84);
    EXPECT_EQ(down->GetRange(), 200 - 110);
    EXPECT_EQ(column.GetContentRect(), (RECT{0, 0, 84, 110}));

    column.ScrollToBottom();
    column.ScrollToRightEnd();
    const RECT last = column.ItemAt(3)->GetItemRect();
    EXPECT_EQ(last.bottom, 110);
    EXPECT_EQ(last.right, 84);

    // Content that fits again gives both bars up, and their room.
    for (int i = 0; i < 3; ++i) {
        column.RemoveItemAt(0);
    }
    column.ItemAt(0)->SetFixedWidth(50);
    column.SetItemRect(RECT{0, 0, 100, 120});
    EXPECT_FALSE(across->IsVisible());
    EXPECT_FALSE(down->IsVisible());
    EXPECT_EQ(column.GetContentRect(), (RECT{0, 0, 100, 120}));
    EXPECT_EQ(column.ItemAt(0)->GetItemRect().top, 0);
}

}  // namespace
}  // namespace VantuUI
