#include "platform/text_services/text_services.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gdi/font_spec.h"

namespace {

using platform::CTextServices;

// A host with a 200 x 100 client area at (10, 20) that records the requests.
class RecordingHost : public platform::ITextHost {
  public:
    RECT TxGetClientRect() override { return client; }
    HWND TxGetWindow() override { return nullptr; }
    platform::FontSpec TxGetFont() override { return platform::FontSpec{}; }
    DWORD TxGetTextColor() override { return 0xFF000000; }
    DWORD TxGetPropertyBits(DWORD mask) override { return bits & mask; }
    DWORD TxGetScrollBars() override { return WS_VSCROLL | ES_AUTOVSCROLL; }
    LONG TxGetMaxLength() override { return limit; }
    wchar_t TxGetPasswordChar() override { return L'*'; }
    DWORD TxGetAlignment() override { return 0; }
    TXTBACKSTYLE TxGetBackStyle() override { return TXTBACK_TRANSPARENT; }
    BOOL TxShowScrollBar(int, BOOL) override { return TRUE; }
    BOOL TxEnableScrollBar(int, int) override { return TRUE; }
    BOOL TxSetScrollRange(int bar, LONG, LONG maximum, BOOL) override {
        if (bar == SB_VERT) {
            verticalMax = maximum;
        }
        return TRUE;
    }
    BOOL TxSetScrollPos(int bar, int position, BOOL) override {
        if (bar == SB_VERT) {
            verticalPos = position;
        }
        return TRUE;
    }
    void TxInvalidateRect(const RECT* rect) override {
        invalidated.push_back(rect != nullptr ? *rect : client);
    }
    void TxViewChange(BOOL) override {}
    BOOL TxCreateCaret(int, int) override { return TRUE; }
    BOOL TxShowCaret(BOOL) override { return TRUE; }
    BOOL TxSetCaretPos(int x, int y) override {
        caret = POINT{x, y};
        return TRUE;
    }
    BOOL TxSetTimer(UINT, UINT) override { return TRUE; }
    void TxKillTimer(UINT) override {}
    void TxSetCapture(BOOL on) override { capture = on != FALSE; }
    void TxSetFocus() override { focusAsked = true; }
    void TxSetCursor(HCURSOR) override {}
    void TxSetImeRect(const RECT&) override {}
    HRESULT TxNotify(DWORD code, void*) override {
        notified.push_back(code);
        return S_OK;
    }
    int Count(DWORD code) const {
        return static_cast<int>(std::count(notified.begin(), notified.end(), code));
    }

