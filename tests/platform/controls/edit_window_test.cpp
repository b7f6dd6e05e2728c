// The "Edit" window driven through the display seam as a user would drive it.

#include <cairo.h>

#include <cstring>

#include "platform/gdi/brush.h"
#include "platform/gdi/font.h"
#include "platform/window/display/display_seam.h"
#include "tests/platform/window/window_test_support.h"

namespace {

using namespace window_testing;
using platform::seam::RunPendingMessages;

constexpr int kEditId = 7;

class EditWindowTest : public WindowTest {
  protected:
    HWND MakeEdit(DWORD style, const wchar_t* text = L"", int width = 200) {
        if (top == nullptr) {
            top = Top(0, 0, 320, 200);
        }
        // Edits are stacked 30 pixels apart.
        HWND edit =
            CreateWindowEx(0, WC_EDIT, text, WS_CHILD | WS_VISIBLE | style, 10, 10 + 30 * edits++,
                           width, 24, top, reinterpret_cast<HMENU>(kEditId), nullptr, nullptr);
        EXPECT_NE(edit, nullptr);
        RunPendingMessages();
        return edit;
    }
    void Focus(HWND edit) {
        platform::seam::Focus(top, true);
        SetFocus(edit);
        RunPendingMessages();
        Log().clear();
    }
    void Press(SDL_Keycode key, Uint16 modifiers = KMOD_NONE) {
        platform::seam::Key(top, key, true, modifiers);
        RunPendingMessages();
        platform::seam::Key(top, key, false, KMOD_NONE);
        RunPendingMessages();
    }
    void Type(const std::string& utf8) {
        platform::seam::Text(top, utf8);
        RunPendingMessages();
    }
    // A click in the first edit's client coordinates (it sits at 10,10).
    void Click(int x, int y, int clicks = 1, Uint16 modifiers = KMOD_NONE) {
        if (modifiers != KMOD_NONE) {
            platform::seam::Key(top, SDLK_LSHIFT, true, modifiers);
        }
        platform::seam::MouseButton(top, SDL_BUTTON_LEFT, true, 10 + x, 10 + y, clicks);
        platform::seam::MouseButton(top, SDL_BUTTON_LEFT, false, 10 + x, 10 + y, clicks);
        if (modifiers != KMOD_NONE) {
            platform::seam::Key(top, SDLK_LSHIFT, false, KMOD_NONE);
        }
        RunPendingMessages();
    }
    static std::wstring TextOf(HWND edit) {
        std::wstring text(static_cast<std::size_t>(GetWindowTextLength(edit)) + 1, L'\0');
        text.resize(static_cast<std::size_t>(
            GetWindowText(edit, text.data(), static_cast<int>(text.size()))));
        return text;
    }
    // Dark pixels of the edit as painted.
    static int InkedPixels(HWND edit) {
        RECT client;
        HBITMAP buffer = platform::WindowBackBuffer(edit, &client);
        EXPECT_NE(buffer, nullptr);
        cairo_surface_flush(buffer);
        int stride = cairo_image_surface_get_stride(buffer);
        const unsigned char* pixels = cairo_image_surface_get_data(buffer);
        int inked = 0;
        for (int y = client.top; y < client.bottom; ++y) {
            for (int x = client.left; x < client.right; ++x) {
                inked += pixels[y * stride + x * 4 + 1] < 128 ? 1 : 0;
            }
        }
        return inked;
    }
    static std::pair<DWORD, DWORD> Selection(HWND edit) {
        DWORD start = 0;
        DWORD end = 0;
        SendMessage(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                    reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }
    // The edit notifications the parent got, in order.
    std::vector<WORD> Notifications(HWND edit) {
        std::vector<WORD> codes;
        for (const Seen& s : Of(top, WM_COMMAND)) {
            if (reinterpret_cast<HWND>(s.lParam) == edit) {
                EXPECT_EQ(LOWORD(s.wParam), kEditId);
                codes.push_back(HIWORD(s.wParam));
            }
        }
        return codes;
    }

    HWND top = nullptr;
    int edits = 0;
};

TEST_F(EditWindowTest, TypingReachesTheTextAndTheParentHearsUpdateThenChange) {
    HWND edit = MakeEdit(ES_AUTOHSCROLL, L"hello");
    EXPECT_EQ(TextOf(edit), L"hello");
    Focus(edit);
    Press(SDLK_END);
    Type(" wörld 中文");
    EXPECT_EQ(TextOf(edit), L"hello wörld 中文");
    auto codes = Notifications(edit);
    ASSERT_EQ(codes.size(), 18u);  // one update and one change per character
    EXPECT_EQ(codes[0], EN_UPDATE);
    EXPECT_EQ(codes[1], EN_CHANGE);
    EXPECT_TRUE(SendMessage(edit, EM_GETMODIFY, 0, 0));

    // Moving the caret or selecting is no change; setting the text is, and
    // clears the modified flag.
    Log().clear();
    Press(SDLK_HOME, KMOD_LSHIFT);
    SendMessage(edit, EM_SETSEL, 0, 2);
    EXPECT_TRUE(Notifications(edit).empty());
    SetWindowText(edit, L"new");
    EXPECT_EQ(Notifications(edit), (std::vector<WORD>{EN_UPDATE, EN_CHANGE}));
    EXPECT_FALSE(SendMessage(edit, EM_GETMODIFY, 0, 0));
}

TEST_F(EditWindowTest, TheCaretFollowsTheTextWhileFocused) {
    HWND edit = MakeEdit(ES_AUTOHSCROLL | ES_RIGHT, L"", 120);
    POINT at;
    EXPECT_FALSE(GetCaretPos(&at));
    Focus(edit);
    ASSERT_TRUE(GetCaretPos(&at));
    EXPECT_GT(at.x, 100);  // right-aligned: the empty line ends at the right
    SendMessage(edit, EM_SETSEL, 0, 0);
    SetWindowLong(edit, GWL_STYLE, GetWindowLong(edit, GWL_STYLE) & ~static_cast<LONG>(ES_RIGHT));
    Type("a");
    ASSERT_TRUE(GetCaretPos(&at));
    int afterOne = at.x;
    EXPECT_LT(afterOne, 20);
    Type("bcdefghijklmnopqrstuvwxyz0123456789");
    ASSERT_TRUE(GetCaretPos(&at));
    EXPECT_GT(at.x, afterOne);
    EXPECT_LE(at.x, 120) << "scrolled to keep the caret inside";
    Press(SDLK_HOME);
    ASSERT_TRUE(GetCaretPos(&at));
    EXPECT_EQ(at.x, 1);  // the left margin, scrolled back
    SetFocus(nullptr);
    EXPECT_FALSE(GetCaretPos(&at));
}

TEST_F(EditWindowTest, KeyboardSelectionCopyAndPasteThroughTheClipboard) {
    HWND edit = MakeEdit(ES_AUTOHSCROLL, L"alpha beta gamma");
    Focus(edit);
    Press(SDLK_HOME);
    Press(SDLK_RIGHT, KMOD_LCTRL);
    Press(SDLK_RIGHT, KMOD_LCTRL | KMOD_LSHIFT);
    EXPECT_EQ(Selection(edit), (std::pair<DWORD, DWORD>{6, 11}));
    Press(SDLK_c, KMOD_LCTRL);
    Press(SDLK_END);
    Press(SDLK_v, KMOD_LCTRL);
    EXPECT_EQ(TextOf(edit), L"alpha beta gammabeta ");
    Press(SDLK_a, KMOD_LCTRL);
    Press(SDLK_x, KMOD_LCTRL);
    EXPECT_EQ(TextOf(edit), L"");
    Press(SDLK_z, KMOD_LCTRL);
    EXPECT_EQ(TextOf(edit), L"alpha beta gammabeta ");
    EXPECT_EQ(Selection(edit), (std::pair<DWORD, DWORD>{0, 21}));  // as before the cut
    Press(SDLK_END);
    Press(SDLK_BACKSPACE);
    Press(SDLK_LEFT);
    Press(SDLK_DELETE);
    EXPECT_EQ(TextOf(edit), L"alpha beta gammabet");

    // What was cut is on the clipboard for another edit.
    HWND other = MakeEdit(ES_AUTOHSCROLL);
    Focus(other);
    Press(SDLK_v, KMOD_LCTRL);
    EXPECT_EQ(TextOf(other), L"alpha beta gammabeta ");
}

TEST_F(EditWindowTest, MouseDragShiftClickAndDoubleClickSelect) {
    HWND edit = MakeEdit(ES_AUTOHSCROLL, L"hello world");
    Focus(edit);
    Click(150, 12);  // past the end of the text
    EXPECT_EQ(GetFocus(), edit);
    EXPECT_EQ(Selection(edit), (std::pair<DWORD, DWORD>{11, 11}));
    platform::seam::MouseButton(top, SDL_BUTTON_LEFT, true, 10 + 1, 22);
    platform::seam::MouseMove(top, 10 + 150, 22);
    platform::seam::MouseButton(top, SDL_BUTTON_LEFT, false, 10 + 150, 22);
    RunPendingMessages();
    EXPECT_EQ(Selection(edit), (std::pair<DWORD, DWORD>{0, 11}));
    EXPECT_EQ(GetCapture(), nullptr);
    Click(1, 12);
    Click(150, 12, 1, KMOD_LSHIFT);
    EXPECT_EQ(Selection(edit), (std::pair<DWORD, DWORD>{0, 11}));
    Click(3, 12, 2);
    EXPECT_EQ(Selection(edit), (std::pair<DWORD, DWORD>{0, 5}));
}

TEST_F(EditWindowTest, PasswordIsTypedAndShownMaskedButNeverCopied) {
    HWND plain = MakeEdit(ES_AUTOHSCROLL, L"on the clipboard");
    SendMessage(plain, EM_SETSEL, 0, -1);
    SendMessage(plain, WM_COPY, 0, 0);
    HWND secret = MakeEdit(ES_AUTOHSCROLL | ES_PASSWORD);
    EXPECT_EQ(SendMessage(secret, EM_GETPASSWORDCHAR, 0, 0), L'*');
    Focus(secret);
    Type("abc");
    EXPECT_EQ(TextOf(secret), L"abc");
    Press(SDLK_a, KMOD_LCTRL);
    Press(SDLK_c, KMOD_LCTRL);
    Press(SDLK_x, KMOD_LCTRL);
    EXPECT_EQ(TextOf(secret), L"abc");
    SendMessage(plain, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    SendMessage(plain, WM_PASTE, 0, 0);
    EXPECT_EQ(TextOf(plain), L"on the clipboard");

    // Drawn exactly like three asterisks.
    SetFocus(nullptr);
    SetWindowText(plain, L"***");
    RunPendingMessages();
    RECT a;
    RECT b;
    HBITMAP buffer = platform::WindowBackBuffer(secret, &a);
    platform::WindowBackBuffer(plain, &b);
    ASSERT_NE(buffer, nullptr);
    cairo_surface_flush(buffer);
    int stride = cairo_image_surface_get_stride(buffer);
    const unsigned char* pixels = cairo_image_surface_get_data(buffer);
    int inked = 0;
    for (int y = 0; y < 24; ++y) {
        const unsigned char* rowA = pixels + (a.top + y) * stride + a.left * 4;
        const unsigned char* rowB = pixels + (b.top + y) * stride + b.left * 4;
        ASSERT_EQ(std::memcmp(rowA, rowB, 200 * 4), 0) << "row " << y;
        for (int x = 0; x < 200; ++x) {
            inked += rowA[x * 4] < 128 ? 1 : 0;
        }
    }
    EXPECT_GT(inked, 10);

    // Without a password character the text shows again.
    SendMessage(secret, EM_SETPASSWORDCHAR, 0, 0);
    EXPECT_EQ(GetWindowLong(secret, GWL_STYLE) & ES_PASSWORD, 0);
}

TEST_F(EditWindowTest, NumberOnlyLimitAndReadOnlyRefuseInput) {
    HWND edit = MakeEdit(ES_NUMBER);
    Focus(edit);
    Type("1a2");
    EXPECT_EQ(TextOf(edit), L"12");
    HWND source = MakeEdit(0, L"3x");
    SendMessage(source, EM_SETSEL, 0, -1);
    SendMessage(source, WM_COPY, 0, 0);
    SendMessage(edit, WM_PASTE, 0, 0);
    EXPECT_EQ(TextOf(edit), L"12");

    SendMessage(edit, EM_LIMITTEXT, 3, 0);
    EXPECT_EQ(SendMessage(edit, EM_GETLIMITTEXT, 0, 0), 3);
    Type("3456");
    EXPECT_EQ(TextOf(edit), L"123");

    EXPECT_TRUE(SendMessage(edit, EM_SETREADONLY, TRUE, 0));
    EXPECT_NE(GetWindowLong(edit, GWL_STYLE) & ES_READONLY, 0);
    Press(SDLK_BACKSPACE);
    EXPECT_EQ(TextOf(edit), L"123");
    Log().clear();
    SendMessage(edit, EM_SETREADONLY, FALSE, 0);
    Press(SDLK_BACKSPACE);
    EXPECT_EQ(TextOf(edit), L"12");
    EXPECT_EQ(Notifications(edit), (std::vector<WORD>{EN_UPDATE, EN_CHANGE}));
}

TEST_F(EditWindowTest, ReturnBreaksLinesOnlyInAMultiLineEdit) {
    HWND single = MakeEdit(0, L"one");
    Focus(single);
    Press(SDLK_END);
    Press(SDLK_RETURN);
    EXPECT_EQ(TextOf(single), L"one");
    HWND multi = MakeEdit(ES_MULTILINE, L"one");
    Focus(multi);
    Press(SDLK_END);
    Press(SDLK_RETURN);
    Type("two");
    EXPECT_EQ(TextOf(multi), L"one\ntwo");
    Press(SDLK_UP);
    EXPECT_EQ(Selection(multi), (std::pair<DWORD, DWORD>{3, 3}));
}

TEST_F(EditWindowTest, CompositionShowsWithoutChangingTheTextUntilCommitted) {
    HWND edit = MakeEdit(ES_AUTOHSCROLL, L"a");
    Focus(edit);
    Press(SDLK_END);
    int before = InkedPixels(edit);
    Log().clear();
    platform::seam::Composition(top, "zhong", 5);
    RunPendingMessages();
    EXPECT_GT(InkedPixels(edit), before + 20) << "the composition shows";
    EXPECT_EQ(TextOf(edit), L"a");
    EXPECT_TRUE(Notifications(edit).empty());
    Type("中");
    EXPECT_EQ(TextOf(edit), L"a中");
    platform::seam::Composition(top, "", 0);
    RunPendingMessages();
    EXPECT_EQ(TextOf(edit), L"a中");
}

TEST_F(EditWindowTest, ParentColoursPaintTheEditAndReadOnlyAsksForStaticColours) {
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
    HDC asked = nullptr;
    Answers() = [&](HWND, UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_CTLCOLOREDIT) {
            asked = reinterpret_cast<HDC>(wParam);
            EXPECT_EQ(GetTextColor(asked), RGB(0, 0, 0));  // the edit's defaults come first
            SetTextColor(asked, RGB(255, 0, 0));
            SetBkMode(asked, TRANSPARENT);
            return reinterpret_cast<LRESULT>(blue);
        }
        return std::nullopt;
    };
    HWND edit = MakeEdit(0, L"WWWW");
    auto colour = Of(top, WM_CTLCOLOREDIT);
    ASSERT_FALSE(colour.empty());
    EXPECT_NE(asked, nullptr);
    EXPECT_EQ(reinterpret_cast<HWND>(colour.back().lParam), edit);
    EXPECT_EQ(platform::seam::PresentedPixel(top, 10 + 190, 10 + 20), 0x0000FFu);
    bool red = false;
    for (int x = 10; x < 50 && !red; ++x) {
        for (int y = 10; y < 34 && !red; ++y) {
            std::uint32_t p = platform::seam::PresentedPixel(top, x, y);
            red = (p >> 16) > 0xC0 && (p & 0xFF) < 0x40;
        }
    }
    EXPECT_TRUE(red) << "text in the parent's colour";

    Log().clear();
    SendMessage(edit, EM_SETREADONLY, TRUE, 0);
    RunPendingMessages();
    EXPECT_TRUE(Of(top, WM_CTLCOLOREDIT).empty());
    EXPECT_FALSE(Of(top, WM_CTLCOLORSTATIC).empty());
    Answers() = nullptr;
    DeleteObject(blue);
}

TEST_F(EditWindowTest, MarginsSelectionMessagesAndFontAreKept) {
    HWND edit = MakeEdit(0, L"abcdef");
    SendMessage(edit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(0, 0));
    EXPECT_EQ(SendMessage(edit, EM_GETMARGINS, 0, 0), 0);
    SendMessage(edit, EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(9, 4));
    EXPECT_EQ(SendMessage(edit, EM_GETMARGINS, 0, 0), MAKELRESULT(0, 4));
    EXPECT_EQ(SendMessage(edit, EM_SETSEL, 1, 3), 0);
    EXPECT_EQ(SendMessage(edit, EM_GETSEL, 0, 0), MAKELRESULT(1, 3));
    SendMessage(edit, EM_SETSEL, 2, -1);
    EXPECT_EQ(Selection(edit), (std::pair<DWORD, DWORD>{2, 6}));
    SendMessage(edit, EM_SETSEL, static_cast<WPARAM>(-1), 0);
    EXPECT_EQ(Selection(edit), (std::pair<DWORD, DWORD>{6, 6}));
    // A bigger font: the same text grows wider; the handle stays the caller's.
    int before = InkedPixels(edit);
    platform::FontHandle font(
        CreateFont(-24, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, L"sans-serif"));
    SendMessage(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    RunPendingMessages();
    EXPECT_EQ(SendMessage(edit, WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(font.get()));
    EXPECT_GT(InkedPixels(edit), 2 * before);
    SendMessage(edit, WM_SETFONT, 0, TRUE);
    wchar_t small[4];
    EXPECT_EQ(GetWindowText(edit, small, 4), 3);
    EXPECT_STREQ(small, L"abc");
}

// A window class built on "Edit" the way a wrapper superclasses it.
WNDPROC g_editProc = nullptr;
int g_superclassMessages = 0;

LRESULT CALLBACK SuperProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    ++g_superclassMessages;
    return CallWindowProc(g_editProc, hwnd, message, wParam, lParam);
}

TEST_F(EditWindowTest, CanBeSuperclassedAndMadeAndDestroyedManyTimes) {
    WNDCLASS wc;
    ASSERT_TRUE(GetClassInfo(nullptr, WC_EDIT, &wc));
    g_editProc = wc.lpfnWndProc;
    wc.lpfnWndProc = SuperProc;
    wc.lpszClassName = L"TestEditWnd";
    RegisterClass(&wc);
    top = Top(0, 0, 320, 200);
    HWND edit = CreateWindowEx(0, L"TestEditWnd", L"x", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, top,
                               nullptr, nullptr, nullptr);
    ASSERT_NE(edit, nullptr);
    SetWindowText(edit, L"through the superclass");
    EXPECT_EQ(TextOf(edit), L"through the superclass");
    EXPECT_GT(g_superclassMessages, 0);
    DestroyWindow(edit);
    // The leak check of the sanitizer build watches this.
    for (int i = 0; i < 1000; ++i) {
        HWND made = CreateWindowEx(0, WC_EDIT, L"text", WS_CHILD | WS_VISIBLE | ES_PASSWORD, 0, 0,
                                   100, 20, top, nullptr, nullptr, nullptr);
        ASSERT_NE(made, nullptr);
        SendMessage(made, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(L"more"));
        DestroyWindow(made);
    }
    RunPendingMessages();
    UnregisterClass(L"TestEditWnd", nullptr);
}

}  // namespace
