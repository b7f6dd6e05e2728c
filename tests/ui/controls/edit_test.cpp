// The edit control with its native window on the offscreen display: opening
// over the focused field, typing copied back, Return, limits and modes, the
// placeholder, password drawing, clicks and placement.

#include "ui/control/edit/edit.h"

#include <cwctype>
#include <functional>
#include <string>

#include "tests/support/deadline.h"
#include "tests/ui/controls/controls_window.h"
#include "tests/ui/support/presented_pixel.h"

namespace {

using namespace controls_testing;

// Runs `action` for every "textchanged" while it is listening.
class TextChangedListener : public INotifyUI {
  public:
    TextChangedListener(CWindowManagerUI& manager, std::function<void(CControlUI*)> action)
        : m_manager(manager), m_action(std::move(action)) {
        m_manager.AddListener(this);
    }
    ~TextChangedListener() { m_manager.RemoveListener(this); }
    void OnNotification(TNotificationUI& msg) override {
        if (msg.type == L"textchanged") {
            m_action(msg.sender);
        }
    }

  private:
    CWindowManagerUI& m_manager;
    std::function<void(CControlUI*)> m_action;
};

class EditTest : public ControlsWindow {
  protected:
    void Type(const std::string& utf8) {
        for (char c : utf8) {
            seam::Text(window, std::string(1, c));
        }
        Pump();
    }
    void PressKey(int key) {
        seam::Key(window, key, true);
        seam::Key(window, key, false);
        Pump();
    }
    // Sets the keyboard focus on the control, which opens its native window.
    HWND Open(CEditUI* edit) {
        // The first tab stop takes the focus at a paint after the first one.
        manager.Invalidate();
        UpdateWindow(window);
        seam::Focus(window, true);
        Pump();
        manager.FocusControl(edit, true);
        Pump();
        return edit->GetChildWindow();
    }
    std::pair<DWORD, DWORD> Selection(HWND native) {
        DWORD start = 0;
        DWORD end = 0;
        SendMessage(native, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                    reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }
    // Whether any presented pixel of the control's area has `colour` (0xRRGGBB).
    bool Shows(CControlUI* control, std::uint32_t colour) {
        const RECT r = control->GetItemRect();
        const ui_testing::PresentedImage shown = ui_testing::CapturePresented(window);
        for (LONG y = r.top; y < r.bottom; ++y) {
            for (LONG x = r.left; x < r.right; ++x) {
                if (shown.At(x, y) == colour) {
                    return true;
                }
            }
        }
        return false;
    }
};

TEST_F(EditTest, TypingIsCopiedBackWithTextChangedAndReturnInsertsNothing) {
    CEditUI* edit = Add<CEditUI>(L"text=\"ab\" maxchar=\"5\"");
    Show();
    HWND native = Open(edit);
    ASSERT_NE(native, nullptr) << "no native window over the focused edit";
    EXPECT_EQ(SendMessage(native, EM_GETLIMITTEXT, 0, 0), 5);
    EXPECT_EQ(Selection(native), (std::pair<DWORD, DWORD>{2, 2}));  // caret at the end

    Type("cdefg");
    EXPECT_EQ(edit->GetText(), L"abcde");
    EXPECT_EQ(log.Of(L"textchanged").size(), 3u);

    PressKey(VK_RETURN);
    EXPECT_EQ(log.Of(L"return").size(), 1u);
    EXPECT_EQ(edit->GetText(), L"abcde");

    edit->SetText(L"xy");
    std::wstring shown(8, L'\0');
    shown.resize(static_cast<std::size_t>(GetWindowText(native, shown.data(), 8)));
    EXPECT_EQ(shown, L"xy");

    // Focus elsewhere closes the native window; the text stays.
    manager.FocusControl(nullptr, true);
    Pump();
    EXPECT_EQ(edit->GetChildWindow(), nullptr);
    EXPECT_FALSE(IsWindow(native));
    EXPECT_EQ(edit->GetText(), L"xy");
}

TEST_F(EditTest, NumberOnlyPasswordAndReadOnlyReachTheNativeWindow) {
    CEditUI* digits = Add<CEditUI>(L"numberonly=\"true\"");
    CEditUI* secret = Add<CEditUI>(L"password=\"true\" readonly=\"true\"");
    Show();
    Open(digits);
    Type("a1b2");
    EXPECT_EQ(digits->GetText(), L"12");

    HWND native = Open(secret);
    ASSERT_NE(native, nullptr);
    EXPECT_NE(GetWindowLong(native, GWL_STYLE) & ES_PASSWORD, 0);
    EXPECT_EQ(SendMessage(native, EM_GETPASSWORDCHAR, 0, 0), L'*');
    Type("zz");
    EXPECT_EQ(secret->GetText(), L"");
    secret->SetAttribute(L"readonly", L"false");
    Type("zz");
    EXPECT_EQ(secret->GetText(), L"zz");
}

TEST_F(EditTest, SelectAllOnFocusSelectsTheTextAndAClickPlacesTheCaretWhereItLands) {
    CEditUI* all = Add<CEditUI>(L"text=\"hello\" autoselall=\"true\"");
    // To the right of the first: a click passed on without moving it would
    // land past its text.
    CEditUI* edit = Add<CEditUI>(L"text=\"abc\"");
    Show();
    EXPECT_EQ(Selection(Open(all)), (std::pair<DWORD, DWORD>{0, 5}));

    HWND native = Open(edit);
    ASSERT_NE(native, nullptr);
    // In the padding above the native window, so that the control gets the click.
    const RECT item = edit->GetItemRect();
    ASSERT_LT(item.top + 1, edit->ChildWindowRect().top);
    seam::MouseButton(window, test_input::Button::Left, true, item.left + 5, item.top + 1);
    seam::MouseButton(window, test_input::Button::Left, false, item.left + 5, item.top + 1);
    Pump();
    EXPECT_EQ(Selection(native), (std::pair<DWORD, DWORD>{0, 0}));
}

TEST_F(EditTest, APlaceholderShowsOnlyWhileTheTextIsEmpty) {
    CEditUI* edit = Add<CEditUI>(
        L"spaceholder=\"Name\" spaceholdercolor=\"#FFFF0000\" textcolor=\"#FF0000FF\"");
    Show();
    EXPECT_TRUE(Shows(edit, 0xFF0000));
    EXPECT_FALSE(Shows(edit, 0x0000FF));

    Open(edit);
    Type("W");
    manager.FocusControl(nullptr, true);
    Pump();
    Repaint();
    EXPECT_FALSE(Shows(edit, 0xFF0000));
    EXPECT_TRUE(Shows(edit, 0x0000FF));
}

TEST_F(EditTest, PasswordTextIsDrawnAsPasswordCharactersWhileClosed) {
    CEditUI* secret = Add<CEditUI>(L"text=\"abc\" password=\"true\"");
    CEditUI* stars = Add<CEditUI>(L"text=\"***\"");
    Show();
    const RECT a = secret->GetItemRect();
    const RECT b = stars->GetItemRect();
    ASSERT_EQ(a.right - a.left, b.right - b.left);
    const ui_testing::PresentedImage shown = ui_testing::CapturePresented(window);
    for (LONG y = a.top; y < a.bottom; ++y) {
        for (LONG dx = 0; dx < a.right - a.left; ++dx) {
            ASSERT_EQ(shown.At(a.left + dx, y), shown.At(b.left + dx, y))
                << "at " << dx << "," << y;
        }
    }
}

TEST_F(EditTest, TheNativeWindowGoesOutOfSightWithTheFieldAndClosesWhenItIsHidden) {
    CEditUI* edit = Add<CEditUI>(L"text=\"abc\"");
    Show();
    const RECT shown = edit->GetItemRect();
    HWND native = Open(edit);
    ASSERT_NE(native, nullptr);
    EXPECT_TRUE(IsWindowVisible(native));

    edit->SetItemRect(RECT{0, 500, 200, 530});  // scrolled out of the window
    EXPECT_EQ(edit->ChildWindowRect(), (RECT{}));
    EXPECT_FALSE(IsWindowVisible(native));

    edit->SetItemRect(shown);
    manager.FocusControl(nullptr, false);
    native = Open(edit);
    ASSERT_NE(native, nullptr);
    edit->SetVisible(false);
    Pump();
    EXPECT_FALSE(IsWindow(native));
    EXPECT_EQ(edit->GetChildWindow(), nullptr);
}

TEST_F(EditTest, NativeBackgroundColoursPaintUnderTheText) {
    root->SetBackColor(0xFF0000FF);
    CEditUI* platformColours = Add<CEditUI>(L"text=\"a\"");
    CEditUI* solid = Add<CEditUI>(L"text=\"a\" nativebkcolor=\"#FF00FF00\"");
    CEditUI* tinted = Add<CEditUI>(L"text=\"a\" nativebkcolor=\"#80FF0000\" bkcolor=\"#00000000\"");
    Show();
    auto probe = [&](CEditUI* edit) {
        HWND native = Open(edit);
        EXPECT_NE(native, nullptr);
        Pump();
        const RECT r = edit->ChildWindowRect();
        return ui_testing::PresentedPixel(window, r.right - 3, (r.top + r.bottom) / 2);
    };
    EXPECT_EQ(probe(platformColours), 0xFFFFFFu);
    EXPECT_EQ(probe(solid), 0x00FF00u);
    const std::uint32_t blended = probe(tinted);
    EXPECT_NEAR(static_cast<int>(blended >> 16), 0x80, 8);
    EXPECT_EQ((blended >> 8) & 0xFF, 0u);
    EXPECT_NEAR(static_cast<int>(blended & 0xFF), 0x7F, 8);
}

// A field that hands the focus on after its last digit, one that hides and
// one that disables itself: each ends its own editing from inside the
// change report, and the native window deletes itself meanwhile.
TEST_F(EditTest, ATextChangedListenerMayEndTheEditingOfTheFieldThatReportedIt) {
    CEditUI* code = Add<CEditUI>(L"width=\"60\" maxchar=\"3\"");
    CEditUI* next = Add<CEditUI>(L"width=\"60\"");
    CEditUI* hiding = Add<CEditUI>(L"width=\"60\"");
    CEditUI* disabling = Add<CEditUI>(L"width=\"60\"");
    Show();
    TextChangedListener listener(manager, [&](CControlUI* sender) {
        if (sender == code && code->GetText().size() == 3) {
            manager.FocusControl(next, true);
        } else if (sender == hiding) {
            hiding->SetVisible(false);
        } else if (sender == disabling) {
            disabling->SetEnabled(false);
        }
    });

    HWND native = Open(code);
    ASSERT_NE(native, nullptr);
    Type("123");
    EXPECT_FALSE(IsWindow(native));
    EXPECT_EQ(code->GetChildWindow(), nullptr);
    EXPECT_EQ(code->GetText(), L"123");
    EXPECT_EQ(manager.FocusedControl(), next);
    ASSERT_NE(next->GetChildWindow(), nullptr);
    Type("4");
    EXPECT_EQ(next->GetText(), L"4");

    for (CEditUI* field : {hiding, disabling}) {
        native = Open(field);
        ASSERT_NE(native, nullptr);
        Type("x");
        EXPECT_FALSE(IsWindow(native));
        EXPECT_EQ(field->GetChildWindow(), nullptr);
        EXPECT_EQ(field->GetText(), L"x");
        EXPECT_NE(manager.FocusedControl(), field);
    }
    Type("y");  // no field is being edited any more
    EXPECT_EQ(hiding->GetText(), L"x");
    EXPECT_EQ(disabling->GetText(), L"x");
}

TEST_F(EditTest, SettingTheTextFromItsChangeReportEndsAfterTheSecondReport) {
    CEditUI* edit = Add<CEditUI>(L"");
    Show();
    int reports = 0;
    TextChangedListener upperCase(manager, [&](CControlUI*) {
        if (++reports > 10) {
            return;  // it would never end: stop before the stack runs out
        }
        std::wstring text = edit->GetText();
        for (wchar_t& c : text) {
            c = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
        }
        edit->SetText(text);
    });
    HWND native = Open(edit);
    ASSERT_NE(native, nullptr);
    Type("a");
    EXPECT_EQ(reports, 2);  // the typed letter, then its capital
    EXPECT_EQ(edit->GetText(), L"A");
    std::wstring shown(8, L'\0');
    shown.resize(static_cast<std::size_t>(GetWindowText(native, shown.data(), 8)));
    EXPECT_EQ(shown, L"A");

    reports = 0;
    edit->SetText(L"A");
    EXPECT_EQ(reports, 0);
}

// The layered image replaces the whole window: an open edit box must be
// printed into it, not painted over until it repaints itself.
TEST_F(EditTest, AnOpenEditStaysVisibleThroughTheRepaintsOfALayeredWindow) {
    root->SetBackColor(0xFF0000FF);
    CEditUI* edit =
        Add<CEditUI>(L"width=\"100\" text=\"a\" nativebkcolor=\"#FF00FF00\" bkcolor=\"#FFFF0000\"");
    Show();
    manager.SetPerPixelLayered(true);
    HWND native = Open(edit);
    ASSERT_NE(native, nullptr);
    const RECT r = edit->ChildWindowRect();
    const int x = r.right - 3;
    const int y = (r.top + r.bottom) / 2;
    auto layeredRepaintShows = [&](std::uint32_t rootColour) {
        return testing_support::WaitUntil(testing_support::Deadline(std::chrono::seconds(2)), [&] {
            Pump();
            return ui_testing::PresentedPixel(window, 250, 50) == rootColour;
        });
    };
    ASSERT_TRUE(layeredRepaintShows(0x0000FF));
    for (DWORD colour : {0xFFFFFF00u, 0xFF00FFFFu, 0xFF808080u}) {
        root->SetBackColor(colour);
        ASSERT_TRUE(layeredRepaintShows(colour & 0xFFFFFF)) << "the layered window never repainted";
        EXPECT_EQ(ui_testing::PresentedPixel(window, x, y), 0x00FF00u)
            << "the edit box was painted over";
    }
}

}  // namespace
