#include <gtest/gtest.h>

#include <utility>

#include "tests/ui/fake_manager.h"
#include "ui/control/list/header/list_header.h"
#include "ui/control/list/header/list_header_item.h"
#include "ui/control/list/items/list_container_element.h"
#include "ui/control/list/items/list_text_element.h"
#include "ui/control/list/list.h"

namespace VantuUI {
namespace {

using ui_testing::RecordingManager;

TInputEventUI Event(InputEventKind kind, POINT point = {}, WPARAM wParam = 0) {
    TInputEventUI event;
    event.Kind = kind;
    event.MousePoint = point;
    event.wParam = wParam;
    return event;
}

int Count(const RecordingManager& manager, const std::wstring& type) {
    int n = 0;
    for (const auto& note : manager.notifications) {
        n += note.type == type ? 1 : 0;
    }
    return n;
}

// A 200 x 100 list with a 20-pixel header of two columns (60 wide and the
// rest) and `rows` 20-pixel text rows, laid out.
class ListFixture : public ::testing::Test {
  protected:
    void Build(int rows) {
        list.ApplyAttributeString(L"itemheight=\"20\" vscrollbar=\"true\"");
        first = new CListHeaderItemUI;
        first->ApplyAttributeString(L"width=\"60\" height=\"20\" text=\"Name\"");
        list.Append(first);
        auto* second = new CListHeaderItemUI;
        second->ApplyAttributeString(L"height=\"20\" text=\"Size\"");
        list.Append(second);
        for (int i = 0; i < rows; ++i) {
            auto* row = new CListTextElementUI;
            row->SetText(L"row " + std::to_wstring(i));
            list.Append(row);
        }
        list.AttachToManager(&manager, nullptr, false);
        Layout();
    }
    void Layout() { list.SetItemRect(RECT{0, 0, 200, 100}); }
    // Appends a row of two cells that follow the columns, and lays out.
    std::pair<CControlUI*, CControlUI*> AppendCellRow() {
        auto* row = new CListHBoxElementUI;
        auto* a = new CControlUI;
        auto* b = new CControlUI;
        row->Append(a);
        row->Append(b);
        list.Append(row);
        list.AttachToManager(&manager, nullptr, false);
        Layout();
        return {a, b};
    }
    CControlUI* Row(int i) const { return list.ItemAt(i); }
    IListItemUI* Item(int i) const {
        return static_cast<IListItemUI*>(list.ItemAt(i)->FindInterface(L"IListItem"));
    }

    RecordingManager manager;
    CListUI list;
    CListHeaderItemUI* first = nullptr;
};

TEST_F(ListFixture, HeaderItemsGoToTheHeaderAndRowsToTheBodyBelowIt) {
    Build(3);
    EXPECT_EQ(list.ItemCount(), 3);
    EXPECT_EQ(list.GetHeader()->ItemCount(), 2);
    EXPECT_EQ(list.GetHeader()->GetItemRect().bottom, 20);
    EXPECT_EQ(Row(0)->GetItemRect().top, 20);
    EXPECT_EQ(Row(0)->GetItemRect().bottom, 40);
    const TListColumnsUI columns = list.GetHeader()->GetColumns();
    ASSERT_EQ(columns.count, 2);
    EXPECT_EQ(columns.rects[0].right, 60);
    EXPECT_EQ(columns.rects[1].left, 60);
    EXPECT_EQ(columns.rects[1].right, 200);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Item(i)->GetIndex(), i);
        EXPECT_EQ(Item(i)->GetOwner(), static_cast<IListOwnerUI*>(&list));
    }

    list.ApplyAttributeString(L"header=\"hidden\"");
    Layout();
    EXPECT_EQ(Row(0)->GetItemRect().top, 0);
}

