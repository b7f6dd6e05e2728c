#include <filesystem>

#include "platform/window/display/display_seam.h"
#include "tests/platform/window/paint_solid.h"
#include "tests/platform/window/window_test_support.h"

namespace {

using namespace window_testing;
using platform::seam::PresentedPixel;
using platform::seam::RunPendingMessages;

std::uint32_t BufferPixel(cairo_surface_t* surface, int x, int y) {
    cairo_surface_flush(surface);
    auto* row = cairo_image_surface_get_data(surface) + y * cairo_image_surface_get_stride(surface);
    return reinterpret_cast<const std::uint32_t*>(row)[x];
}

TEST_F(WindowTest, ChildWindowsAreCompositedOverTheirParent) {
    HWND top = Top(0, 0, 120, 80);
    HWND child = MakeChild(top, 20, 10, 40, 30);
    MakeChild(child, 30, 20, 40, 40);  // sticks out of its parent
    Answers() = [&](HWND hwnd, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (hwnd == top) {
            return PaintSolid(hwnd, message, 1, 0, 0);
        }
        if (hwnd == child) {
            return PaintSolid(hwnd, message, 0, 0, 1);
        }
        return PaintSolid(hwnd, message, 0, 1, 0);
    };
    RunPendingMessages();
    EXPECT_EQ(PresentedPixel(top, 5, 5), 0xFF0000u);
    EXPECT_EQ(PresentedPixel(top, 25, 15), 0x0000FFu);
    EXPECT_EQ(PresentedPixel(top, 55, 35), 0x00FF00u);
    EXPECT_EQ(PresentedPixel(top, 65, 35), 0xFF0000u);  // cut at the child's edge

    // Repainting the parent alone brings the children back on top.
    Log().clear();
    InvalidateRect(top, nullptr, FALSE);
    RunPendingMessages();
    EXPECT_EQ(Of(child, WM_PAINT).size(), 1u);
    EXPECT_EQ(PresentedPixel(top, 25, 15), 0x0000FFu);

    // Moving the child repaints where it was.
    MoveWindow(child, 60, 40, 40, 30, TRUE);
    RunPendingMessages();
    EXPECT_EQ(PresentedPixel(top, 25, 15), 0xFF0000u);
    EXPECT_EQ(PresentedPixel(top, 65, 45), 0x0000FFu);

    RECT area{};
    cairo_surface_t* buffer = platform::WindowBackBuffer(child, &area);
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(area, (RECT{60, 40, 100, 70}));
    EXPECT_EQ(BufferPixel(buffer, 61, 41), 0xFF0000FFu);

    auto file = std::filesystem::temp_directory_path() / "vantu_window_paint_test.png";
    ASSERT_TRUE(platform::WriteWindowPng(child, file));
    cairo_surface_t* png = cairo_image_surface_create_from_png(file.string().c_str());
    ASSERT_EQ(cairo_surface_status(png), CAIRO_STATUS_SUCCESS);
    EXPECT_EQ(cairo_image_surface_get_width(png), 40);
    EXPECT_EQ(BufferPixel(png, 1, 1), 0xFF0000FFu);
    cairo_surface_destroy(png);
    std::filesystem::remove(file);
}

TEST_F(WindowTest, DrawingThroughGetDcIsShownOnRelease) {
    HWND top = Top(0, 0, 60, 40);
    HWND child = MakeChild(top, 10, 10, 20, 20);
    RunPendingMessages();
    HDC dc = GetDC(child);
    ASSERT_NE(dc, nullptr);
    cairo_set_source_rgb(dc, 0, 1, 0);
    cairo_paint(dc);  // clipped to the child
    ReleaseDC(child, dc);
    EXPECT_EQ(PresentedPixel(top, 15, 15), 0x00FF00u);
    EXPECT_NE(PresentedPixel(top, 5, 5), 0x00FF00u);
    EXPECT_NE(PresentedPixel(top, 35, 35), 0x00FF00u);

    // Printing a window gives what it painted.
    cairo_surface_t* copy = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 20, 20);
    cairo_t* print = cairo_create(copy);
    SendMessage(child, WM_PRINT, reinterpret_cast<WPARAM>(print), 0x35);
    cairo_destroy(print);
    EXPECT_EQ(BufferPixel(copy, 19, 19), 0xFF00FF00u);
    cairo_surface_destroy(copy);
}

// The upgrade window fed by a download is invalidated again before each of
// its paints ends; a box opened over it must still paint (and lay out) soon.
TEST_F(WindowTest, AWindowThatIsAlwaysInvalidKeepsNoOtherFromPainting) {
    HWND busy = Top(0, 0, 60, 40);
    HWND box = Top(10, 10, 30, 20);
    Answers() = [&](HWND hwnd, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        auto answer = PaintSolid(hwnd, message, 1, 0, 0);
        if (answer && hwnd == busy) {
            InvalidateRect(busy, nullptr, FALSE);
        }
        return answer;
    };
    MSG msg;
    for (int i = 0; i < 10 && PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
        DispatchMessage(&msg);
    }
    EXPECT_GE(Of(busy, WM_PAINT).size(), 2u);
    ASSERT_EQ(Of(box, WM_PAINT).size(), 1u) << "the box never painted";

    // And again after it is invalidated while the other one keeps asking.
    InvalidateRect(box, nullptr, FALSE);
    for (int i = 0; i < 4 && PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
        DispatchMessage(&msg);
    }
    EXPECT_EQ(Of(box, WM_PAINT).size(), 2u);
    Answers() = nullptr;
    DestroyWindow(busy);
}

