#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "control_tree.h"

#include "ui/control/control.h"
#include "ui/control/scroll/scroll_bar.h"
#include "ui/core/manager/window_manager.h"
#include "ui/layout/container/container.h"
#include "ui/layout/horizontal_layout.h"
#include "ui/layout/tab_layout.h"
#include "ui/layout/tile_layout.h"
#include "ui/layout/vertical_layout.h"

namespace VantuUI {
namespace {

using ui_testing::AddChild;

TEST(VerticalLayout, SharesTheRestAndGivesTheRoundingToTheLastAdjustableChild) {
    CVerticalLayoutUI column;
    CControlUI* a = AddChild(column, L"height=\"100\"");
    CControlUI* b = AddChild(column, L"");
    CControlUI* c = AddChild(column, L"");
    CControlUI* d = AddChild(column, L"height=\"50\"");
    column.SetItemRect(RECT{0, 0, 200, 301});
    EXPECT_EQ(a->GetItemRect(), (RECT{0, 0, 200, 100}));
    EXPECT_EQ(b->GetItemRect(), (RECT{0, 100, 200, 175}));
    EXPECT_EQ(c->GetItemRect(), (RECT{0, 175, 200, 251}));
    EXPECT_EQ(d->GetItemRect(), (RECT{0, 251, 200, 301}));
}

TEST(VerticalLayout, AlignsChildrenAndUsesPaddingOnlyWhenLeftAligned) {
    CVerticalLayoutUI column;
    CControlUI* a = AddChild(column, L"width=\"430\" height=\"10\" padding=\"7,2,0,3\"");
    column.SetItemRect(RECT{0, 0, 500, 100});
    EXPECT_EQ(a->GetItemRect(), (RECT{7, 2, 437, 12}));
    column.SetAttribute(L"childalign", L"center");
    column.SetItemRect(RECT{0, 0, 500, 100});
    EXPECT_EQ(a->GetItemRect(), (RECT{35, 2, 465, 12}));
    column.SetAttribute(L"childalign", L"middle");  // unknown word: unchanged
    EXPECT_EQ(column.GetChildAlignX(), DT_CENTER);
    column.SetAttribute(L"childalign", L"right");
    column.SetItemRect(RECT{0, 0, 500, 100});
    EXPECT_EQ(a->GetItemRect(), (RECT{500 - 0 - 430, 2, 500, 12}));
}

TEST(VerticalLayout, MinMaxInsetAndChildPadding) {
    CVerticalLayoutUI column;
    column.ApplyAttributeString(L"inset=\"5,5,5,5\" childpadding=\"10\"");
    CControlUI* a = AddChild(column, L"maxheight=\"40\"");
    CControlUI* b = AddChild(column, L"minheight=\"300\"");
    CControlUI* c = AddChild(column, L"height=\"20\" maxwidth=\"50\"");
    column.SetItemRect(RECT{0, 0, 110, 210});
    // content 100 x 200; fixed sum 20 + 2 gaps; share (200 - 40) / 2 = 80
    EXPECT_EQ(a->GetItemRect(), (RECT{5, 5, 105, 45}));
    EXPECT_EQ(b->GetItemRect(), (RECT{5, 55, 105, 355}));
    EXPECT_EQ(c->GetItemRect(), (RECT{5, 365, 55, 385}));
}

TEST(HorizontalLayout, RowWithFixedAndSharedWidthsAndVerticalAlignment) {
    CHorizontalLayoutUI row;
    row.ApplyAttributeString(L"childpadding=\"30\" childvalign=\"vcenter\"");
    CControlUI* left = AddChild(row, L"");
    CControlUI* ok = AddChild(row, L"width=\"120\" height=\"36\"");
    CControlUI* cancel = AddChild(row, L"width=\"120\" height=\"36\"");
    CControlUI* right = AddChild(row, L"");
    row.SetItemRect(RECT{0, 100, 370, 164});
    EXPECT_EQ(left->GetItemRect(), (RECT{0, 100, 20, 164}));
    EXPECT_EQ(ok->GetItemRect(), (RECT{50, 114, 170, 150}));
    EXPECT_EQ(cancel->GetItemRect(), (RECT{200, 114, 320, 150}));
    EXPECT_EQ(right->GetItemRect(), (RECT{350, 100, 370, 164}));

    cancel->SetVisible(false);
    row.SetAttribute(L"childvalign", L"bottom");
    row.SetItemRect(RECT{0, 100, 370, 164});
    EXPECT_EQ(ok->GetItemRect(), (RECT{125, 128, 245, 164}));
    EXPECT_EQ(right->GetItemRect(), (RECT{275, 100, 370, 164}));
}

TEST(TileLayout, ComputesColumnsAndGapFromTheWidth) {
    CTileLayoutUI tiles;
    tiles.SetAttribute(L"itemsize", L"100,50");
    tiles.SetAttribute(L"childvpadding", L"-4");
    EXPECT_EQ(tiles.GetChildVPadding(), 0);
    tiles.SetAttribute(L"childvpadding", L"4");
    std::vector<CControlUI*> items;
    for (int i = 0; i < 5; ++i) {
        items.push_back(AddChild(tiles, L""));
    }
    items[1]->SetAttribute(L"padding", L"10,5,10,5");
    tiles.SetItemRect(RECT{0, 0, 350, 200});
    EXPECT_EQ(tiles.GetActualColumns(), 3);
    EXPECT_EQ(tiles.GetActualRows(), 2);
    EXPECT_EQ(items[0]->GetItemRect(), (RECT{0, 0, 100, 50}));
    // the padding comes off the size and again off the edges; gap 50 / 2
    EXPECT_EQ(items[1]->GetItemRect(), (RECT{135, 5, 195, 35}));
    EXPECT_EQ(items[2]->GetItemRect(), (RECT{250, 0, 350, 50}));
    EXPECT_EQ(items[3]->GetItemRect(), (RECT{0, 54, 100, 104}));
}

TEST(TileLayout, FixedColumnCountAndZeroItemWidth) {
    CTileLayoutUI tiles;
    tiles.ApplyAttributeString(L"itemsize=\"40,10\" columns=\"2\"");
    CControlUI* a = AddChild(tiles, L"");
    CControlUI* b = AddChild(tiles, L"");
    tiles.SetItemRect(RECT{0, 0, 100, 100});
    EXPECT_EQ(a->GetItemRect(), (RECT{0, 0, 40, 10}));
    EXPECT_EQ(b->GetItemRect(), (RECT{60, 0, 100, 10}));

    CTileLayoutUI zero;
    AddChild(zero, L"");
    zero.SetItemRect(RECT{0, 0, 100, 100});  // must not divide by zero
    EXPECT_EQ(zero.GetActualColumns(), 1);
}

TEST(TabLayout, ShowsOnlyTheSelectedPageAndTracksTheSelection) {
    CTabLayoutUI tabs;
    CControlUI* p0 = AddChild(tabs, L"");
    CControlUI* p1 = AddChild(tabs, L"");
    EXPECT_EQ(tabs.GetSelectedIndex(), 0);
    EXPECT_TRUE(p0->IsVisible());
    EXPECT_FALSE(p1->IsVisible());

    auto* inserted = new CControlUI;
    ASSERT_TRUE(tabs.InsertAt(inserted, 0));
    EXPECT_EQ(tabs.GetSelectedIndex(), 1);
    EXPECT_TRUE(inserted->IsVisible());

    EXPECT_FALSE(tabs.SelectPage(7));
    EXPECT_TRUE(tabs.SelectPage(2));
    EXPECT_FALSE(p0->IsVisible());
    EXPECT_TRUE(p1->IsVisible());
    tabs.SetAttribute(L"inset", L"2,2,2,2");
    tabs.SetItemRect(RECT{10, 10, 110, 60});
    EXPECT_EQ(p1->GetItemRect(), (RECT{12, 12, 108, 58}));

    EXPECT_TRUE(tabs.RemoveItem(p1));
    EXPECT_EQ(tabs.GetSelectedIndex(), 0);
    EXPECT_TRUE(tabs.ItemAt(0)->IsVisible());
    tabs.RemoveAllItems();
    EXPECT_EQ(tabs.GetSelectedIndex(), -1);
}

TEST(Container, FloatingChildrenUseTheirAnchorsRelativeToTheParent) {
    CVerticalLayoutUI root;
    CContainerUI* box = new CContainerUI;
    root.Append(box);
    CControlUI* bar = AddChild(*box, L"float=\"true\" pos=\"0,272,500,278\"");
    CControlUI* anchored = AddChild(*box, L"float=\"0.5,0,1,0\" pos=\"-10,5,0,15\"");
    root.SetItemRect(RECT{0, 0, 500, 310});
    EXPECT_EQ(bar->GetItemRect(), (RECT{0, 272, 500, 278}));
    EXPECT_EQ(anchored->GetItemRect(), (RECT{240, 5, 500, 15}));

    root.SetItemRect(RECT{100, 50, 300, 150});
    EXPECT_EQ(bar->GetItemRect(), (RECT{100, 322, 600, 328}));
    EXPECT_EQ(anchored->GetItemRect(), (RECT{190, 55, 300, 65}));
    EXPECT_EQ(anchored->GetFloatOffset(), (SIZE{-10, 5}));
}

TEST(Container, CoverFollowsItsControl) {
    CWindowManagerUI manager;  // outlives the tree it is attached to
    CHorizontalLayoutUI row;
    CControlUI* host = AddChild(row, L"width=\"50\"");
    auto* cover = new CControlUI;
    cover->SetAttribute(L"maxwidth", L"20");
    host->SetCoverControl(cover);
    row.AttachToManager(&manager, nullptr, false);
    row.SetItemRect(RECT{10, 0, 200, 30});
    EXPECT_EQ(host->GetItemRect(), (RECT{10, 0, 60, 30}));
    EXPECT_EQ(cover->GetItemRect(), (RECT{10, 0, 30, 30}));

    auto* floating = new CControlUI;
    floating->ApplyAttributeString(L"float=\"true\" pos=\"5,5,15,10\"");
    host->SetCoverControl(floating);
    row.SetItemRect(RECT{10, 0, 200, 30});
    EXPECT_EQ(floating->GetItemRect(), (RECT{15, 5, 25, 10}));
    host->Move(SIZE{1, 2});
    EXPECT_EQ(floating->GetItemRect(), (RECT{16, 7, 26, 12}));
}

TEST(Container, NestedLayoutsKeepExactRectangles) {
    CVerticalLayoutUI root;
    auto* top = new CHorizontalLayoutUI;
    top->SetAttribute(L"height", L"40");
    root.Append(top);
    CControlUI* logo = AddChild(*top, L"width=\"16\" height=\"16\" padding=\"10,10,0,0\"");
    CControlUI* title = AddChild(*top, L"");
    auto* tabs = new CTabLayoutUI;
    root.Append(tabs);
    auto* grid = new CTileLayoutUI;
    grid->SetAttribute(L"itemsize", L"50,50");
    tabs->Append(grid);
    CControlUI* cell = AddChild(*grid, L"");
    CControlUI* cell2 = AddChild(*grid, L"");
    root.SetItemRect(RECT{0, 0, 120, 140});
    EXPECT_EQ(logo->GetItemRect(), (RECT{10, 10, 26, 26}));
    EXPECT_EQ(title->GetItemRect(), (RECT{26, 0, 120, 40}));
    EXPECT_EQ(tabs->GetItemRect(), (RECT{0, 40, 120, 140}));
    EXPECT_EQ(cell->GetItemRect(), (RECT{0, 40, 50, 90}));
    // two columns with the spare 20 pixels between them
    EXPECT_EQ(cell2->GetItemRect(), (RECT{70, 40, 120, 90}));
}

// A control whose content asks for a size of its own.
class Sized : public CControlUI {
  public:
    explicit Sized(SIZE want) : m_want(want) {}
    SIZE GetDesiredSize(SIZE) override { return m_want; }