TEST_F(ListFixture, SelectionFollowsInsertsAndRemovalsAndRefusesUnusableItems) {
    Build(5);
    ASSERT_TRUE(list.SelectItem(2));
    ASSERT_EQ(manager.notifications.size(), 1u);
    EXPECT_EQ(manager.notifications[0].type, L"itemselect");
    EXPECT_EQ(manager.notifications[0].wParam, 2u);
    EXPECT_EQ(manager.notifications[0].lParam, -1);

    list.InsertAt(new CListLabelElementUI, 0);
    EXPECT_EQ(list.GetCurSel(), 3);
    EXPECT_TRUE(Item(3)->IsSelected());
    EXPECT_EQ(Item(5)->GetIndex(), 5);

    EXPECT_FALSE(list.SelectItem(6));
    Row(4)->SetEnabled(false);
    EXPECT_FALSE(list.SelectItem(4));
    EXPECT_EQ(list.GetCurSel(), 3);

    list.RemoveItemAt(3);
    EXPECT_EQ(list.GetCurSel(), -1);
    list.SelectItem(4);
    list.RemoveItemAt(0);
    EXPECT_EQ(list.GetCurSel(), 3);
    EXPECT_EQ(Item(3)->GetIndex(), 3);
    EXPECT_TRUE(Item(3)->IsSelected());

    EXPECT_TRUE(list.SelectItem(-1));
    EXPECT_FALSE(Item(3)->IsSelected());
}

TEST_F(ListFixture, PressingARowSelectsItAndDoubleClickActivates) {
    Build(3);
    auto down = Event(UIEVENT_BUTTONDOWN, POINT{10, 45});
    Row(1)->HandleEvent(down);
    EXPECT_EQ(list.GetCurSel(), 1);
    EXPECT_EQ(Count(manager, L"itemselect"), 1);
    EXPECT_EQ(Count(manager, L"itemclick"), 1);
    auto dbl = Event(UIEVENT_DBLCLICK, POINT{10, 45});
    Row(1)->HandleEvent(dbl);
    EXPECT_EQ(Count(manager, L"itemactivate"), 1);
    Row(2)->SetEnabled(false);
    auto disabled = Event(UIEVENT_BUTTONDOWN, POINT{10, 65});
    Row(2)->HandleEvent(disabled);
    EXPECT_EQ(list.GetCurSel(), 1);
}

TEST_F(ListFixture, KeysMoveTheSelectionAndKeepItInView) {
    Build(20);
    list.SelectItem(0);
    auto end = Event(UIEVENT_KEYDOWN, {}, VK_END);
    Row(0)->HandleEvent(end);
    EXPECT_EQ(list.GetCurSel(), 19);
    // 80 pixels of body show four rows; the last one ends at the bottom.
    EXPECT_EQ(Row(19)->GetItemRect().bottom, list.GetList()->GetContentRect().bottom);
    auto up = Event(UIEVENT_KEYDOWN, {}, VK_UP);
    Row(19)->HandleEvent(up);
    EXPECT_EQ(list.GetCurSel(), 18);
    Row(17)->SetEnabled(false);
    Row(18)->HandleEvent(up);
    EXPECT_EQ(list.GetCurSel(), 16);
    auto home = Event(UIEVENT_KEYDOWN, {}, VK_HOME);
    Row(16)->HandleEvent(home);
    EXPECT_EQ(list.GetCurSel(), 0);
    EXPECT_EQ(list.GetScrollOffset().cy, 0);
}

// With nothing selected, Down starts at the first row: row 0, or the first
// row that can be selected.
TEST_F(ListFixture, DownWithNoSelectionSelectsTheFirstSelectableRow) {
    Build(5);
    ASSERT_EQ(list.GetCurSel(), -1);
    auto down = Event(UIEVENT_KEYDOWN, {}, VK_DOWN);
    Row(3)->HandleEvent(down);
    EXPECT_EQ(list.GetCurSel(), 0);
    ASSERT_EQ(Count(manager, L"itemselect"), 1);
    for (const auto& note : manager.notifications) {
        if (note.type == L"itemselect") {
            EXPECT_EQ(note.wParam, 0u);
            EXPECT_EQ(note.lParam, -1);
        }
    }

    ASSERT_TRUE(list.SelectItem(-1));
    Row(0)->SetEnabled(false);
    Row(3)->HandleEvent(down);
    EXPECT_EQ(list.GetCurSel(), 1);
}

