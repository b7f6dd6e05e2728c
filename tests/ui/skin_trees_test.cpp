// The launcher's two skins, built by hand, give the rectangles their sizes
// imply.

#include <gtest/gtest.h>

#include "control_tree.h"

#include "ui/control/control.h"
#include "ui/core/manager/window_manager.h"
#include "ui/layout/container/container.h"
#include "ui/layout/horizontal_layout.h"
#include "ui/layout/vertical_layout.h"

namespace VantuUI {
namespace {

using ui_testing::AddChild;

TEST(SkinTrees, MainWindow) {
    CWindowManagerUI manager;
    auto* root = new CVerticalLayoutUI;
    root->ApplyAttributeString(
        L"bordersize=\"1\" bordercolor=\"#FF33374A\" bkcolor=\"#FF17212E\" childalign=\"center\"");
    auto* header = AddChild<CHorizontalLayoutUI>(*root, L"height=\"36\"");
    CControlUI* logo = AddChild(*header, L"width=\"16\" height=\"16\" padding=\"10,10,0,0\"");
    CControlUI* title = AddChild(*header, L"width=\"432\" height=\"36\" padding=\"10,0,0,0\"");
    CControlUI* close = AddChild(
        *header, L"name=\"MainWindow_Close_Btn\" width=\"28\" height=\"28\" padding=\"0,4,4,0\"");
    CControlUI* notes = AddChild(
        *root, L"name=\"Msg_RichEdit\" width=\"430\" height=\"150\" padding=\"35,24,35,0\"");
    CControlUI* state = AddChild(
        *root, L"name=\"UpdateState_Label\" width=\"500\" height=\"20\" padding=\"20,35,0,0\"");
    CControlUI* track = AddChild(*root, L"float=\"true\" pos=\"0,272\" width=\"500\" height=\"6\"");
    CControlUI* fill = AddChild(*root,
                                L"name=\"Progress_Label\" float=\"true\" pos=\"0,272\" width=\"0\" "
                                L"height=\"6\" bkcolor=\"#FF2BA2F9\"");
    manager.BindControls(root, nullptr);
    root->SetItemRect(RECT{0, 0, 500, 310});

    EXPECT_EQ(header->GetItemRect(), (RECT{0, 0, 500, 36}));
    EXPECT_EQ(logo->GetItemRect(), (RECT{10, 10, 26, 26}));
    EXPECT_EQ(title->GetItemRect(), (RECT{36, 0, 468, 36}));
    EXPECT_EQ(close->GetItemRect(), (RECT{468, 4, 496, 32}));
    EXPECT_EQ(notes->GetItemRect(), (RECT{35, 60, 465, 210}));
    // Its left padding narrows the 500 available pixels to 480, centred.
    EXPECT_EQ(state->GetItemRect(), (RECT{10, 245, 490, 265}));
    EXPECT_EQ(track->GetItemRect(), (RECT{0, 272, 500, 278}));
    EXPECT_EQ(fill->GetItemRect(), (RECT{0, 272, 0, 278}));

    // 50 % progress: the window sets the fill's width and lays out again.
    fill->SetFixedWidth(250);
    EXPECT_TRUE(root->IsUpdateNeeded());
    root->SetItemRect(root->GetItemRect());
    EXPECT_EQ(fill->GetItemRect(), (RECT{0, 272, 250, 278}));
    delete root;
}

TEST(SkinTrees, MessageBox) {
    auto* root = new CVerticalLayoutUI;
    root->ApplyAttributeString(L"bordersize=\"1\" childalign=\"center\"");
    auto* header = AddChild<CHorizontalLayoutUI>(*root, L"height=\"36\" inset=\"16,4,4,4\"");
    CControlUI* title = AddChild(*header, L"name=\"Title_Label\" text=\"提示\"");
    CControlUI* close =
        AddChild(*header, L"name=\"MessageBox_Close_Btn\" width=\"28\" height=\"28\"");
    CControlUI* content = AddChild(*root, L"name=\"Content_Label\" width=\"250\" height=\"108\"");
    auto* buttons = AddChild<CHorizontalLayoutUI>(
        *root, L"childvalign=\"top\" height=\"64\" childpadding=\"30\"");
    CControlUI* leftSpace = AddChild<CContainerUI>(*buttons, L"");
    CControlUI* ok = AddChild(*buttons, L"name=\"OK_Btn\" width=\"120\" height=\"36\"");
    CControlUI* cancel = AddChild(*buttons, L"name=\"Cancel_Btn\" width=\"120\" height=\"36\"");
    CControlUI* rightSpace = AddChild<CContainerUI>(*buttons, L"");
    root->SetItemRect(RECT{0, 0, 370, 208});

    EXPECT_EQ(title->GetItemRect(), (RECT{16, 4, 338, 32}));
    EXPECT_EQ(close->GetItemRect(), (RECT{338, 4, 366, 32}));
    EXPECT_EQ(content->GetItemRect(), (RECT{60, 36, 310, 144}));
    EXPECT_EQ(buttons->GetItemRect(), (RECT{0, 144, 370, 208}));
    EXPECT_EQ(leftSpace->GetItemRect(), (RECT{0, 144, 20, 208}));
    EXPECT_EQ(ok->GetItemRect(), (RECT{50, 144, 170, 180}));
    EXPECT_EQ(cancel->GetItemRect(), (RECT{200, 144, 320, 180}));
    EXPECT_EQ(rightSpace->GetItemRect(), (RECT{350, 144, 370, 208}));

    // OK only: the button is centred between the two empty containers.
    cancel->SetVisible(false);
    root->SetItemRect(root->GetItemRect());
    EXPECT_EQ(ok->GetItemRect(), (RECT{125, 144, 245, 180}));
    EXPECT_EQ((ok->GetX() + ok->GetWidth() / 2), 370 / 2);
    delete root;
}

}  // namespace
}  // namespace VantuUI