TEST_F(WindowTest, HiddenAndMinimisedWindowsAreNotPainted) {
    HWND top = Top(0, 0, 50, 50, WS_POPUP);
    InvalidateRect(top, nullptr, FALSE);
    RunPendingMessages();
    EXPECT_TRUE(Of(top, WM_PAINT).empty());
    ShowWindow(top, SW_SHOWNA);
    EXPECT_EQ(GetActiveWindow() == top, false);
    RunPendingMessages();
    EXPECT_EQ(Of(top, WM_PAINT).size(), 1u);
    ShowWindow(top, SW_MINIMIZE);
    EXPECT_TRUE(IsIconic(top));
    InvalidateRect(top, nullptr, FALSE);
    RunPendingMessages();
    EXPECT_EQ(Of(top, WM_PAINT).size(), 1u);
    ShowWindow(top, SW_RESTORE);
    RunPendingMessages();
    EXPECT_EQ(Of(top, WM_PAINT).size(), 2u);
    // A region is accepted (shaped where the display can) and repaints.
    EXPECT_EQ(SetWindowRgn(top, CreateRoundRectRgn(0, 0, 51, 51, 8, 8), TRUE), 1);
    RunPendingMessages();
    EXPECT_EQ(Of(top, WM_PAINT).size(), 3u);
}

}  // namespace

namespace {

using namespace window_testing;

TEST_F(WindowTest, TooltipsShowTheToolTextAtTheTrackedPointWithoutActivation) {
    HWND owner = Top(100, 100, 300, 200);
    platform::seam::RunPendingMessages();
    HWND tip = CreateWindowEx(0, L"tooltips_class32", nullptr,
                              WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, nullptr, nullptr);
    ASSERT_NE(tip, nullptr);
    made.push_back(tip);
    TOOLINFO info;
    info.uFlags = TTF_IDISHWND;
    info.hwnd = owner;
    info.uId = reinterpret_cast<UINT_PTR>(owner);
    info.lpszText = L"升级完成后将自动启动加速器";
    SendMessage(tip, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&info));
    SendMessage(tip, TTM_SETMAXTIPWIDTH, 0, 80);
    EXPECT_FALSE(IsWindowVisible(tip));
    SendMessage(tip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&info));
    SendMessage(tip, TTM_TRACKPOSITION, 0, MAKELPARAM(150, 160));
    EXPECT_TRUE(IsWindowVisible(tip));
    EXPECT_EQ(GetActiveWindow(), owner);
    RECT r;
    GetWindowRect(tip, &r);
    EXPECT_EQ(r.left, 150);
    EXPECT_GT(r.top, 160);
    EXPECT_LE(r.right - r.left, 80 + 8);
    EXPECT_GT(r.bottom - r.top, 30);  // wrapped onto several lines
    platform::seam::RunPendingMessages();
    EXPECT_EQ(platform::seam::PresentedPixel(tip, 2, 2), 0xFFFFE1u);
    SendMessage(tip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&info));
    EXPECT_FALSE(IsWindowVisible(tip));
    // The owner going takes its tooltip with it.
    DestroyWindow(owner);
    EXPECT_FALSE(IsWindow(tip));
}

}  // namespace

namespace {

using namespace window_testing;

TEST_F(WindowTest, LayeredWindowsShowTheImageTheyAreGiven) {
    HWND hwnd = CreateWindowEx(WS_EX_LAYERED, TestClass(), L"layered", WS_POPUP | WS_VISIBLE, 0, 0,
                               40, 30, nullptr, nullptr, nullptr, nullptr);
    made.push_back(hwnd);
    cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 60, 40);
    cairo_t* dc = cairo_create(image);
    cairo_set_source_rgb(dc, 0, 0, 1);
    cairo_paint(dc);
    POINT at{5, 6};
    SIZE size{60, 40};
    POINT from{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 200, AC_SRC_ALPHA};
    ASSERT_TRUE(UpdateLayeredWindow(hwnd, nullptr, &at, &size, dc, &from, 0, &blend, ULW_ALPHA));
    RECT r;
    GetWindowRect(hwnd, &r);
    EXPECT_EQ(r, (RECT{5, 6, 65, 46}));
    EXPECT_EQ(platform::seam::PresentedPixel(hwnd, 50, 35), 0x0000FFu);
    cairo_destroy(dc);
    cairo_surface_destroy(image);
    HWND plain = Top(0, 0, 10, 10);
    EXPECT_FALSE(UpdateLayeredWindow(plain, nullptr, nullptr, nullptr, nullptr, nullptr, 0, nullptr,
                                     ULW_ALPHA));
}

}  // namespace