TEST_F(ListFixture, TheWheelScrollsOrWithScrollSelectMovesTheSelection) {
    Build(20);
    list.SelectItem(0);
    auto down = Event(UIEVENT_SCROLLWHEEL, {}, 1);
    Row(0)->HandleEvent(down);
    EXPECT_GT(list.GetScrollOffset().cy, 0);
    EXPECT_EQ(list.GetCurSel(), 0);
    list.ApplyAttributeString(L"scrollselect=\"true\"");
    Row(0)->HandleEvent(down);
    EXPECT_EQ(list.GetCurSel(), 1);
}

TEST_F(ListFixture, DraggingTheSeparatorResizesTheColumnAndAClickRaisesHeaderClick) {
    Build(1);
    auto grab = Event(UIEVENT_BUTTONDOWN, POINT{58, 10});
    first->HandleEvent(grab);
    auto move = Event(UIEVENT_MOUSEMOVE, POINT{88, 10});
    first->HandleEvent(move);
    auto release = Event(UIEVENT_BUTTONUP, POINT{88, 10});
    first->HandleEvent(release);
    EXPECT_EQ(first->GetFixedWidth(), 90);
    EXPECT_EQ(Count(manager, L"headerclick"), 0);
    Layout();
    EXPECT_EQ(list.GetHeader()->GetColumns().rects[1].left, 90);

    // Never narrower than the strip it is dragged by.
    first->HandleEvent(grab = Event(UIEVENT_BUTTONDOWN, POINT{88, 10}));
    first->HandleEvent(move = Event(UIEVENT_MOUSEMOVE, POINT{-500, 10}));
    first->HandleEvent(release = Event(UIEVENT_BUTTONUP, POINT{-500, 10}));
    EXPECT_EQ(first->GetFixedWidth(), 4);

    auto press = Event(UIEVENT_BUTTONDOWN, POINT{1, 10});
    first->HandleEvent(press);
    auto up = Event(UIEVENT_BUTTONUP, POINT{1, 10});
    first->HandleEvent(up);
    EXPECT_EQ(Count(manager, L"headerclick"), 1);
}

TEST_F(ListFixture, RowElementsPlaceTheirChildrenInTheColumns) {
    Build(0);
    const auto [a, b] = AppendCellRow();
    EXPECT_EQ(a->GetItemRect().left, 0);
    EXPECT_EQ(a->GetItemRect().right, 60);
    EXPECT_EQ(b->GetItemRect().left, 60);
    EXPECT_EQ(b->GetItemRect().right, 200);
}

TEST_F(ListFixture, TheHeaderScrollsWithTheRowsSoColumnEdgesStayOverTheCells) {
    Build(0);
    list.ApplyAttributeString(L"hscrollbar=\"true\"");
    list.GetHeader()->ItemAt(1)->SetFixedWidth(200);
    // Pointers, not a structured binding: the lambda below captures them.
    const auto cells = AppendCellRow();
    CControlUI* const a = cells.first;
    CControlUI* const b = cells.second;
    // Columns of 60 and 200 in a list 200 wide.
    ASSERT_GE(list.GetScrollExtent().cx, 60);
    const auto expectAligned = [&](LONG firstLeft) {
        const TListColumnsUI columns = list.GetHeader()->GetColumns();
        ASSERT_EQ(columns.count, 2);
        EXPECT_EQ(columns.rects[0].left, firstLeft);
        EXPECT_EQ(a->GetItemRect().left, columns.rects[0].left);
        EXPECT_EQ(a->GetItemRect().right, columns.rects[0].right);
        EXPECT_EQ(b->GetItemRect().left, columns.rects[1].left);
        EXPECT_EQ(b->GetItemRect().right, columns.rects[1].right);
        EXPECT_EQ(columns.rects[1].right, firstLeft + 260);
    };
    expectAligned(0);

    list.SetScrollOffset(SIZE{50, 0});
    EXPECT_EQ(list.GetScrollOffset().cx, 50);
    expectAligned(-50);
    // A new layout keeps the scroll position and the alignment.
    Layout();
    expectAligned(-50);
    list.ScrollToRightEnd();
    expectAligned(-list.GetScrollExtent().cx);
    EXPECT_EQ(b->GetItemRect().right, list.GetList()->GetContentRect().right);
}

