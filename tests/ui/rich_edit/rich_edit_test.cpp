// The rich edit control in a window: notes read-only with a styled bar,
// editing, and its attributes.

#include "ui/control/rich_edit/rich_edit.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/gdi/system_values.h"
#include "platform/shell/clipboard.h"
#include "tests/support/deadline.h"
#include "tests/ui/manager/managed_window.h"
#include "tests/ui/window/skinned_window_support.h"
#include "ui/control/basic/button.h"
#include "ui/control/rich_edit/rich_edit_host.h"
#include "ui/control/scroll/scroll_bar.h"
#include "ui/core/builder/skin_builder.h"

namespace {

using namespace manager_testing;
namespace seam = platform::seam;

// 200 lines of mixed Chinese and English, each one line at 280 pixels.
std::wstring Notes() {
    std::wstring text;
    for (int i = 1; i <= 200; ++i) {
        text += L"第" + std::to_wstring(i) + L"行 update notes 更新说明\n";
    }
    text.pop_back();
    return text;
}

// A 300 x 200 window whose whole area is one rich edit built from a skin.
class RichEditWindowTest : public ::testing::Test {
  protected:
    void Build(const std::wstring& attributes) {
        window = CreateWindowEx(0, ManagedClass(), L"notes", WS_POPUP | WS_VISIBLE, 100, 50, 300,
                                200, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(window, nullptr);
        manager.BindWindow(window, L"notes");
        SetWindowLongPtr(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&manager));
        manager.AddListener(&log);
        CSkinBuilder builder;
        const std::wstring skin =
            L"<Window><Font id=\"0\" name=\"Sans\" size=\"12\"/>"
            L"<VerticalLayout><RichEdit name=\"notes\" " +
            attributes + L"/></VerticalLayout></Window>";
        CControlUI* root = builder.Build(skin, nullptr, &manager);
        ASSERT_NE(root, nullptr);
        manager.AttachRoot(root);
        edit =
            static_cast<CRichEditUI*>(manager.ControlByName(L"notes")->FindInterface(L"RichEdit"));
        ASSERT_NE(edit, nullptr);
        UpdateWindow(window);
        ASSERT_NE(edit->GetHost(), nullptr) << "the first paint initialises the control";
    }
    void TearDown() override {
        if (window != nullptr) {
            SetWindowLongPtr(window, GWLP_USERDATA, 0);
            DestroyWindow(window);
        }
        platform::seam::RunPendingMessages();
    }
    static void Pump() { ui_testing::PumpLikeTheProduct(); }
    // Pumps until `done` holds; false after two seconds.
    static bool PumpUntil(const std::function<bool()>& done) {
        return testing_support::WaitUntil(testing_support::Deadline(std::chrono::seconds(2)), [&] {
            Pump();
            return done();
        });
    }
    void Click(int x, int y) {
        seam::MouseMove(window, x, y);
        seam::MouseButton(window, SDL_BUTTON_LEFT, true, x, y);
        seam::MouseButton(window, SDL_BUTTON_LEFT, false, x, y);
        Pump();
    }
    platform::CTextServices& Services() { return edit->GetHost()->Services(); }
    int LineHeight() const { return platform::MeasureFont(platform::FontSpec{L"Sans", 12}).height; }

