// The control gallery: its skin uses every class of the skin builder's
// table; each control answers one interaction driven through the display's
// input seam; a screenshot of the result lands in the build folder
// (screenshots/gallery.png).

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <set>

#include "tests/platform/window/window_test_support.h"
#include "tests/support/deadline.h"
#include "tests/support/window_input.h"
#include "tests/ui/manager/managed_window.h"
#include "tools/gallery/gallery_window.h"
#include "tools/gallery/screenshot.h"
#include "ui/control/activex/active_x.h"
#include "ui/control/basic/check_box.h"
#include "ui/control/basic/text.h"
#include "ui/control/combo/combo.h"
#include "ui/control/combo/combo_wnd.h"
#include "ui/control/gif/gif_anim.h"
#include "ui/control/list/header/list_header_item.h"
#include "ui/control/list/items/list_container_element.h"
#include "ui/control/list/items/list_text_element.h"
#include "ui/control/list/list.h"
#include "ui/control/scroll/scroll_bar.h"
#include "ui/control/tree/tree_node.h"
#include "ui/control/tree/tree_view.h"
#include "ui/core/builder/control_factory.h"
#include "ui/layout/container/container.h"
#include "ui/layout/tab_layout.h"

namespace VantuUI {
namespace {

using manager_testing::NotificationLog;
namespace seam = test_input;

// Every class the skin builder's table names, as the controls report it.
const std::set<std::wstring> kBuilderClasses = {
    L"Control",
    L"Container",
    L"VerticalLayout",
    L"HorizontalLayout",
    L"TileLayout",
    L"TabLayout",
    L"ChildLayout",
    L"Label",
    L"Text",
    L"Button",
    L"Option",
    L"CheckBox",
    L"Progress",
    L"Slider",
    L"Edit",
    L"RichEdit",
    L"ScrollBar",
    L"Combo",
    L"DateTime",
    L"List",
    L"ListHeader",
    L"ListHeaderItem",
    L"ListTextElement",
    L"ListLabelElement",
    L"ListHBoxElement",
    L"ListContainerElement",
    L"TreeView",
    L"TreeNode",
    L"ActiveX",
    L"WebBrowser",
    L"GifAnim",
};

class GalleryTest : public window_testing::WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        window = std::make_unique<gallery::CGalleryWindow>(gallery::DefaultSkinFolder());
        hwnd = window->Create(nullptr, L"gallery", WS_POPUP, 0, 0, 0, 0, 0);
        ASSERT_NE(hwnd, nullptr);
        window->Show(true, true);
        seam::Focus(hwnd, true);
        window->Manager().AddListener(&log);
        Pump();
    }
    void TearDown() override {
        window->Manager().RemoveListener(&log);
        DestroyWindow(hwnd);
        Pump();
        WindowTest::TearDown();
    }
    static void Pump() { seam::RunPendingMessages(); }
    CControlUI* Named(const std::wstring& name) {
        CControlUI* control = window->Manager().ControlByName(name);
        EXPECT_NE(control, nullptr) << "no control named " << std::string(name.begin(), name.end());
        return control;
    }
    static POINT Centre(const RECT& r) {
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    void Click(POINT p, test_input::Button button = test_input::Button::Left,
               HWND target = nullptr) {
        target = target != nullptr ? target : hwnd;
        seam::MouseMove(target, p.x, p.y);
        seam::MouseButton(target, button, true, p.x, p.y);
        seam::MouseButton(target, button, false, p.x, p.y);
        Pump();
    }
    void DoubleClick(POINT p) {
        Click(p);
        seam::MouseButton(hwnd, test_input::Button::Left, true, p.x, p.y, 2);
        seam::MouseButton(hwnd, test_input::Button::Left, false, p.x, p.y, 2);
        Pump();
    }
    void Wheel(POINT p, int steps) {
        seam::MouseMove(hwnd, p.x, p.y);
        seam::MouseWheel(hwnd, steps);
        Pump();
    }
    bool Raised(const std::wstring& type, const std::wstring& sender) const {
        return std::any_of(log.seen.begin(), log.seen.end(), [&](const TNotificationUI& msg) {
            return msg.type == type && msg.sender != nullptr && msg.sender->GetName() == sender;
        });
    }
    std::set<std::wstring> ClassesInTree() {
        std::set<std::wstring> classes;
        window->Manager().Root()->FindInTree(
            [](CControlUI* control, void* data) -> CControlUI* {
                static_cast<std::set<std::wstring>*>(data)->insert(control->GetClass());
                return nullptr;
            },
            &classes, UIFIND_ALL);
        return classes;
    }

    std::unique_ptr<gallery::CGalleryWindow> window;
    HWND hwnd = nullptr;
    NotificationLog log;
};

// The rich edit waits for the system's text services on Windows: a build
// that makes none has no rich edit in its gallery either.
bool RichEditBuilt() {
    std::unique_ptr<CControlUI> made(CreateControlByClassName(L"RichEdit"));
    return made != nullptr;
}

TEST_F(GalleryTest, UsesEveryClassOfTheBuilderTable) {
    const std::set<std::wstring> found = ClassesInTree();
    for (const std::wstring& cls : kBuilderClasses) {
        if (cls == L"RichEdit" && !RichEditBuilt()) {
            continue;
        }
        EXPECT_EQ(found.count(cls), 1u)
            << std::string(cls.begin(), cls.end()) << " is missing from the gallery";
    }
}

TEST_F(GalleryTest, EachControlAnswersItsInteractionAndTheResultIsSaved) {
    // Plain controls and containers: context menus and scrolling.
    Click(Centre(Named(L"plain")->GetItemRect()), test_input::Button::Right);
    EXPECT_TRUE(Raised(L"menu", L"plain"));
    Click(Centre(Named(L"container")->GetItemRect()), test_input::Button::Right);
    EXPECT_TRUE(Raised(L"menu", L"container"));
    Click(Centre(Named(L"childcontrol")->GetItemRect()), test_input::Button::Right);
    EXPECT_TRUE(Raised(L"menu", L"childcontrol"));
    auto* column = static_cast<CContainerUI*>(Named(L"column"));
    Wheel(Centre(column->GetItemRect()), -1);
    EXPECT_GT(column->GetScrollOffset().cy, 0);
    auto* row = static_cast<CContainerUI*>(Named(L"row"));
    Wheel(Centre(row->GetItemRect()), -1);
    EXPECT_GT(row->GetScrollOffset().cx, 0);
    auto* tiles = static_cast<CContainerUI*>(Named(L"tiles"));
    Wheel(Centre(tiles->GetItemRect()), -1);
    EXPECT_GT(tiles->GetScrollOffset().cy, 0);

    // The basic controls.
    Click(Centre(Named(L"title")->GetItemRect()), test_input::Button::Right);
    EXPECT_TRUE(Raised(L"menu", L"title"));
    Click(Centre(Named(L"progress")->GetItemRect()), test_input::Button::Right);
    EXPECT_TRUE(Raised(L"menu", L"progress"));
    auto* text = static_cast<CTextUI*>(Named(L"text"));
    ASSERT_GE(text->GetLinkCount(), 1);
    Click(Centre(text->GetLinkRect(0)));
    EXPECT_TRUE(Raised(L"link", L"text"));
    Click(Centre(Named(L"button")->GetItemRect()));
    EXPECT_TRUE(Raised(L"click", L"button"));
    Click(Centre(Named(L"page1")->GetItemRect()));
    EXPECT_TRUE(Raised(L"selectchanged", L"page1"));
    EXPECT_EQ(static_cast<CTabLayoutUI*>(Named(L"tabs"))->GetSelectedIndex(), 1);
    auto* check = static_cast<CCheckBoxUI*>(Named(L"checkbox"));
    Click(Centre(check->GetItemRect()));
    EXPECT_TRUE(check->IsSelected());

    // The controls over native windows, the slider and the animation.
    auto* slider = Named(L"slider");
    Click(POINT{slider->GetItemRect().right - 10, Centre(slider->GetItemRect()).y});
    EXPECT_TRUE(Raised(L"valuechanged", L"slider"));
    auto* edit = Named(L"edit");
    Click(Centre(edit->GetItemRect()));
    ASSERT_NE(edit->GetChildWindow(), nullptr);
    seam::Text(hwnd, "!");
    Pump();
    EXPECT_TRUE(Raised(L"textchanged", L"edit"));
    auto* richEdit = Named(L"richedit");
    Click(Centre(richEdit->GetItemRect()));
    seam::Text(hwnd, "?");
    Pump();
    EXPECT_TRUE(Raised(L"textchanged", L"richedit"));
    auto* dateTime = Named(L"datetime");
    Click(Centre(dateTime->GetItemRect()));
    EXPECT_NE(dateTime->GetChildWindow(), nullptr);
    seam::Key(hwnd, VK_ESCAPE, true);
    seam::Key(hwnd, VK_ESCAPE, false);
    Pump();
    // The animation takes no input itself; the gallery pauses it on a
    // click and resumes it on the next. Its frames last 200 ms.
    auto* animation = static_cast<CGifAnimUI*>(Named(L"gifanim"));
    ASSERT_TRUE(animation->IsPlaying());
    Click(Centre(animation->GetItemRect()));
    EXPECT_FALSE(animation->IsPlaying());
    const int paused = animation->CurrentFrame();
    const auto frameMoved = [&] {
        Pump();
        return animation->CurrentFrame() != paused;
    };
    using std::chrono::milliseconds;
    EXPECT_FALSE(
        testing_support::WaitUntil(testing_support::Deadline(milliseconds(500)), frameMoved))
        << "a paused animation went on";
    Click(Centre(animation->GetItemRect()));
    EXPECT_TRUE(animation->IsPlaying());
    EXPECT_TRUE(
        testing_support::WaitUntil(testing_support::Deadline(milliseconds(2000)), frameMoved))
        << "the resumed animation stayed on frame " << paused;

    auto* bar = static_cast<CScrollBarUI*>(Named(L"scrollbar"));
    Click(Centre(bar->GetPartRect(ScrollBarPart::Button2)));
    EXPECT_EQ(bar->GetPosition(), 10);

    // The list: a link in a text row, a label row activated, a row of
    // columns selected, a container row expanded, a column widened and a
    // header clicked.
    auto* list = static_cast<CListUI*>(Named(L"list"));
    auto* textRow = static_cast<CListTextElementUI*>(Named(L"textrow"));
    ASSERT_EQ(textRow->GetLinkCount(), 1);
    Click(Centre(textRow->GetLinkRect(0)));
    EXPECT_TRUE(Raised(L"link", L"textrow"));
    EXPECT_TRUE(Raised(L"itemclick", L"textrow"));
    EXPECT_EQ(list->GetCurSel(), 0);
    DoubleClick(Centre(Named(L"labelrow")->GetItemRect()));
    EXPECT_TRUE(Raised(L"itemactivate", L"labelrow"));
    Click(Centre(Named(L"hboxrow")->GetItemRect()));
    EXPECT_EQ(list->GetCurSel(), 2);
    seam::Key(hwnd, VK_DOWN, true);
    seam::Key(hwnd, VK_DOWN, false);
    Pump();
    EXPECT_EQ(list->GetCurSel(), 3);
    auto* containerRow = static_cast<CListContainerElementUI*>(Named(L"containerrow"));
    const int collapsed = containerRow->GetHeight();
    DoubleClick(Centre(containerRow->GetItemRect()));
    EXPECT_TRUE(Raised(L"itemexpand", L"containerrow"));
    Pump();
    EXPECT_GT(containerRow->GetHeight(), collapsed);
    auto* nameColumn = static_cast<CListHeaderItemUI*>(Named(L"namecolumn"));
    const RECT strip = nameColumn->SeparatorRect();
    const POINT grab = Centre(strip);
    seam::MouseMove(hwnd, grab.x, grab.y);
    seam::MouseButton(hwnd, test_input::Button::Left, true, grab.x, grab.y);
    seam::MouseMove(hwnd, grab.x + 30, grab.y);
    seam::MouseButton(hwnd, test_input::Button::Left, false, grab.x + 30, grab.y);
    Pump();
    EXPECT_EQ(nameColumn->GetWidth(), 180);
    Click(Centre(Named(L"kindcolumn")->GetItemRect()));
    EXPECT_TRUE(Raised(L"headerclick", L"kindcolumn"));

    // The combo box: its list drops down and a choice closes it.
    auto* combo = static_cast<CComboUI*>(Named(L"combo"));
    Click(Centre(combo->GetItemRect()));
    EXPECT_TRUE(Raised(L"dropdown", L"combo"));
    ASSERT_TRUE(combo->IsDroppedDown());
    HWND dropDown = combo->DropWindow()->Handle();
    Click(POINT{20, 1 + 22 + 11}, test_input::Button::Left, dropDown);
    EXPECT_EQ(combo->GetCurSel(), 1);
    EXPECT_TRUE(Raised(L"itemselect", L"combo"));
    EXPECT_FALSE(combo->IsDroppedDown());

    // The tree: a folder button collapses its node, a double click on a
    // node raises "itemdbclick".
    auto* games = static_cast<CTreeNodeUI*>(Named(L"games"));
    Click(Centre(games->FolderButton()->GetItemRect()));
    EXPECT_FALSE(games->IsExpanded());
    EXPECT_FALSE(Named(L"racing")->IsVisible());
    DoubleClick(Centre(Named(L"tools")->GetItemRect()));
    EXPECT_TRUE(Raised(L"itemdbclick", L"tools"));
    EXPECT_EQ(static_cast<CTreeViewUI*>(Named(L"tree"))->GetCurSel(),
              static_cast<CTreeViewUI*>(Named(L"tree"))->IndexOf(Named(L"tools")));

    // The hosts: under the pointer like any control, with nothing created.
    auto* activeX = static_cast<CActiveXUI*>(Named(L"activex"));
    const POINT host = Centre(activeX->GetItemRect());
    seam::MouseMove(hwnd, host.x, host.y);
    Pump();
    EXPECT_EQ(window->Manager().HoverControl(), activeX);
    EXPECT_EQ(activeX->LastCreateResult(), ActiveXCreateResult::Unsupported);
    const POINT browser = Centre(Named(L"browser")->GetItemRect());
    seam::MouseMove(hwnd, browser.x, browser.y);
    Pump();
    EXPECT_EQ(window->Manager().HoverControl(), Named(L"browser"));
    EXPECT_FALSE(Raised(L"showactivex", L"activex"));

    UpdateWindow(hwnd);
    const auto shots = std::filesystem::path(VANTU_BUILD_DIR) / "screenshots";
    std::filesystem::create_directories(shots);
    EXPECT_TRUE(gallery::WriteScreenshot(window->Manager(), shots / "gallery.png"));
    EXPECT_GT(std::filesystem::file_size(shots / "gallery.png"), 1000u);
}

}  // namespace
}  // namespace VantuUI
