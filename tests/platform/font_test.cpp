// Font handles: LOGFONT heights as Windows reads them, metrics and extents
// through a DC, and the tooltip drawing in the font it is given.

#include "platform/gdi/font.h"

#include <cairo.h>

#include <cstdlib>

#include "platform/gdi/system_values.h"
#include "tests/platform/window/window_test_support.h"

namespace {

using namespace window_testing;

struct Dc {
    Dc() {
        surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 8, 8);
        dc = cairo_create(surface);
    }
    ~Dc() {
        cairo_destroy(dc);
        cairo_surface_destroy(surface);
    }
    cairo_surface_t* surface;
    HDC dc;
};

platform::FontHandle Font(int height, int weight = FW_NORMAL,
                          const wchar_t* face = L"Microsoft YaHei") {
    return platform::FontHandle(CreateFont(height, 0, 0, 0, weight, FALSE, FALSE, FALSE,
                                           DEFAULT_CHARSET, 0, 0, 0, 0, face));
}

TEXTMETRIC MetricsOf(HFONT font) {
    Dc dc;
    SelectObject(dc.dc, font);
    TEXTMETRIC tm;
    EXPECT_TRUE(GetTextMetrics(dc.dc, &tm));
    return tm;
}

TEST(Fonts, NegativeHeightIsThePixelSizeAndPositiveTheCellHeight) {
    auto twelve = Font(-12);
    auto twentyFour = Font(-24, FW_BOLD);
    ASSERT_TRUE(twelve && twentyFour);
    EXPECT_EQ(platform::FontSpecOf(twelve.get()).size, 12);
    EXPECT_TRUE(platform::FontSpecOf(twentyFour.get()).bold);

    TEXTMETRIC small = MetricsOf(twelve.get());
    TEXTMETRIC large = MetricsOf(twentyFour.get());
    EXPECT_EQ(small.tmHeight, small.tmAscent + small.tmDescent);
    EXPECT_GE(small.tmHeight, 12);
    EXPECT_GT(small.tmAveCharWidth, 0);
    EXPECT_GT(large.tmHeight, small.tmHeight + 8);
    EXPECT_GT(large.tmAveCharWidth, small.tmAveCharWidth);
    EXPECT_EQ(large.tmWeight, FW_BOLD);

    // A positive height asks for the whole cell: the em size comes out smaller.
    auto cell = Font(24);
    TEXTMETRIC byCell = MetricsOf(cell.get());
    EXPECT_LT(platform::FontSpecOf(cell.get()).size, 24);
    EXPECT_LE(std::abs(byCell.tmHeight - 24), 1);

    // GetObject gives the LOGFONT back as it was asked for.
    LOGFONT back;
    ASSERT_EQ(GetObject(twentyFour.get(), sizeof back, &back), static_cast<int>(sizeof back));
    EXPECT_EQ(back.lfHeight, -24);
    EXPECT_EQ(back.lfWeight, FW_BOLD);
    EXPECT_EQ(std::wstring(back.lfFaceName), L"Microsoft YaHei");
    EXPECT_EQ(GetObject(twentyFour.get(), 0, nullptr), static_cast<int>(sizeof back));
}

TEST(Fonts, ExtentsGrowWithTextAndFont) {
    auto font = Font(-12);
    Dc dc;
    EXPECT_EQ(SelectObject(dc.dc, font.get()), nullptr);
    SIZE narrow;
    SIZE wide;
    SIZE han;
    SIZE none;
    ASSERT_TRUE(GetTextExtentPoint32(dc.dc, L"iiii", 4, &narrow));
    ASSERT_TRUE(GetTextExtentPoint32(dc.dc, L"WWWW", 4, &wide));
    ASSERT_TRUE(GetTextExtentPoint32(dc.dc, L"加速器版本", 5, &han));
    ASSERT_TRUE(GetTextExtentPoint32(dc.dc, L"", 0, &none));
    EXPECT_GT(wide.cx, narrow.cx);
    // Han glyphs are square, about one em each (the fallback face has them).
    EXPECT_GE(han.cx, 5 * 11);
    EXPECT_LE(han.cx, 5 * 13);
    EXPECT_GE(narrow.cy, 12);
    EXPECT_EQ(none.cx, 0);

    auto bigger = Font(-24);
    EXPECT_EQ(SelectObject(dc.dc, bigger.get()), font.get());
    SIZE big;
    GetTextExtentPoint32(dc.dc, L"WWWW", 4, &big);
    EXPECT_GT(big.cx, wide.cx * 3 / 2);
}

TEST(Fonts, FaceNamesLongerThanLogfontHoldsAreRefused) {
    std::wstring longFace(LF_FACESIZE, L'x');
    EXPECT_EQ(CreateFont(-12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, longFace.c_str()), nullptr);
    EXPECT_EQ(platform::CreateFontFromSpec(platform::FontSpec{longFace, 12}), nullptr);
}

TEST_F(WindowTest, TooltipTakesItsFontFromWmSetFont) {
    HWND owner = Top(100, 100, 300, 200);
    HWND tip =
        CreateWindowEx(0, L"tooltips_class32", nullptr, WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT,
                       CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, nullptr, nullptr);
    ASSERT_NE(tip, nullptr);
    TOOLINFO info;
    info.hwnd = owner;
    info.lpszText = L"升级完成";
    SendMessage(tip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&info));
    RECT plain;
    GetWindowRect(tip, &plain);
    EXPECT_EQ(SendMessage(tip, WM_GETFONT, 0, 0), 0);

    auto big = Font(-30);
    SendMessage(tip, WM_SETFONT, reinterpret_cast<WPARAM>(big.get()), TRUE);
    EXPECT_EQ(SendMessage(tip, WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(big.get()));
    RECT large;
    GetWindowRect(tip, &large);
    EXPECT_GT(large.bottom - large.top, plain.bottom - plain.top + 10);
    EXPECT_GT(large.right - large.left, plain.right - plain.left + 40);
    DestroyWindow(tip);
}

TEST(SystemValues, SchemeColoursAndPixelsPerInch) {
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), RGB(255, 255, 255));
    EXPECT_EQ(GetSysColor(COLOR_WINDOWTEXT), RGB(0, 0, 0));
    EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), RGB(0, 120, 215));
    EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHTTEXT), RGB(255, 255, 255));
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(240, 240, 240));
    EXPECT_EQ(GetRValue(GetSysColor(COLOR_INFOBK)), 255);
    EXPECT_EQ(GetBValue(GetSysColor(COLOR_INFOBK)), 225);
    EXPECT_EQ(GetSysColor(-1), 0u);
    EXPECT_EQ(GetSysColor(31), 0u);
    // The tests run offscreen.
    EXPECT_EQ(GetDeviceCaps(nullptr, LOGPIXELSX), 96);
    EXPECT_EQ(GetDeviceCaps(nullptr, LOGPIXELSY), 96);
}

}  // namespace
