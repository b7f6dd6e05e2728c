// The combo box in a skinned window: its list drops down in a window of its
// own, a chosen item closes it, and the items come back to the combo box.

#include <gtest/gtest.h>

#include "tests/ui/manager/managed_window.h"
#include "tests/ui/window/skinned_window_support.h"
#include "ui/control/combo/combo.h"
#include "ui/control/combo/combo_body.h"
#include "ui/control/combo/combo_wnd.h"

namespace VantuUI {
namespace {

using manager_testing::NotificationLog;
using test_input::Key;
using test_input::MouseButton;
using ui_testing::PumpLikeTheProduct;
using ui_testing::SkinnedTestWindow;

constexpr const wchar_t* kComboSkin =
    L"<Window size=\"200,150\"><VerticalLayout>"
    L"<Combo name=\"combo\" height=\"24\" dropboxsize=\"0,70\" itemheight=\"20\" "
    L"dropbox=\"bkcolor=&quot;#FFEEEEEE&quot;\">"
    L"<ListLabelElement text=\"one\"/><ListLabelElement text=\"two\"/>"
    L"<ListLabelElement text=\"three\"/><ListLabelElement text=\"four\"/>"
    L"</Combo><Control/></VerticalLayout></Window>";

class ComboWindow : public window_testing::WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        hwnd = window.Open();
        ASSERT_NE(hwnd, nullptr);
        window.Manager().AddListener(&log);
        PumpLikeTheProduct();
        combo = static_cast<CComboUI*>(window.Manager().ControlByName(L"combo"));
        ASSERT_NE(combo, nullptr);
    }
    void TearDown() override {
        window.Manager().RemoveListener(&log);
        DestroyWindow(hwnd);
        PumpLikeTheProduct();
        WindowTest::TearDown();
    }
    void Click(HWND target, int x, int y) {
        MouseButton(target, test_input::Button::Left, true, x, y);
        MouseButton(target, test_input::Button::Left, false, x, y);
        PumpLikeTheProduct();
    }
    HWND OpenDropDown() {
        Click(hwnd, 50, 12);
        return combo->IsDroppedDown() ? combo->DropWindow()->Handle() : nullptr;
    }
    void ExpectItemsAtHome() {
        for (int i = 0; i < combo->ItemCount(); ++i) {
            EXPECT_EQ(combo->ItemAt(i)->GetManager(), &window.Manager()) << i;
            EXPECT_EQ(combo->ItemAt(i)->GetParent(), combo) << i;
        }
    }

    SkinnedTestWindow window{kComboSkin};
    NotificationLog log;
    HWND hwnd = nullptr;
    CComboUI* combo = nullptr;
};

TEST_F(ComboWindow, ClickDropsTheListDownUnderTheComboAndAChosenItemClosesIt) {
    HWND popup = OpenDropDown();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(log.Of(L"dropdown").size(), 1u);
    RECT rect;
    GetWindowRect(popup, &rect);
    POINT below{0, 24};
    ClientToScreen(hwnd, &below);
    EXPECT_EQ(rect.top, below.y);
    EXPECT_EQ(rect.bottom - rect.top, 70);
    EXPECT_EQ(rect.right - rect.left, 200);
    EXPECT_EQ(combo->ItemAt(0)->GetManager(), &combo->DropWindow()->Manager());

    // Rows of 20 after the body's 1-pixel inset: y 45 is the third.
    Click(popup, 20, 45);
    EXPECT_EQ(combo->GetCurSel(), 2);
    ASSERT_EQ(log.Of(L"itemselect").size(), 1u);
    EXPECT_EQ(log.Of(L"itemselect")[0].sender, combo);
    EXPECT_FALSE(combo->IsDroppedDown());
    EXPECT_FALSE(IsWindow(popup));
    ExpectItemsAtHome();
}

TEST_F(ComboWindow, EscapeClosesWithoutChoosingAndTheWheelStepsThroughTheItems) {
    HWND popup = OpenDropDown();
    ASSERT_NE(popup, nullptr);
    Key(popup, VK_ESCAPE, true);
    PumpLikeTheProduct();
    EXPECT_FALSE(combo->IsDroppedDown());
    EXPECT_EQ(combo->GetCurSel(), -1);
    ExpectItemsAtHome();

    test_input::MouseMove(hwnd, 50, 12);
    test_input::MouseWheel(hwnd, -1);
    test_input::MouseWheel(hwnd, -1);
    PumpLikeTheProduct();
    EXPECT_EQ(combo->GetCurSel(), 1);
}

TEST_F(ComboWindow, RemovingAnItemWhileOpenClosesTheListAndKeepsTheRest) {
    ASSERT_NE(OpenDropDown(), nullptr);
    combo->SelectItem(3);
    EXPECT_TRUE(combo->RemoveItemAt(1));
    EXPECT_FALSE(combo->IsDroppedDown());
    EXPECT_EQ(combo->ItemCount(), 3);
    EXPECT_EQ(combo->GetCurSel(), 2);
    ExpectItemsAtHome();
    // Destroying the combo while its list is open takes the window along.
    ASSERT_NE(OpenDropDown(), nullptr);
    HWND popup = combo->DropWindow()->Handle();
    static_cast<CContainerUI*>(combo->GetParent())->RemoveItem(combo);
    PumpLikeTheProduct();
    EXPECT_FALSE(IsWindow(popup));
}

TEST(ComboAttributes, TheListOnlyItemSettingsAreNotTheCombos) {
    CComboUI combo;
    combo.ApplyAttributeString(
        L"itemmultiline=\"true\" itemvalign=\"top\" itemendellipsis=\"true\" "
        L"itemalign=\"center\" dropboxsize=\"120,200\"");
    EXPECT_EQ(combo.GetItemStyle().textStyle, UINT(DT_VCENTER | DT_SINGLELINE | DT_CENTER));
    EXPECT_NE(combo.ExtraAttribute(L"itemmultiline"), nullptr);
    EXPECT_EQ(combo.GetDropBoxSize().cx, 120);
    EXPECT_FALSE(combo.Activate());  // no window to drop down from
}

}  // namespace
}  // namespace VantuUI
