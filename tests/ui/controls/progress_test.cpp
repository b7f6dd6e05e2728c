#include <gtest/gtest.h>

#include "tests/ui/render/render_test_support.h"
#include "ui/control/basic/progress.h"
#include "ui/core/manager/window_manager.h"

namespace {

using namespace VantuUI;
using render_testing::Canvas;

bool IsRed(std::uint32_t pixel) {
    return ((pixel >> 16) & 0xFF) > 200 && ((pixel >> 8) & 0xFF) < 60;
}

class ProgressPaint : public ::testing::Test {
  protected:
    void SetUp() override {
        bar.ApplyAttributeString(L"foreimage=\"color='#FFFF0000'\"");
        bar.AttachToManager(&manager, nullptr, false);
    }
    // Red pixels along a line through the middle of a freshly painted bar.
    int FilledAlong(RECT item) {
        bar.SetItemRect(item, false);
        Canvas canvas(item.right, item.bottom);
        bar.Paint(canvas.dc, item, nullptr);
        int red = 0;
        if (bar.IsHorizontal()) {
            for (int x = 0; x < item.right; ++x) {
                red += IsRed(canvas.At(x, item.bottom / 2)) ? 1 : 0;
            }
        } else {
            for (int y = 0; y < item.bottom; ++y) {
                red += IsRed(canvas.At(item.right / 2, y)) ? 1 : 0;
            }
        }
        return red;
    }

    CWindowManagerUI manager;  // outlives the bar
    CProgressUI bar;
};

TEST_F(ProgressPaint, TheFilledPartIsTheValuesShareOfTheBar) {
    EXPECT_EQ(bar.GetFixedHeight(), 12);
    bar.SetValue(50);
    EXPECT_EQ(FilledAlong(RECT{0, 0, 500, 12}), 250);
    bar.SetValue(150);
    EXPECT_EQ(bar.GetValue(), 100);
    EXPECT_EQ(FilledAlong(RECT{0, 0, 500, 12}), 500);

    bar.ApplyAttributeString(L"hor=\"false\" value=\"25\"");
    EXPECT_EQ(FilledAlong(RECT{0, 0, 12, 100}), 25);
}

TEST_F(ProgressPaint, AnEmptyOrReversedRangeFillsNothingInsteadOfDividingByZero) {
    bar.ApplyAttributeString(L"min=\"10\" max=\"10\" value=\"20\"");
    EXPECT_EQ(bar.GetMinValue(), 10);
    EXPECT_EQ(bar.GetValue(), 10);
    EXPECT_EQ(FilledAlong(RECT{0, 0, 500, 12}), 0);

    bar.ApplyAttributeString(L"min=\"50\" max=\"0\"");
    EXPECT_EQ(bar.GetMaxValue(), 0);  // stored as given
    EXPECT_EQ(FilledAlong(RECT{0, 0, 500, 12}), 0);
}

}  // namespace
