#include <gtest/gtest.h>

#include "fake_manager.h"
#include "ui/control/control.h"
#include "ui/control/scroll/scroll_bar.h"
#include "ui/layout/child_layout.h"
#include "ui/layout/container/container.h"
#include "ui/layout/tab_layout.h"
#include "ui/layout/vertical_layout.h"

namespace VantuUI {
namespace {

using ui_testing::RecordingManager;

// Counts its own destruction.
class Counted : public CControlUI {
  public:
    explicit Counted(int* deaths) : m_deaths(deaths) {}
    ~Counted() override { ++*m_deaths; }

  private:
    int* m_deaths;
};

class ListItem : public CControlUI {
  public:
    void* FindInterface(const std::wstring& name) override {
        return name == L"IListItem" ? this : CControlUI::FindInterface(name);
    }
};

TEST(Container, OwnsItsChildrenAndRefusesBadIndexes) {
    int deaths = 0;
    {
        CContainerUI box;
        EXPECT_FALSE(box.Append(nullptr));
        CControlUI stray;
        EXPECT_FALSE(box.InsertAt(&stray, 5));
        EXPECT_EQ(box.ItemCount(), 0);
    }
    {
        CContainerUI box;
        auto* a = new Counted(&deaths);
        auto* b = new Counted(&deaths);
        auto* kept = new Counted(&deaths);
        box.Append(a);
        box.Append(b);
        box.Append(kept);
        EXPECT_EQ(box.ItemAt(3), nullptr);
        EXPECT_EQ(box.ItemAt(-1), nullptr);
        EXPECT_EQ(box.IndexOf(nullptr), -1);
        EXPECT_FALSE(box.RemoveItemAt(9));
        EXPECT_TRUE(box.RemoveItem(kept, true));
        EXPECT_EQ(deaths, 0);
        EXPECT_TRUE(box.RemoveItem(a));
        EXPECT_EQ(deaths, 1);
        delete kept;
        EXPECT_EQ(deaths, 2);
    }
    EXPECT_EQ(deaths, 3);
}

TEST(Container, RemovedChildrenGoToTheManagerWhenDeferred) {
    int deaths = 0;
    {
        RecordingManager manager;
        auto* root = new CContainerUI;
        manager.BindControls(root, nullptr);
        auto* child = new Counted(&deaths);
        root->Append(child);
        EXPECT_EQ(child->GetManager(), &manager);
        EXPECT_EQ(child->GetParent(), root);
        root->RemoveItem(child);
        EXPECT_EQ(deaths, 0);  // still alive until the manager cleans up
        EXPECT_EQ(child->GetManager(), nullptr);
        delete root;
    }
    EXPECT_EQ(deaths, 1);
}

TEST(Container, MovesItemsAndRanges) {
    CContainerUI box;
    CControlUI* c[5];
    for (auto*& item : c) {
        item = new CControlUI;
        box.Append(item);
    }
    EXPECT_TRUE(box.MoveItemTo(c[4], 0));
    EXPECT_EQ(box.ItemAt(0), c[4]);
    EXPECT_EQ(box.ItemAt(1), c[0]);
    // now 4 0 1 2 3
    EXPECT_TRUE(box.MoveItemRange(c[0], 2, 3));
    EXPECT_EQ(box.ItemAt(1), c[2]);
    EXPECT_EQ(box.ItemAt(3), c[0]);
    EXPECT_EQ(box.ItemAt(4), c[1]);
    EXPECT_TRUE(box.MoveItemRange(c[2], 9, 1));  // already there
    EXPECT_FALSE(box.MoveItemRange(c[2], 3, 3));
    EXPECT_FALSE(box.MoveItemRange(c[2], -1, 0));
    EXPECT_FALSE(box.MoveItemRange(nullptr, 1, 0));
}

TEST(Container, NextSelectableIndexSkipsWhatCannotBeSelected) {
    CContainerUI box;
    EXPECT_EQ(box.NextSelectableIndex(0, true), -1);
    box.Append(new CControlUI);
    auto* item = new ListItem;
    box.Append(item);
    auto* hidden = new ListItem;
    hidden->SetVisible(false);
    box.Append(hidden);
    EXPECT_EQ(box.NextSelectableIndex(0, true), 1);
    EXPECT_EQ(box.NextSelectableIndex(2, true), -1);
    EXPECT_EQ(box.NextSelectableIndex(99, false), 1);
    item->SetEnabled(false);
    EXPECT_EQ(box.NextSelectableIndex(2, false), -1);
}

TEST(Container, VerticalBarAppearsWhenTheContentIsTallerAndScrolls) {
    RecordingManager manager;
    auto* column = new CVerticalLayoutUI;
    manager.BindControls(column, nullptr);
    column->SetAttribute(L"vscrollbarstyle", L"width=\"6\"");
    CScrollBarUI* bar = column->GetVerticalScrollBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->GetFixedWidth(), 6);
    CControlUI* rows[4];
    for (auto*& row : rows) {
        row = new CControlUI;
        row->SetFixedHeight(50);
        column->Append(row);
    }
    column->SetItemRect(RECT{0, 0, 100, 120});
    EXPECT_TRUE(bar->IsVisible());
    EXPECT_EQ(bar->GetRange(), 80);
    EXPECT_EQ(column->GetContentRect().right, 100 - bar->GetFixedWidth());
    EXPECT_EQ(bar->GetItemRect().left, 100 - bar->GetFixedWidth());
    EXPECT_EQ(rows[3]->GetItemRect().top, 150);

