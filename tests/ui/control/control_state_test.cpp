#include <gtest/gtest.h>

#include "tests/ui/fake_manager.h"
#include "ui/control/control.h"
#include "ui/control/scroll/scroll_bar.h"
#include "ui/core/string_table.h"
#include "ui/layout/container/container.h"
#include "ui/layout/horizontal_layout.h"

namespace VantuUI {
namespace {

using ui_testing::RecordingManager;

TEST(StringTable, HashRunsFromTheLastCharacterAndFirstValueStays) {
    EXPECT_EQ(StringTableHash(L"ab"), 98u * 33u + 97u);
    CStringTableUI<int> table(83);
    EXPECT_EQ(table.Find(L"x"), nullptr);
    EXPECT_TRUE(table.Insert(L"x", 1));
    EXPECT_FALSE(table.Insert(L"x", 2));
    EXPECT_EQ(*table.Find(L"x"), 1);
    table.Set(L"x", 3);
    EXPECT_EQ(*table.Find(L"x"), 3);
    EXPECT_TRUE(table.Remove(L"x"));
    EXPECT_EQ(table.Count(), 0u);
}

TEST(ControlState, VirtualWindowNameComesFromTheNearestAncestor) {
    RecordingManager manager;
    auto* root = new CContainerUI;
    auto* leaf = new CControlUI;
    root->Append(leaf);
    manager.BindControls(root, nullptr);
    EXPECT_EQ(leaf->GetVirtualWindowName(), L"");
    root->SetAttribute(L"virtualwnd", L"page");
    EXPECT_EQ(leaf->GetVirtualWindowName(), L"page");
    leaf->SetVirtualWindowName(L"own");
    EXPECT_EQ(leaf->GetVirtualWindowName(), L"own");
    delete root;
}

TEST(ControlState, MoveInvalidatesOldAndNewPlaceAndCarriesTheCover) {
    RecordingManager manager;
    auto* root = new CContainerUI;
    auto* leaf = new CControlUI;
    auto* cover = new CControlUI;
    leaf->SetCoverControl(cover);
    root->Append(leaf);
    manager.BindControls(root, nullptr);
    root->SetItemRect(RECT{0, 0, 100, 100});
    EXPECT_EQ(cover->GetItemRect(), (RECT{0, 0, 100, 100}));
    leaf->SetItemRect(RECT{10, 10, 20, 20}, false);
    manager.invalidated.clear();
    leaf->Move(SIZE{5, 0});
    EXPECT_EQ(leaf->GetItemRect(), (RECT{15, 10, 25, 20}));
    ASSERT_EQ(manager.invalidated.size(), 1u);
    EXPECT_EQ(manager.invalidated[0], (RECT{10, 10, 25, 20}));
    EXPECT_EQ(cover->GetItemRect(), (RECT{15, 10, 25, 20}));
    EXPECT_EQ(leaf->GetParentRelativeRect(), (RECT{15, 10, 25, 20}));
    delete root;
}

TEST(ControlState, LayoutRequestsNeedVisibilityAndReachTheManager) {
    RecordingManager manager;
    auto* root = new CContainerUI;
    auto* leaf = new CControlUI;
    root->Append(leaf);
    manager.BindControls(root, nullptr);
    root->SetItemRect(RECT{0, 0, 10, 10});
    EXPECT_FALSE(root->IsUpdateNeeded());
    manager.layoutMarks = 0;
    leaf->SetPadding(RECT{1, 1, 1, 1});
    EXPECT_TRUE(root->IsUpdateNeeded());
    EXPECT_GT(manager.layoutMarks, 0);

    root->SetItemRect(RECT{0, 0, 10, 10});
    root->SetVisible(false);
    root->RequestLayout();  // hidden: nothing to lay out
    EXPECT_FALSE(root->IsUpdateNeeded());
    delete root;
}

TEST(HorizontalLayout, SharesHonourMinimumAndMaximumWidths) {
    CHorizontalLayoutUI row;
    auto* a = new CControlUI;
    a->SetMaxWidth(30);
    auto* b = new CControlUI;
    auto* c = new CControlUI;
    c->SetMinWidth(80);
    row.Append(a);
    row.Append(b);
    row.Append(c);
    row.SetItemRect(RECT{0, 0, 150, 20});
    // share 50 each: a is held to 30, c raised to 80; the last takes the rest
    EXPECT_EQ(a->GetItemRect(), (RECT{0, 0, 30, 20}));
    EXPECT_EQ(b->GetItemRect(), (RECT{30, 0, 80, 20}));
    EXPECT_EQ(c->GetItemRect(), (RECT{80, 0, 160, 20}));
}

TEST(HorizontalLayout, HorizontalBarTakesTheOverflow) {
    CHorizontalLayoutUI row;
    row.SetAttribute(L"hscrollbar", L"true");
    CScrollBarUI* bar = row.GetHorizontalScrollBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->IsHorizontal());
    EXPECT_EQ(bar->GetFixedHeight(), 16);
    for (int i = 0; i < 3; ++i) {
        auto* c = new CControlUI;
        c->SetFixedWidth(60);
        row.Append(c);
    }
    row.SetItemRect(RECT{0, 0, 100, 50});
    EXPECT_TRUE(bar->IsVisible());
    EXPECT_EQ(bar->GetRange(), 80);
    EXPECT_EQ(bar->GetItemRect(), (RECT{0, 34, 100, 50}));
    row.LineRight();
    EXPECT_EQ(row.GetScrollOffset(), (SIZE{8, 0}));
    EXPECT_EQ(row.ItemAt(0)->GetItemRect().left, -8);
    row.PageRight();
    EXPECT_EQ(row.GetScrollOffset().cx, 80);  // held at the range
    row.SetAttribute(L"hscrollbar", L"false");
    EXPECT_EQ(row.GetHorizontalScrollBar(), nullptr);
}

}  // namespace
}  // namespace VantuUI