    CWindowManagerUI manager;
    NotificationLog log;
    HWND window = nullptr;
    CRichEditUI* edit = nullptr;
};

constexpr const wchar_t* kNotesAttributes =
    L"readonly=\"true\" font=\"0\" textpadding=\"4,4,4,4\" vscrollbar=\"true\" "
    L"vscrollbarstyle=\"width=&quot;6&quot; bkcolor=&quot;#FFE0E0E0&quot;\"";

TEST_F(RichEditWindowTest, ReadOnlyNotesScrollAndTheirBarFollowsTheTextHeight) {
    Build(kNotesAttributes);
    edit->SetText(Notes());
    Pump();
    UpdateWindow(window);

    CScrollBarUI* bar = edit->GetVerticalScrollBar();
    ASSERT_NE(bar, nullptr);
    ASSERT_TRUE(bar->IsVisible());
    const RECT barRect = bar->GetItemRect();
    EXPECT_EQ(barRect.right - barRect.left, 6);
    EXPECT_EQ(barRect.right, 300);
    const RECT client = edit->GetHost()->TxGetClientRect();
    EXPECT_EQ(client, (RECT{4, 4, 290, 196}));  // padding inside, the bar beside
    const int textHeight = Services().ContentHeight();
    EXPECT_EQ(textHeight, 200 * LineHeight());
    EXPECT_EQ(bar->GetRange(), textHeight - (client.bottom - client.top));

    // The wheel scrolls the text and the bar together, a line a notch.
    seam::MouseMove(window, 150, 100);
    seam::MouseWheel(window, -1);
    Pump();
    EXPECT_EQ(Services().ScrollPosition().y, LineHeight());
    EXPECT_EQ(bar->GetPosition(), LineHeight());
    seam::MouseWheel(window, 1);
    Pump();
    EXPECT_EQ(bar->GetPosition(), 0);

    // The owner operations the bar calls.
    edit->LineDown();
    EXPECT_EQ(bar->GetPosition(), LineHeight());
    edit->PageDown();
    EXPECT_EQ(bar->GetPosition(), LineHeight() + (client.bottom - client.top));
    edit->SetScrollOffset(SIZE{0, 1000});
    EXPECT_EQ(Services().ScrollPosition().y, 1000);
    EXPECT_EQ(bar->GetPosition(), 1000);
    edit->ScrollToBottom();
    EXPECT_EQ(bar->GetPosition(), bar->GetRange());

    // Less text: a shorter range; text that fits: no bar, and the text widens.
    edit->SetText(Notes().substr(0, Notes().find(L"第21行")));
    EXPECT_EQ(bar->GetRange(), Services().ContentHeight() - (client.bottom - client.top));
    EXPECT_LE(bar->GetPosition(), bar->GetRange());
    edit->SetText(L"one line");
    EXPECT_FALSE(bar->IsVisible());
    EXPECT_EQ(edit->GetHost()->TxGetClientRect().right, 296);
}

// The bar is 6 wide at x 294..300 with 6-pixel arrows: its track runs from 6 to 194.
TEST_F(RichEditWindowTest, TheBarsArrowsTrackAndThumbScrollTheNotesAndTheThumbFollowsTheText) {
    Build(kNotesAttributes);
    edit->SetText(Notes());
    UpdateWindow(window);
    CScrollBarUI* bar = edit->GetVerticalScrollBar();
    ASSERT_NE(bar, nullptr);
    const int range = bar->GetRange();
    const int page = 192;  // the client height
    ASSERT_EQ(range, Services().ContentHeight() - page);
    // The thumb shows the visible share of the text: 200 x 188 / (200 + range).
    const int thumbLength = std::max(6, 200 * 188 / (200 + range));
    RECT thumb = bar->GetPartRect(ScrollBarPart::Thumb);
    EXPECT_EQ(thumb, (RECT{294, 6, 300, 6 + thumbLength}));

    Click(297, 197);  // the down arrow
    EXPECT_EQ(Services().ScrollPosition().y, LineHeight());
    EXPECT_EQ(bar->GetPosition(), LineHeight());
    Click(297, 3);  // the up arrow
    EXPECT_EQ(bar->GetPosition(), 0);

    Click(297, 150);  // the track below the thumb: a page
    EXPECT_EQ(Services().ScrollPosition().y, page);
    EXPECT_EQ(bar->GetPosition(), page);
    Click(297, 8);  // above it: back
    EXPECT_EQ(bar->GetPosition(), 0);

    // Dragging the thumb 40 pixels moves the text 40 x range / (track - thumb).
    const int grab = 6 + thumbLength / 2;
    seam::MouseMove(window, 297, grab);
    seam::MouseButton(window, SDL_BUTTON_LEFT, true, 297, grab);
    seam::MouseMove(window, 297, grab + 40);
    const int dragged = 40 * range / (188 - thumbLength);
    ASSERT_TRUE(PumpUntil([&] { return Services().ScrollPosition().y == dragged; }))
        << "the drag did not scroll to " << dragged << "; at " << Services().ScrollPosition().y;
    seam::MouseMove(window, 297, 199);
    ASSERT_TRUE(PumpUntil([&] { return bar->GetPosition() == range; }))
        << "the drag did not reach the end; at " << bar->GetPosition();
    seam::MouseButton(window, SDL_BUTTON_LEFT, false, 297, 199);
    Pump();
    EXPECT_EQ(Services().ScrollPosition().y, range);
    EXPECT_EQ(bar->GetPartRect(ScrollBarPart::Thumb).bottom, 194);

    // Half the text: a longer thumb.
    edit->SetText(Notes().substr(0, Notes().find(L"第101行")));
    EXPECT_GT(
        bar->GetPartRect(ScrollBarPart::Thumb).bottom - bar->GetPartRect(ScrollBarPart::Thumb).top,
        thumbLength);
}

TEST_F(RichEditWindowTest, MouseSelectsReadOnlyTextThatCopiesButNeverChanges) {
    Build(kNotesAttributes);
    edit->SetText(Notes());
    UpdateWindow(window);
    seam::Focus(window, true);
    Pump();
    log.seen.clear();

    const int y = 4 + LineHeight() / 2;
    seam::MouseButton(window, SDL_BUTTON_LEFT, true, 5, y);
    seam::MouseMove(window, 5, y + 2 * LineHeight());
    seam::MouseButton(window, SDL_BUTTON_LEFT, false, 5, y + 2 * LineHeight());
    Pump();
    EXPECT_TRUE(edit->IsFocused());
    const CHARRANGE selected = Services().Selection();
    EXPECT_EQ(selected.cpMin, 0);
    const std::wstring notes = Notes();
    const std::size_t thirdLine = notes.find(L"第3行");
    EXPECT_EQ(static_cast<std::size_t>(selected.cpMax), thirdLine);
    EXPECT_FALSE(manager.HasMouseCapture());

    seam::Key(window, SDLK_LCTRL, true);
    seam::Key(window, SDLK_c, true, KMOD_LCTRL);
    seam::Key(window, SDLK_c, false, KMOD_LCTRL);
    seam::Key(window, SDLK_LCTRL, false);
    seam::Text(window, "x");
    seam::Key(window, SDLK_BACKSPACE, true);
    seam::Key(window, SDLK_BACKSPACE, false);
    Pump();
    EXPECT_EQ(platform::GetClipboardText(), notes.substr(0, thirdLine));
    EXPECT_EQ(edit->GetText(), notes);
    EXPECT_TRUE(log.Of(L"textchanged").empty());
}

TEST_F(RichEditWindowTest, ReturnGoesToTheTextOnlyWhenWanted) {
    Build(L"font=\"0\" wantreturn=\"false\"");
    edit->SetText(L"ab");
    seam::Focus(window, true);
    manager.FocusControl(edit, true);
    Pump();
    log.seen.clear();
    seam::Key(window, SDLK_RETURN, true);
    seam::Key(window, SDLK_RETURN, false);
    Pump();
    EXPECT_EQ(log.Of(L"return").size(), 1u);
    EXPECT_EQ(edit->GetText(), L"ab");

    edit->SetWantsReturn(true);
    seam::Text(window, "中");
    seam::Key(window, SDLK_RETURN, true);
    seam::Key(window, SDLK_RETURN, false);
    Pump();
    EXPECT_EQ(log.Of(L"return").size(), 1u);
    EXPECT_EQ(edit->GetText(), L"ab中\n");  // SetText leaves the caret at the end
    EXPECT_EQ(log.Of(L"textchanged").size(), 2u);
}

TEST_F(RichEditWindowTest, TabIsTypedIntoARichEditThatWantsItAndOnlyThere) {
    Build(L"font=\"0\"");  // wants Tab unless told otherwise
    auto* next = new CButtonUI;
    static_cast<CContainerUI*>(manager.Root())->Append(next);
    edit->SetText(L"ab");
    seam::Focus(window, true);
    // The paints after the first move the focus on to the first tab stop
    // once they lay nothing out any more: let them, then take the focus.
    for (int i = 0; i < 3; ++i) {
        manager.FocusControl(edit, true);
        Pump();
        UpdateWindow(window);
    }
    manager.FocusControl(edit, true);
    Pump();
    ASSERT_EQ(manager.FocusedControl(), edit);
    auto tab = [&] {
        seam::Key(window, SDLK_TAB, true);
        seam::Key(window, SDLK_TAB, false);
        Pump();
    };
    // (A paint here may still move the focus on, so only the text tells.)
    tab();
    EXPECT_EQ(edit->GetText(), L"ab\t");

    edit->SetAttribute(L"wanttab", L"false");
    manager.FocusControl(edit, true);
    tab();
    EXPECT_EQ(edit->GetText(), L"ab\t");
}

TEST_F(RichEditWindowTest, AnOpaqueRichEditHidesWhatLiesBeneathItsText) {
    Build(L"font=\"0\" transparent=\"false\"");
    manager.Root()->SetBackColor(0xFFFF0000);
    edit->SetText(L"ab");
    UpdateWindow(window);
    const COLORREF system = GetSysColor(COLOR_WINDOW);
    const std::uint32_t windowColour =
        (GetRValue(system) << 16) | (GetGValue(system) << 8) | GetBValue(system);
    ASSERT_NE(windowColour, 0xFF0000u);
    EXPECT_EQ(seam::PresentedPixel(window, 250, 150), windowColour);

    edit->SetTransparent(true);
    UpdateWindow(window);
    EXPECT_EQ(seam::PresentedPixel(window, 250, 150), 0xFF0000u);
    edit->SetTransparent(false);
    UpdateWindow(window);
    EXPECT_EQ(seam::PresentedPixel(window, 250, 150), windowColour);
}

// Layers, then the text, then the children: a child lies over the text.
TEST_F(RichEditWindowTest, ChildrenArePaintedOverTheText) {
    Build(L"font=\"0\"");
    manager.Root()->SetBackColor(0xFFFFFFFF);
    std::wstring lines;
    for (int i = 0; i < 5; ++i) {
        lines += L"WWWWWWWWWW\n";  // about 110 x 85 pixels in all
    }
    edit->SetText(lines);
    UpdateWindow(window);
    const RECT under{10, 10, 60, 30};
    auto everyPixelIs = [&](std::uint32_t colour) {
        for (LONG y = under.top; y < under.bottom; ++y) {
            for (LONG x = under.left; x < under.right; ++x) {
                if (seam::PresentedPixel(window, x, y) != colour) {
                    return false;
                }
            }
        }
        return true;
    };
    ASSERT_FALSE(everyPixelIs(0xFFFFFF)) << "no text where the child goes";

    auto* cover = new CControlUI;
    cover->SetBackColor(0xFF0000FF);
    edit->Append(cover);
    cover->SetItemRect(under);
    UpdateWindow(window);
    ASSERT_EQ(cover->GetItemRect(), under);
    EXPECT_TRUE(everyPixelIs(0x0000FF)) << "text drawn over the child";
}

TEST_F(RichEditWindowTest, TextSetBeforeTheHostExistsShowsOnceItIsMade) {
    auto* early = new CRichEditUI;
    early->SetText(L"kept for later");
    EXPECT_EQ(early->GetHost(), nullptr);
    EXPECT_EQ(early->GetText(), L"kept for later");
    Build(L"font=\"0\"");
    static_cast<CContainerUI*>(manager.Root())->Append(early);  // attaching initialises
    ASSERT_NE(early->GetHost(), nullptr);
    EXPECT_EQ(early->GetHost()->Services().TxGetText(), L"kept for later");
}

TEST(RichEditAttributes, StyleBitsComeFromTheAttributesBeforeTheHostIsMade) {
    CRichEditUI edit;
    EXPECT_EQ(edit.GetStyle(), ES_MULTILINE);
    edit.SetAttribute(L"readonly", L"true");
    edit.SetAttribute(L"password", L"true");
    edit.SetAttribute(L"align", L"left center right");
    edit.SetAttribute(L"autovscroll", L"true");
    EXPECT_EQ(edit.GetStyle(),
              ES_MULTILINE | ES_READONLY | ES_PASSWORD | ES_RIGHT | ES_AUTOVSCROLL);
    EXPECT_TRUE(edit.IsReadOnly());
    edit.SetAttribute(L"multiline", L"no");  // only "false" clears it
    EXPECT_NE(edit.GetStyle() & ES_MULTILINE, 0u);
    edit.SetAttribute(L"multiline", L"false");
    EXPECT_EQ(edit.GetStyle() & ES_MULTILINE, 0u);
    edit.SetAttribute(L"textcolor", L" #FF102030");
    EXPECT_EQ(edit.GetTextColor(), 0xFF102030u);
    edit.SetAttribute(L"vscrollbar", L"true");
    EXPECT_NE(edit.GetVerticalScrollBar(), nullptr);  // the container made the bar
    EXPECT_EQ(edit.GetStyle() & (WS_VSCROLL | ES_DISABLENOSCROLL), WS_VSCROLL | ES_DISABLENOSCROLL);
    edit.SetAttribute(L"bkcolor", L"#FF00FF00");  // the base's table after its own
    EXPECT_EQ(edit.GetBackColor(), 0xFF00FF00u);
}

}  // namespace