TEST_F(ListFixture, OnlyOneItemIsExpandedUnlessTheListAllowsMany) {
    Build(0);
    CListContainerElementUI* items[2];
    for (auto*& item : items) {
        item = new CListContainerElementUI;
        item->ApplyAttributeString(L"expandable=\"true\"");
        auto* details = new CControlUI;
        details->SetFixedHeight(50);
        item->Append(details);
        list.Append(item);
    }
    list.AttachToManager(&manager, nullptr, false);
    Layout();
    EXPECT_EQ(items[0]->GetHeight(), 20);

    auto dbl = Event(UIEVENT_DBLCLICK, POINT{5, 25});
    items[0]->HandleEvent(dbl);
    EXPECT_TRUE(items[0]->IsExpanded());
    EXPECT_EQ(list.GetExpandedItem(), 0);
    Layout();
    EXPECT_EQ(items[0]->GetHeight(), 50);

    EXPECT_TRUE(list.ExpandItem(1));
    EXPECT_FALSE(items[0]->IsExpanded());
    EXPECT_EQ(Count(manager, L"itemexpand"), 2);
    EXPECT_EQ(Count(manager, L"itemcollapse"), 1);

    list.ApplyAttributeString(L"multiexpanding=\"true\"");
    EXPECT_TRUE(list.ExpandItem(0));
    EXPECT_TRUE(items[0]->IsExpanded());
    EXPECT_TRUE(items[1]->IsExpanded());

    items[0]->ApplyAttributeString(L"expandable=\"false\"");
    EXPECT_FALSE(items[0]->IsExpanded());
    EXPECT_FALSE(list.ExpandItem(0));
}

TEST_F(ListFixture, TextRowsTakeEmptyColumnsFromTheCallback) {
    struct Texts : IListCallbackUI {
        std::wstring GetItemText(CControlUI*, int index, int column) override {
            return std::to_wstring(index) + L":" + std::to_wstring(column);
        }
    } texts;
    Build(2);
    list.SetTextCallback(&texts);
    auto* row = static_cast<CListTextElementUI*>(Row(1));
    EXPECT_EQ(row->GetColumnText(0), L"row 1");
    EXPECT_EQ(row->GetColumnText(1), L"1:1");
    row->SetColumnText(1, L"own");
    EXPECT_EQ(row->GetColumnText(1), L"own");
    row->SetColumnText(kMaxListColumns, L"ignored");
    EXPECT_EQ(row->GetColumnText(kMaxListColumns), L"1:32");
}

TEST(ListAttributes, ScrollBarSettingsReachTheBodyAndItemSettingsTheRows) {
    CListUI list;
    list.ApplyAttributeString(
        L"vscrollbarstyle=\"width=&quot;9&quot;\" itemtextcolor=\"#FF112233\" "
        L"itemalign=\"right\" itemmultiline=\"true\" itemheight=\"31\"");
    ASSERT_NE(list.GetVerticalScrollBar(), nullptr);
    EXPECT_EQ(list.GetVerticalScrollBar(), list.GetList()->GetVerticalScrollBar());
    const TListItemStyleUI& style = list.GetItemStyle();
    EXPECT_EQ(style.textColor, 0xFF112233u);
    EXPECT_EQ(style.textStyle & (DT_RIGHT | DT_SINGLELINE | DT_WORDBREAK), DT_RIGHT | DT_WORDBREAK);
    auto* row = new CListLabelElementUI;
    list.Append(row);
    EXPECT_EQ(row->GetDesiredSize(SIZE{100, 100}).cy, 31);
}

}  // namespace
}  // namespace VantuUI