  private:
    SIZE m_want;
};

// Lays out a child sized by its content followed by a plain one.
std::pair<RECT, RECT> ContentChildAndRest(CContainerUI& line, RECT area) {
    auto* text = new Sized(SIZE{60, 25});
    line.Append(text);
    CControlUI* rest = AddChild(line, L"");
    line.SetItemRect(area);
    return {text->GetItemRect(), rest->GetItemRect()};
}

TEST(LineLayouts, RowTakesContentWidthOnlyFromFixedWidthsColumnAlwaysTakesContentHeight) {
    CHorizontalLayoutUI row;
    EXPECT_EQ(ContentChildAndRest(row, RECT{0, 0, 200, 50}),
              (std::pair{RECT{0, 0, 100, 50}, RECT{100, 0, 200, 50}}));
    CVerticalLayoutUI column;
    EXPECT_EQ(ContentChildAndRest(column, RECT{0, 0, 200, 100}),
              (std::pair{RECT{0, 0, 200, 25}, RECT{0, 25, 200, 100}}));
}

TEST(LineLayouts, FarPaddingCountsAsMuchAsNearPaddingAlongAndAcross) {
    // A shared child, one of fixed size 40, a shared child; the padding makes
    // each side differ. Share (300 - 81 of padding and fixed size) / 2 = 109,
    // the last takes the rest.
    CVerticalLayoutUI column;
    CHorizontalLayoutUI row;
    struct Case {
        CContainerUI& line;
        std::vector<const wchar_t*> children;
        RECT area;
        std::vector<RECT> expected;
    };
    for (const Case& c : {
             Case{column,
                  {L"padding=\"4,5,6,11\"", L"height=\"40\" padding=\"0,2,0,7\"",
                   L"padding=\"0,3,0,13\""},
                  RECT{0, 0, 200, 300},
                  {{4, 5, 194, 114}, {0, 127, 200, 167}, {0, 177, 200, 287}}},
             Case{row,
                  {L"padding=\"5,0,11,0\"", L"width=\"40\" padding=\"2,0,7,0\"",
                   L"padding=\"3,4,13,6\""},
                  RECT{0, 0, 300, 50},
                  {{5, 0, 114, 50}, {127, 0, 167, 50}, {177, 4, 287, 44}}},
         }) {
        std::vector<CControlUI*> children;
        for (const wchar_t* attributes : c.children) {
            children.push_back(AddChild(c.line, attributes));
        }
        c.line.SetItemRect(c.area);
        for (size_t i = 0; i < children.size(); ++i) {
            EXPECT_EQ(children[i]->GetItemRect(), c.expected[i]) << c.line.GetClass() << " " << i;
        }
    }
}

TEST(VerticalLayout, PagesByTheContentHeightAndStepsByTheScrollUnit) {
    CVerticalLayoutUI column;
    column.ApplyAttributeString(L"inset=\"0,10,0,10\" vscrollbar=\"true\"");
    for (int i = 0; i < 6; ++i) {
        AddChild(column, L"height=\"50\"");
    }
    column.SetItemRect(RECT{0, 0, 100, 120});
    ASSERT_EQ(column.GetScrollExtent(), (SIZE{0, 200}));
    column.PageDown();
    EXPECT_EQ(column.GetScrollOffset(), (SIZE{0, 100}));
    EXPECT_EQ(column.ItemAt(2)->GetItemRect().top, 10);
    column.GetVerticalScrollBar()->SetScrollUnit(25);
    column.LineUp();
    EXPECT_EQ(column.GetScrollOffset(), (SIZE{0, 75}));
    column.PageUp();
    EXPECT_EQ(column.GetScrollOffset(), (SIZE{0, 0}));
    column.LineDown();
    column.LineDown();
    EXPECT_EQ(column.GetScrollOffset(), (SIZE{0, 50}));
    column.ScrollToBottom();
    EXPECT_EQ(column.GetScrollOffset(), (SIZE{0, 200}));
    column.ScrollToTop();
    EXPECT_EQ(column.GetScrollOffset(), (SIZE{0, 0}));
}

}  // namespace
}  // namespace VantuUI