    RECT client{10, 20, 210, 120};
    DWORD bits = TXTBIT_MULTILINE | TXTBIT_WORDWRAP | TXTBIT_RICHTEXT;
    LONG limit = 0;
    LONG verticalMax = -1;
    int verticalPos = -1;
    POINT caret{-1, -1};
    bool capture = false;
    bool focusAsked = false;
    std::vector<RECT> invalidated;
    std::vector<DWORD> notified;
};

LPARAM Point(int x, int y) {
    return MAKELPARAM(x, y);
}

std::wstring Lines(int count) {
    std::wstring text;
    for (int i = 0; i < count; ++i) {
        text += L"line " + std::to_wstring(i) + L" 中文\r\n";
    }
    return text;
}

class TextServicesTest : public ::testing::Test {
  protected:
    void Type(const std::wstring& text) {
        for (wchar_t c : text) {
            services.TxSendMessage(WM_CHAR, c, 0);
        }
    }
    void Select(LONG first, LONG last) {
        CHARRANGE range{first, last};
        services.TxSendMessage(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    }
    int LineHeight() const { return platform::MeasureFont(platform::FontSpec{}).height; }

    RecordingHost host;
    CTextServices services{host};
};

TEST_F(TextServicesTest, EveryLineBreakStartsAParagraphAndTheTextReadsBackWithNewlines) {
    services.TxSetText(L"a\r\nb\rc\nd");
    EXPECT_EQ(services.TxGetText(), L"a\nb\nc\nd");
    EXPECT_EQ(services.TxSendMessage(EM_GETTEXTLENGTHEX, 0, 0), 7);
    EXPECT_EQ(services.ContentHeight(), 4 * LineHeight());

    std::wstring buffer(3, L'?');
    GETTEXTEX request;
    request.cb = 3 * sizeof(wchar_t);
    EXPECT_EQ(services.TxSendMessage(EM_GETTEXTEX, reinterpret_cast<WPARAM>(&request),
                                     reinterpret_cast<LPARAM>(buffer.data())),
              2);
    EXPECT_EQ(buffer, std::wstring(L"a\n\0", 3));  // cut to the buffer, terminated
}

TEST_F(TextServicesTest, TypingReplacesTheSelectionAcrossParagraphsAndReportsEachChange) {
    services.TxSetText(L"hello\nworld");
    Select(3, 8);  // "lo\nwo"
    Type(L"X");
    EXPECT_EQ(services.TxGetText(), L"helXrld");
    EXPECT_EQ(host.Count(EN_CHANGE), 1);
    EXPECT_EQ(services.Selection().cpMin, 4);
    EXPECT_EQ(services.Selection().cpMax, 4);

    services.TxSendMessage(WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(services.TxGetText(), L"helX\nrld");
    services.TxSendMessage(WM_KEYDOWN, VK_BACK, 0);
    services.TxSendMessage(WM_KEYDOWN, VK_BACK, 0);
    EXPECT_EQ(services.TxGetText(), L"helrld");
    services.TxSendMessage(WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(services.TxGetText(), L"helld");
    Type(L"\x01\r\t");  // control characters are no text; a tab is
    EXPECT_EQ(services.TxGetText(), L"hel\tld");
    EXPECT_EQ(host.Count(EN_CHANGE), 6);
}

TEST_F(TextServicesTest, TheLimitCutsInsertedTextButNotTheTextSetWhole) {
    services.TxSendMessage(EM_EXLIMITTEXT, 0, 5);
    services.TxSetText(L"abcdefgh");
    EXPECT_EQ(services.TxGetText(), L"abcdefgh");

    services.TxSetText(L"ab");
    Select(-1, 0);
    services.TxSendMessage(EM_SETSEL, 2, 2);
    services.TxSendMessage(EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(L"c\r\nde"));
    EXPECT_EQ(services.TxGetText(), L"abc\nd");  // the break counts as one character
    EXPECT_EQ(host.Count(EN_MAXTEXT), 1);
    Type(L"z");
    EXPECT_EQ(services.TxGetText(), L"abc\nd");
}

TEST_F(TextServicesTest, ReadOnlyTextRefusesTypingDeletionAndReturn) {
    services.TxSetText(L"fixed");
    services.TxSendMessage(EM_SETREADONLY, TRUE, 0);
    Select(0, -1);
    Type(L"x");
    services.TxSendMessage(WM_KEYDOWN, VK_BACK, 0);
    services.TxSendMessage(WM_KEYDOWN, VK_RETURN, 0);
    services.TxSendMessage(WM_CUT, 0, 0);
    EXPECT_EQ(services.TxGetText(), L"fixed");
    EXPECT_EQ(host.Count(EN_CHANGE), 0);
}

TEST_F(TextServicesTest, ASingleLineTextKeepsItsFirstLineOnly) {
    host.bits &= ~TXTBIT_MULTILINE;
    services.OnTxPropertyBitsChange(TXTBIT_MULTILINE, host.bits);
    services.TxSetText(L"one\ntwo");
    EXPECT_EQ(services.TxGetText(), L"one");
    services.TxSendMessage(EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(L"+\r\nmore"));
    services.TxSendMessage(WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(services.TxGetText(), L"+one");  // inserted at the caret, first line only
}

TEST_F(TextServicesTest, ScrollRangeIsTheTextHeightAndPositionsPassTheLowWord) {
    services.TxSetText(Lines(5000));
    const int height = services.ContentHeight();
    EXPECT_EQ(height, 5001 * LineHeight());
    EXPECT_EQ(host.verticalMax, height);
    const int maxScroll = height - 100;

    services.TxSendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(services.ScrollPosition().y, LineHeight());
    EXPECT_EQ(host.verticalPos, LineHeight());
    services.TxSendMessage(WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(services.ScrollPosition().y, LineHeight() + 100);
    // Beyond 65,535 pixels: the position is not cut to 16 bits.
    services.TxSendMessage(WM_VSCROLL, (WPARAM{70000} << 16) | SB_THUMBPOSITION, 0);
    EXPECT_EQ(services.ScrollPosition().y, 70000);
    services.TxSendMessage(WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(services.ScrollPosition().y, maxScroll);
    services.TxSendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(services.ScrollPosition().y, maxScroll);
    services.TxSendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_EQ(services.ScrollPosition().y, maxScroll - 3 * LineHeight());
    services.TxSendMessage(WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(services.ScrollPosition().y, 0);
}

TEST_F(TextServicesTest, WrappingFollowsTheWidthAndEditsReflowOnlyTheirParagraph) {
    const std::wstring longLine(200, L'w');
    services.TxSetText(L"short\n" + longLine + L"\nshort");
    EXPECT_GT(services.TxGetNaturalHeight(60), services.TxGetNaturalHeight(4000));
    EXPECT_EQ(services.TxGetNaturalHeight(4000), 3 * LineHeight());
    const int wrapped = services.ContentHeight();
    EXPECT_GT(wrapped, 3 * LineHeight());

    // An edit inside the first paragraph that keeps its height repaints that paragraph only.
    host.invalidated.clear();
    services.TxSendMessage(EM_SETSEL, 2, 2);
    host.invalidated.clear();
    Type(L"o");
    ASSERT_FALSE(host.invalidated.empty());
    for (const RECT& r : host.invalidated) {
        EXPECT_LE(r.bottom, host.client.top + LineHeight()) << "invalidated below the edit";
    }
    // A wider client unwraps.
    host.client.right = 4000;
    services.OnTxPropertyBitsChange(TXTBIT_CLIENTRECTCHANGE, host.bits);
    EXPECT_EQ(services.ContentHeight(), 3 * LineHeight());
}

TEST_F(TextServicesTest, DragSelectsWithCaptureAndDoubleClickSelectsAWord) {
    services.TxSetText(L"alpha beta gamma\nsecond line");
    services.TxSendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Point(11, 22));
    EXPECT_TRUE(host.focusAsked);
    EXPECT_TRUE(host.capture);
    services.TxSendMessage(WM_MOUSEMOVE, MK_LBUTTON, Point(11, 22 + LineHeight()));
    services.TxSendMessage(WM_LBUTTONUP, 0, Point(11, 22 + LineHeight()));
    EXPECT_FALSE(host.capture);
    EXPECT_EQ(services.Selection().cpMin, 0);
    EXPECT_EQ(services.Selection().cpMax, 17);  // the start of the second line

    // Moving without the button held selects nothing more.
    services.TxSendMessage(WM_MOUSEMOVE, 0, Point(200, 22));
    EXPECT_EQ(services.Selection().cpMax, 17);

    services.TxSetText(L"alpha beta gamma");
    const int betaX =
        10 + static_cast<int>(platform::MeasureText(platform::FontSpec{}, L"alpha b").cx);
    services.TxSendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, Point(betaX, 25));
    EXPECT_EQ(services.Selection().cpMin, 6);
    EXPECT_EQ(services.Selection().cpMax, 10);
}

TEST_F(TextServicesTest, ArrowsCrossParagraphsAndUpDownKeepTheColumn) {
    services.TxSetText(L"abcdef\nxy\nuvwxyz");
    services.TxSendMessage(WM_SETFOCUS, 0, 0);
    services.TxSendMessage(EM_SETSEL, 6, 6);
    services.TxSendMessage(WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(services.Selection().cpMin, 7);  // over the break
    services.TxSendMessage(WM_KEYDOWN, VK_LEFT, 0);
    services.TxSendMessage(WM_KEYDOWN, VK_LEFT, 0);
    EXPECT_EQ(services.Selection().cpMin, 5);
    services.TxSendMessage(WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(services.Selection().cpMin, 9);  // the end of the short line
    services.TxSendMessage(WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(services.Selection().cpMin, 15);  // back to column 5
    services.TxSendMessage(WM_KEYDOWN, VK_HOME, 0);
    EXPECT_EQ(services.Selection().cpMin, 10);
    services.TxSendMessage(WM_KEYDOWN, VK_END, 0);
    EXPECT_EQ(services.Selection().cpMin, 16);
    EXPECT_GT(host.caret.y, 20 + LineHeight());  // the caret followed onto the third line
}

}  // namespace
