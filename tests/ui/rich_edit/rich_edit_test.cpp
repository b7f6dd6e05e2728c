// The rich edit control in a window: notes read-only with a styled bar,
// editing, and its attributes.

#include "ui/control/rich_edit/rich_edit.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>

#include "platform/gdi/font_spec.h"
#include "platform/gdi/gdi_api.h"
#include "tests/support/deadline.h"
#include "tests/ui/rich_edit/window_input.h"
#include "ui/control/basic/button.h"
#include "ui/control/rich_edit/rich_edit_host.h"
#include "ui/control/scroll/scroll_bar.h"
#include "ui/core/builder/skin_builder.h"

namespace {

using namespace VantuUI;
using namespace rich_edit_testing;

// How many notifications of each type the window raised.
struct NotificationCounts : INotifyUI {
    void OnNotification(TNotificationUI& msg) override { ++counts[msg.type]; }
    std::size_t Count(const std::wstring& type) const {
        const auto found = counts.find(type);
        return found != counts.end() ? found->second : 0;
    }
    std::map<std::wstring, std::size_t> counts;
};

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
        RunPendingMessages();
    }
    // Pumps until `done` holds; false after two seconds.
    static bool PumpUntil(const std::function<bool()>& done) {
        return testing_support::WaitUntil(testing_support::Deadline(std::chrono::seconds(2)), [&] {
            Pump();
            return done();
        });
    }
    void Click(int x, int y) {
        MouseMove(window, x, y);
        LeftButton(window, true, x, y);
        LeftButton(window, false, x, y);
        Pump();
    }
    platform::CTextServices& Services() { return edit->GetHost()->Services(); }
    int LineHeight() const { return platform::MeasureFont(platform::FontSpec{L"Sans", 12}).height; }

    CWindowManagerUI manager;
    NotificationCounts log;
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
    MouseMove(window, 150, 100);
    Wheel(window, -1);
    Pump();
    EXPECT_EQ(Services().ScrollPosition().y, LineHeight());
    EXPECT_EQ(bar->GetPosition(), LineHeight());
    Wheel(window, 1);
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
    MouseMove(window, 297, grab);
    LeftButton(window, true, 297, grab);
    MouseMove(window, 297, grab + 40);
    const int dragged = 40 * range / (188 - thumbLength);
    ASSERT_TRUE(PumpUntil([&] { return Services().ScrollPosition().y == dragged; }))
        << "the drag did not scroll to " << dragged << "; at " << Services().ScrollPosition().y;
    MouseMove(window, 297, 199);
    ASSERT_TRUE(PumpUntil([&] { return bar->GetPosition() == range; }))
        << "the drag did not reach the end; at " << bar->GetPosition();
    LeftButton(window, false, 297, 199);
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
    FocusWindow(window);
    Pump();
    log.counts.clear();

    const int y = 4 + LineHeight() / 2;
    LeftButton(window, true, 5, y);
    MouseMove(window, 5, y + 2 * LineHeight());
    LeftButton(window, false, 5, y + 2 * LineHeight());
    Pump();
    EXPECT_TRUE(edit->IsFocused());
    const CHARRANGE selected = Services().Selection();
    EXPECT_EQ(selected.cpMin, 0);
    const std::wstring notes = Notes();
    const std::size_t thirdLine = notes.find(L"第3行");
    EXPECT_EQ(static_cast<std::size_t>(selected.cpMax), thirdLine);
    EXPECT_FALSE(manager.HasMouseCapture());

    PressKey(window, Key::C, true);
    TypeText(window, L"x");
    PressKey(window, Key::Backspace);
    Pump();
    EXPECT_EQ(ClipboardText(), notes.substr(0, thirdLine));
    EXPECT_EQ(edit->GetText(), notes);
    EXPECT_EQ(log.Count(L"textchanged"), 0u);
}

