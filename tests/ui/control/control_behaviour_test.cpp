#include <gtest/gtest.h>

#include <vector>

#include "platform/window/window_api.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/fake_manager.h"
#include "tests/ui/render/render_test_support.h"
#include "ui/control/control.h"
#include "ui/layout/container/container.h"
#include "ui/layout/vertical_layout.h"

namespace VantuUI {
namespace {

using render_testing::Canvas;
using ui_testing::RecordingManager;

CControlUI* ReturnSelf(CControlUI* c, void*) {
    return c;
}

CControlUI* ReturnStale(CControlUI* c, void*) {
    return c->IsUpdateNeeded() ? c : nullptr;
}

// A container that notes the events its children pass up to it.
class RecordingContainer : public CContainerUI {
  public:
    void HandleEvent(TInputEventUI& event) override {
        received.push_back(event.Kind);
        CContainerUI::HandleEvent(event);
    }
    std::vector<InputEventKind> received;
};

TEST(ControlBehaviour, InvalidationIsClippedByEveryAncestorAndNeedsVisibility) {
    RecordingManager manager;
    auto* root = new CContainerUI;
    auto* child = new CControlUI;
    root->Append(child);
    manager.BindControls(root, nullptr);
    root->SetItemRect(RECT{0, 0, 100, 100}, false);
    child->SetItemRect(RECT{50, 50, 150, 150}, false);
    manager.invalidated.clear();

    child->Invalidate();
    ASSERT_EQ(manager.invalidated.size(), 1u);
    EXPECT_EQ(manager.invalidated[0], (RECT{50, 50, 100, 100}));

    child->SetItemRect(RECT{200, 200, 250, 250}, false);
    manager.invalidated.clear();
    child->Invalidate();  // wholly outside its parent
    EXPECT_TRUE(manager.invalidated.empty());

    child->SetVisible(false);
    manager.invalidated.clear();
    child->SetText(L"x");
    EXPECT_TRUE(manager.invalidated.empty());
    delete root;
}

TEST(ControlBehaviour, HidingReleasesFocusAndHidesChildren) {
    RecordingManager manager;
    auto* root = new CVerticalLayoutUI;
    auto* box = new CContainerUI;
    auto* leaf = new CControlUI;
    root->Append(box);
    box->Append(leaf);
    manager.BindControls(root, nullptr);
    leaf->SetFocus();
    EXPECT_EQ(manager.FocusedControl(), leaf);

    box->SetVisible(false);
    EXPECT_FALSE(leaf->IsVisible());
    EXPECT_EQ(manager.FocusedControl(), nullptr);  // the hidden focus was given up
    box->SetVisible(true);
    EXPECT_TRUE(leaf->IsVisible());

    leaf->SetFocus();
    leaf->SetVisible(false);
    EXPECT_EQ(manager.FocusedControl(), nullptr);
    delete root;
}

TEST(ControlBehaviour, FindInTreeHonoursItsFlags) {
    CVerticalLayoutUI root;
    auto* a = new CControlUI;
    auto* b = new CControlUI;
    root.Append(a);
    root.Append(b);
    root.SetItemRect(RECT{0, 0, 100, 100});  // two rows of 50

    POINT pt{10, 70};
    EXPECT_EQ(root.FindInTree(ReturnSelf, &pt, UIFIND_VISIBLE | UIFIND_HITTEST), b);
    EXPECT_EQ(root.FindInTree(ReturnSelf, &pt, UIFIND_HITTEST | UIFIND_ME_FIRST), &root);
    b->SetAcceptsMouse(false);
    EXPECT_EQ(root.FindInTree(ReturnSelf, &pt, UIFIND_HITTEST), &root);
    root.SetChildrenAcceptMouse(false);
    pt = POINT{10, 10};
    EXPECT_EQ(root.FindInTree(ReturnSelf, &pt, UIFIND_HITTEST), &root);
    root.SetChildrenAcceptMouse(true);
    EXPECT_EQ(root.FindInTree(ReturnSelf, nullptr, UIFIND_TOP_FIRST | UIFIND_ALL), b);
    a->SetEnabled(false);
    EXPECT_EQ(root.FindInTree(ReturnSelf, nullptr, UIFIND_ENABLED), b);
    pt = POINT{500, 500};
    EXPECT_EQ(root.FindInTree(ReturnSelf, &pt, UIFIND_HITTEST), nullptr);

    // The update test stops at a stale control: it is laid out with its subtree.
    root.SetItemRect(RECT{0, 0, 100, 100});
    a->SetFixedHeight(10);
    std::vector<CControlUI*> stale;
    auto collect = [](CControlUI* c, void* data) -> CControlUI* {
        if (c->IsUpdateNeeded()) {
            static_cast<std::vector<CControlUI*>*>(data)->push_back(c);
            return c;
        }
        return nullptr;
    };
    root.FindInTree(collect, &stale, UIFIND_VISIBLE | UIFIND_ME_FIRST | UIFIND_UPDATETEST);
    EXPECT_EQ(stale, std::vector<CControlUI*>{&root});
    EXPECT_EQ(root.FindInTree(ReturnStale, nullptr, UIFIND_UPDATETEST), nullptr);
}

TEST(ControlBehaviour, EventsRaiseNotificationsOrGoToTheParent) {
    RecordingManager manager;
    auto* root = new RecordingContainer;
    auto* leaf = new CControlUI;
    root->Append(leaf);
    manager.BindControls(root, nullptr);

    TInputEventUI timer;
    timer.Kind = UIEVENT_TIMER;
    timer.wParam = 7;
    leaf->DispatchEvent(timer);
    ASSERT_EQ(manager.notifications.size(), 1u);
    EXPECT_EQ(manager.notifications[0].type, L"timer");
    EXPECT_EQ(manager.notifications[0].wParam, 7u);

    TInputEventUI menu;
    menu.Kind = UIEVENT_CONTEXTMENU;
    leaf->DispatchEvent(menu);
    EXPECT_EQ(manager.notifications.size(), 1u);  // no context menu wanted: to the parent
    EXPECT_EQ(root->received, std::vector<InputEventKind>{UIEVENT_CONTEXTMENU});
    leaf->SetWantsContextMenu(true);
    leaf->DispatchEvent(menu);
    ASSERT_EQ(manager.notifications.size(), 2u);
    EXPECT_EQ(manager.notifications[1].type, L"menu");

    TInputEventUI cursor;
    cursor.Kind = UIEVENT_SETCURSOR;
    const HCURSOR arrow = ::LoadCursor(nullptr, IDC_ARROW);
    ::SetCursor(::LoadCursor(nullptr, IDC_HAND));
    leaf->DispatchEvent(cursor);  // sets the arrow; handled here, not passed on
    EXPECT_EQ(::SetCursor(arrow), arrow);

    TInputEventUI focus;
    focus.Kind = UIEVENT_SETFOCUS;
    leaf->DispatchEvent(focus);
    EXPECT_TRUE(leaf->IsFocused());
    focus.Kind = UIEVENT_KILLFOCUS;
    leaf->DispatchEvent(focus);
    EXPECT_FALSE(leaf->IsFocused());
    // Only the unwanted context menu reached the parent.
    EXPECT_EQ(root->received, std::vector<InputEventKind>{UIEVENT_CONTEXTMENU});
    delete root;
}

TEST(ControlPainting, OpaqueColourFillsThePaintRectangleTranslucentTheItem) {
    Canvas canvas(40, 40);
    CControlUI c;
    c.SetItemRect(RECT{0, 0, 40, 40});
    c.SetAttribute(L"bkcolor", L"#FF17212E");
    ASSERT_TRUE(c.Paint(canvas.dc, RECT{0, 0, 20, 20}, nullptr));
    EXPECT_EQ(canvas.At(5, 5), 0xFF17212Eu);
    EXPECT_EQ(canvas.At(30, 30), 0xFFFFFFFFu);

    // The translucent fill covers the whole item, even outside the paint area.
    Canvas canvas2(40, 40, 0xFF000000);
    c.SetAttribute(L"bkcolor", L"#80FFFFFF");
    c.Paint(canvas2.dc, RECT{0, 0, 20, 20}, nullptr);
    EXPECT_NE(canvas2.At(30, 30), 0xFF000000u);
}

TEST(ControlPainting, BorderRules) {
    CControlUI c;
    c.SetItemRect(RECT{0, 0, 20, 20});
    c.SetAttribute(L"bordercolor", L"#FF0000FF");
    c.SetAttribute(L"bordersize", L"0,0,0,1");
    Canvas canvas(20, 20);
    c.Paint(canvas.dc, RECT{0, 0, 20, 20}, nullptr);
    EXPECT_TRUE(render_testing::Inked(canvas.At(10, 19)));
    EXPECT_FALSE(render_testing::Inked(canvas.At(10, 0)));
    EXPECT_FALSE(render_testing::Inked(canvas.At(0, 10)));

    c.SetAttribute(L"bordersize", L"1");
    Canvas all(20, 20);
    c.Paint(all.dc, RECT{0, 0, 20, 20}, nullptr);
    EXPECT_TRUE(render_testing::Inked(all.At(10, 0)));
    EXPECT_TRUE(render_testing::Inked(all.At(0, 10)));
    EXPECT_TRUE(render_testing::Inked(all.At(19, 10)));
    EXPECT_FALSE(render_testing::Inked(all.At(10, 10)));

    EXPECT_FALSE(c.Paint(all.dc, RECT{0, 0, 20, 20}, &c));  // the stop control
}

TEST(ControlPainting, ContainerClipsChildrenToItsContentButNotFloatingOnes) {
    Canvas canvas(40, 40);
    CContainerUI box;
    box.SetAttribute(L"inset", L"10,10,10,10");
    auto* child = new CControlUI;
    child->SetAttribute(L"bkcolor", L"#FF000000");
    auto* floating = new CControlUI;
    floating->ApplyAttributeString(L"float=\"true\" pos=\"0,0,5,5\" bkcolor=\"#FFFF0000\"");
    box.Append(child);
    box.Append(floating);
    box.SetItemRect(RECT{0, 0, 40, 40});
    child->SetItemRect(RECT{0, 0, 40, 40});  // larger than the content area
    box.Paint(canvas.dc, RECT{0, 0, 40, 40}, nullptr);
    EXPECT_EQ(canvas.At(20, 20), 0xFF000000u);
    EXPECT_EQ(canvas.At(12, 35), 0xFFFFFFFFu);
    EXPECT_EQ(canvas.At(2, 2), 0xFFFF0000u);
}

TEST(ControlPainting, FloatingControlTakesItsBackgroundImageSize) {
    testing_support::TempDir dir;
    const auto file = dir / "bg.png";
    render_testing::WritePng(file, 7, 3, std::vector<std::uint32_t>(21, 0xFF0000FFu));
    RecordingManager manager;
    CControlUI c;
    c.AttachToManager(&manager, nullptr, false);
    c.SetFloating(true);
    c.SetBackImage(file.wstring());
    EXPECT_EQ(c.GetFixedWidth(), 7);
    EXPECT_EQ(c.GetFixedHeight(), 3);

    CControlUI sized;
    sized.AttachToManager(&manager, nullptr, false);
    sized.SetFloating(true);
    sized.SetFixedWidth(2);
    sized.SetBackImage(file.wstring());
    EXPECT_EQ(sized.GetFixedHeight(), 0);
}

}  // namespace
}  // namespace VantuUI