    column->SetScrollOffset(SIZE{0, 30});
    EXPECT_EQ(column->GetScrollOffset(), (SIZE{0, 30}));
    EXPECT_EQ(rows[0]->GetItemRect().top, -30);
    column->ScrollToBottom();
    EXPECT_EQ(rows[3]->GetItemRect().bottom, 120);

    TInputEventUI key;
    key.Kind = UIEVENT_KEYDOWN;
    key.wParam = 0x24;  // Home
    column->DispatchEvent(key);
    EXPECT_EQ(column->GetScrollOffset().cy, 0);
    TInputEventUI wheel;
    wheel.Kind = UIEVENT_SCROLLWHEEL;
    wheel.wParam = 1;  // down
    column->DispatchEvent(wheel);
    // One wheel step is a line of the window's default font plus 8.
    EXPECT_EQ(column->GetScrollOffset().cy, manager.DefaultFontHeight() + 8);

    // The content shrinks: the bar goes away and the width comes back.
    rows[3]->SetVisible(false);
    rows[2]->SetVisible(false);
    column->SetItemRect(RECT{0, 0, 100, 120});
    EXPECT_FALSE(bar->IsVisible());
    EXPECT_EQ(rows[0]->GetItemRect(), (RECT{0, 0, 100, 50}));
    delete column;
}

TEST(ChildLayout, StaysEmptyWhenItsSkinCannotBeBuilt) {
    RecordingManager manager;
    auto* root = new CContainerUI;
    manager.BindControls(root, nullptr);
    auto* child = new CChildLayoutUI;
    child->SetAttribute(L"xmlfile", L"missing.xml");
    child->Append(new CControlUI);
    EXPECT_EQ(child->GetChildSkinFile(), L"missing.xml");
    root->Append(child);  // attaching initialises it
    EXPECT_EQ(child->ItemCount(), 0);
    delete root;
}

TEST(TabLayout, SelectingAPageNotifies) {
    RecordingManager manager;
    auto* tabs = new CTabLayoutUI;
    manager.BindControls(tabs, nullptr);
    tabs->Append(new CControlUI);
    tabs->Append(new CControlUI);
    EXPECT_TRUE(tabs->SelectPage(0));
    EXPECT_TRUE(manager.notifications.empty());  // already selected
    tabs->SetAttribute(L"selectedid", L"1");
    // The new page takes the focus first ("setfocus").
    std::erase_if(manager.notifications, [](const auto& n) { return n.type != L"tabselect"; });
    ASSERT_EQ(manager.notifications.size(), 1u);
    EXPECT_EQ(manager.notifications[0].type, L"tabselect");
    EXPECT_EQ(manager.notifications[0].wParam, 1u);
    EXPECT_EQ(manager.notifications[0].lParam, 0);
    EXPECT_STREQ(tabs->ExtraAttribute(L"selectedid"), L"1");
    EXPECT_EQ(manager.FocusedControl(), tabs->ItemAt(1));
    delete tabs;
}

TEST(VerticalLayout, DraggingTheSeparatorResizesWithinMinAndMax) {
    RecordingManager manager;
    auto* root = new CVerticalLayoutUI;
    auto* panel = new CVerticalLayoutUI;
    panel->ApplyAttributeString(L"sepheight=\"4\" minheight=\"20\" height=\"60\"");
    root->Append(panel);
    manager.BindControls(root, nullptr);
    root->SetItemRect(RECT{0, 0, 100, 200});
    EXPECT_EQ(panel->GetInputFlags(), UIFLAG_SETCURSOR);

    auto send = [&](InputEventKind kind, LONG y) {
        TInputEventUI e;
        e.Kind = kind;
        e.MousePoint = POINT{50, y};
        panel->DispatchEvent(e);
    };
    send(UIEVENT_BUTTONDOWN, 30);  // outside the strip: nothing
    send(UIEVENT_MOUSEMOVE, 10);
    EXPECT_EQ(panel->GetFixedHeight(), 60);

    send(UIEVENT_BUTTONDOWN, 58);
    send(UIEVENT_MOUSEMOVE, 59);  // down, but the pointer is still above the edge
    EXPECT_EQ(panel->GetFixedHeight(), 60);
    send(UIEVENT_MOUSEMOVE, 69);
    EXPECT_EQ(panel->GetFixedHeight(), 70);
    send(UIEVENT_MOUSEMOVE, 0);  // far up: held at the minimum height
    EXPECT_EQ(panel->GetFixedHeight(), 20);
    EXPECT_EQ(panel->GetItemRect().bottom, 60);  // not moved before the release
    send(UIEVENT_BUTTONUP, 0);
    root->SetItemRect(root->GetItemRect());
    EXPECT_EQ(panel->GetItemRect(), (RECT{0, 0, 100, 20}));
    delete root;
}

}  // namespace
}  // namespace VantuUI