TEST_F(RichEditWindowTest, ReturnGoesToTheTextOnlyWhenWanted) {
    Build(L"font=\"0\" wantreturn=\"false\"");
    edit->SetText(L"ab");
    FocusWindow(window);
    manager.FocusControl(edit, true);
    Pump();
    log.counts.clear();
    PressKey(window, Key::Return);
    TypeText(window, L"\r\n");  // the characters Return and Ctrl+Return make
    Pump();
    EXPECT_EQ(log.Count(L"return"), 1u);
    EXPECT_EQ(edit->GetText(), L"ab");

    edit->SetWantsReturn(true);
    TypeText(window, L"中");
    PressKey(window, Key::Return);
    Pump();
    EXPECT_EQ(log.Count(L"return"), 1u);
    EXPECT_EQ(edit->GetText(), L"ab中\n");  // SetText leaves the caret at the end
    EXPECT_EQ(log.Count(L"textchanged"), 2u);
}

TEST_F(RichEditWindowTest, TabIsTypedIntoARichEditThatWantsItAndOnlyThere) {
    Build(L"font=\"0\"");  // wants Tab unless told otherwise
    auto* next = new CButtonUI;
    static_cast<CContainerUI*>(manager.Root())->Append(next);
    edit->SetText(L"ab");
    FocusWindow(window);
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
        PressKey(window, Key::Tab);
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

std::uint32_t WindowColour() {
    const COLORREF system = GetSysColor(COLOR_WINDOW);
    return (GetRValue(system) << 16) | (GetGValue(system) << 8) | GetBValue(system);
}

TEST_F(RichEditWindowTest, AnOpaqueRichEditHidesWhatLiesBeneathItsText) {
    Build(L"font=\"0\" transparent=\"false\"");
    manager.Root()->SetBackColor(0xFFFF0000);
    edit->SetText(L"ab");
    UpdateWindow(window);
    const std::uint32_t windowColour = WindowColour();
    ASSERT_NE(windowColour, 0xFF0000u);
    EXPECT_EQ(PresentedPixel(manager, window, 250, 150), windowColour);
}

TEST_F(RichEditWindowTest, TurningTransparentShowsWhatLiesBeneathAndTurningBackHidesIt) {
    if (UnderWine()) {
        GTEST_SKIP() << "wine's text services keep the back style they were made with";
    }
    Build(L"font=\"0\" transparent=\"false\"");
    manager.Root()->SetBackColor(0xFFFF0000);
    edit->SetText(L"ab");
    UpdateWindow(window);
    const std::uint32_t windowColour = WindowColour();
    ASSERT_EQ(PresentedPixel(manager, window, 250, 150), windowColour);

    edit->SetTransparent(true);
    UpdateWindow(window);
    EXPECT_EQ(PresentedPixel(manager, window, 250, 150), 0xFF0000u);
    edit->SetTransparent(false);
    UpdateWindow(window);
    EXPECT_EQ(PresentedPixel(manager, window, 250, 150), windowColour);
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
                if (PresentedPixel(manager, window, x, y) != colour) {
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

// Paragraph breaks read back as "\n", one character each, wherever the text
// services keep them otherwise.
TEST_F(RichEditWindowTest, LineBreaksReadBackAsTheyWereSetAndCountOneCharacterEach) {
    Build(L"font=\"0\"");
    edit->SetText(L"一\nb\n\nc");
    EXPECT_EQ(edit->GetText(), L"一\nb\n\nc");
    EXPECT_EQ(Services().TxGetText(), L"一\nb\n\nc");
    CHARRANGE range{5, 6};  // the "c" after the empty line
    edit->SendToTextServices(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    edit->SendToTextServices(EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L"d"));
    EXPECT_EQ(edit->GetText(), L"一\nb\n\nd");
    EXPECT_EQ(Services().Selection().cpMin, 6);
    EXPECT_EQ(Services().Selection().cpMax, 6);
    edit->SetText(L"");
    EXPECT_EQ(edit->GetText(), L"");
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
