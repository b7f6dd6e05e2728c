// The caret: drawn inverted over the window's image (not into it), clipped
// to its window, moved, blinking, and gone with its window.

#include <cairo.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <thread>

#include "platform/window/display/display_seam.h"
#include "tests/platform/window/paint_solid.h"
#include "tests/platform/window/window_test_support.h"

namespace {

using namespace window_testing;
using platform::seam::PresentedPixel;
using platform::seam::RunPendingMessages;

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kBlack = 0x000000;

// Runs the loop until `done` holds; false after `limit`.
bool RunUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    auto deadline = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < deadline) {
        RunPendingMessages();
        if (done()) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}

std::uint32_t BufferPixel(HWND hwnd, int x, int y) {
    RECT area;
    HBITMAP buffer = platform::WindowBackBuffer(hwnd, &area);
    std::uint32_t pixel = 0;
    cairo_surface_flush(buffer);
    std::memcpy(&pixel,
                cairo_image_surface_get_data(buffer) +
                    (area.top + y) * cairo_image_surface_get_stride(buffer) + (area.left + x) * 4,
                4);
    return pixel & 0xFFFFFF;
}

TEST_F(WindowTest, CaretIsDrawnOverItsWindowMovesAndBlinks) {
    HWND top = Top(0, 0, 200, 100);
    HWND child = MakeChild(top, 20, 10, 100, 50);
    Answers() = [](HWND hwnd, UINT message, WPARAM, LPARAM) {
        return PaintSolid(hwnd, message, 1, 1, 1);
    };
    RunPendingMessages();

    ASSERT_TRUE(CreateCaret(child, nullptr, 2, 16));
    ASSERT_TRUE(SetCaretPos(5, 4));
    EXPECT_EQ(PresentedPixel(top, 25, 14), kWhite) << "a new caret is hidden";
    ASSERT_TRUE(ShowCaret(child));
    EXPECT_EQ(PresentedPixel(top, 25, 14), kBlack);
    EXPECT_EQ(PresentedPixel(top, 26, 29), kBlack);
    EXPECT_EQ(PresentedPixel(top, 27, 14), kWhite);
    EXPECT_EQ(PresentedPixel(top, 25, 30), kWhite);
    EXPECT_EQ(BufferPixel(child, 5, 4), kWhite) << "the caret is not painted into the window";
    POINT at;
    ASSERT_TRUE(GetCaretPos(&at));
    EXPECT_EQ(at, (POINT{5, 4}));

    // A window repainted under the caret keeps it.
    InvalidateRect(child, nullptr, TRUE);
    RunPendingMessages();
    EXPECT_EQ(PresentedPixel(top, 25, 14), kBlack);

    SetCaretPos(50, 20);
    EXPECT_EQ(PresentedPixel(top, 25, 14), kWhite);
    EXPECT_EQ(PresentedPixel(top, 70, 30), kBlack);
    // Clipped to its window: half of it beyond the right edge is not drawn.
    SetCaretPos(99, 0);
    EXPECT_EQ(PresentedPixel(top, 119, 10), kBlack);
    EXPECT_EQ(PresentedPixel(top, 120, 10), kWhite);
    SetCaretPos(50, 20);

    auto blink = std::chrono::milliseconds(GetCaretBlinkTime());
    EXPECT_TRUE(RunUntil([&] { return PresentedPixel(top, 70, 30) == kWhite; }, 4 * blink))
        << "the caret never blinked off";
    EXPECT_TRUE(RunUntil([&] { return PresentedPixel(top, 70, 30) == kBlack; }, 4 * blink))
        << "the caret never came back on";

    // Hiding counts: two hides need two shows.
    HideCaret(child);
    HideCaret(child);
    EXPECT_EQ(PresentedPixel(top, 70, 30), kWhite);
    ShowCaret(child);
    EXPECT_EQ(PresentedPixel(top, 70, 30), kWhite);
    ShowCaret(child);
    EXPECT_EQ(PresentedPixel(top, 70, 30), kBlack);

    DestroyWindow(child);
    EXPECT_EQ(PresentedPixel(top, 70, 30), kWhite);
    EXPECT_FALSE(GetCaretPos(&at)) << "the caret goes with its window";
}

}  // namespace
