#include "ui/control/basic/option.h"
#include "tests/ui/controls/controls_window.h"
#include "tests/ui/support/presented_pixel.h"
#include "ui/control/basic/check_box.h"

namespace {

using namespace controls_testing;

using OptionInWindow = ControlsWindow;

TEST_F(OptionInWindow, AGroupKeepsOneMemberSelectedAndReclickingItChangesNothing) {
    COptionUI* options[3];
    for (auto*& option : options) {
        option = Add<COptionUI>(L"width=\"100\" group=\"speed\"");
    }
    Show();

    Click(50, 50);
    EXPECT_TRUE(options[0]->IsSelected());
    Click(150, 50);
    EXPECT_FALSE(options[0]->IsSelected());
    EXPECT_TRUE(options[1]->IsSelected());
    EXPECT_FALSE(options[2]->IsSelected());
    // Only the newly selected member tells.
    auto changes = log.Of(L"selectchanged");
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0].sender, options[0]);
    EXPECT_EQ(changes[1].sender, options[1]);

    Click(150, 50);
    EXPECT_TRUE(options[1]->IsSelected());
    EXPECT_EQ(Count(L"selectchanged"), 2);
    EXPECT_EQ(Count(L"click"), 3);
}

TEST_F(OptionInWindow, AnUngroupedOptionOrCheckBoxTogglesAndTellsBothWays) {
    auto* option = Add<COptionUI>(L"width=\"100\"");
    auto* check = Add<CCheckBoxUI>(L"width=\"100\" selected=\"true\"");
    Show();
    EXPECT_TRUE(check->IsSelected());

    Click(50, 50);
    Click(50, 50);
    Click(150, 50);
    EXPECT_FALSE(option->IsSelected());
    EXPECT_FALSE(check->IsSelected());
    auto changes = log.Of(L"selectchanged");
    ASSERT_EQ(changes.size(), 3u);
    EXPECT_EQ(changes[2].sender, check);

    EXPECT_EQ(check->GetClass(), L"CheckBox");
    EXPECT_EQ(check->FindInterface(L"Option"), check);
    EXPECT_EQ(check->FindInterface(L"Label"), check);
}

TEST_F(OptionInWindow, ChangingOrLeavingTheGroupUpdatesTheManagersGroups) {
    auto* first = Add<COptionUI>(L"width=\"100\" group=\"a\" selected=\"true\"");
    auto* second = Add<COptionUI>(L"width=\"100\" group=\"a\"");
    Show();
    ASSERT_NE(manager.OptionGroupMembers(L"a"), nullptr);
    EXPECT_EQ(manager.OptionGroupMembers(L"a")->size(), 2u);

    second->SetGroup(L"b");
    EXPECT_EQ(manager.OptionGroupMembers(L"a")->size(), 1u);
    second->SetSelected(true);
    EXPECT_TRUE(first->IsSelected()) << "another group's selection deselected it";

    first->SetEnabled(false);
    EXPECT_EQ(first->GetButtonState(), UISTATE_SELECTED);

    // A deleted member must not stay in its group, where selecting another
    // member would reach it.
    root->RemoveItem(first);
    Pump();
    EXPECT_EQ(manager.OptionGroupMembers(L"a"), nullptr);
}

TEST_F(OptionInWindow, SelectedLookReplacesTheButtonsAndItsForeImageStaysOnTop) {
    auto* option = Add<COptionUI>(
        L"width=\"100\" normalimage=\"color='#FFFF0000'\" selectedbkcolor=\"#FF00FF00\" "
        L"foreimage=\"color='#FF0000FF' dest='0,0,10,10'\"");
    Show();
    EXPECT_EQ(ui_testing::PresentedPixel(window, 50, 50), 0xFF0000u);
    EXPECT_EQ(ui_testing::PresentedPixel(window, 5, 5), 0x0000FFu);

    option->SetSelected(true);
    Repaint();
    EXPECT_EQ(ui_testing::PresentedPixel(window, 50, 50), 0x00FF00u);
    EXPECT_EQ(ui_testing::PresentedPixel(window, 5, 5), 0x0000FFu);

    option->SetSelectedHotImage(L"color='#FFFFFF00'");
    MoveTo(50, 50);
    EXPECT_EQ(ui_testing::PresentedPixel(window, 50, 50), 0xFFFF00u);
}

}  // namespace
