#include <gtest/gtest.h>

#include "tests/ui/render/render_test_support.h"
#include "ui/control/basic/label.h"
#include "ui/core/manager/window_manager.h"

namespace {

using namespace VantuUI;
using render_testing::Canvas;
using render_testing::InkOf;

// A label attached to a windowless paint manager, painted into canvases.
class LabelPaint : public ::testing::Test {
  protected:
    void SetUp() override { label.AttachToManager(&manager, nullptr, false); }
    void Configure(const std::wstring& attributes, RECT item) {
        label.ApplyAttributeString(attributes);
        label.SetItemRect(item, false);
    }
    void PaintInto(Canvas& canvas, const RECT& area) { label.Paint(canvas.dc, area, nullptr); }
    // How many pixels of two w x h canvases differ; -1 when the first is blank.
    static int Differences(Canvas& a, Canvas& b, int w, int h) {
        int differ = 0;
        bool inked = false;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                inked = inked || render_testing::Inked(a.At(x, y));
                differ += a.At(x, y) != b.At(x, y) ? 1 : 0;
            }
        }
        return inked ? differ : -1;
    }

    CWindowManagerUI manager;  // outlives the label
    CLabelUI label;
};

TEST_F(LabelPaint, MultiLineTextIsCentredVerticallyEvenWhenTopAligned) {
    const std::wstring text = L"one\ntwo\nthree";
    Configure(L"multiline=\"true\" valign=\"top\" textcolor=\"#FF000000\"", RECT{0, 0, 200, 108});
    label.SetText(text);
    RECT measured{0, 0, 200, 9999};
    RenderEngine::DrawPlainText(nullptr, &manager, measured, text, 0, -1,
                                DT_WORDBREAK | DT_CALCRECT);
    const LONG height = measured.bottom - measured.top;
    ASSERT_LT(height, 108);

    Canvas painted(200, 108);
    PaintInto(painted, RECT{0, 0, 200, 108});
    Canvas expected(200, 108);
    RECT from{0, (108 - height) / 2, 200, 108};
    RenderEngine::DrawPlainText(expected.dc, &manager, from, text, 0xFF000000, -1, DT_WORDBREAK);
    EXPECT_EQ(Differences(painted, expected, 200, 108), 0);
}

TEST_F(LabelPaint, SingleLineTextIsCentredOnceNotPushedBelowTheMiddle) {
    Configure(L"text=\"Centre\" textcolor=\"#FF000000\"", RECT{0, 0, 200, 60});
    Canvas painted(200, 60);
    PaintInto(painted, RECT{0, 0, 200, 60});
    Canvas expected(200, 60);
    RECT all{0, 0, 200, 60};
    RenderEngine::DrawPlainText(expected.dc, &manager, all, L"Centre", 0xFF000000, -1,
                                DT_VCENTER | DT_SINGLELINE);
    EXPECT_EQ(Differences(painted, expected, 200, 60), 0);
}

TEST_F(LabelPaint, AlignmentWordsAreTriedInOrderAndMultiLineSwapsTheLineFlags) {
    Configure(L"align=\"center right\"", RECT{});
    EXPECT_EQ(label.GetTextStyle() & (DT_CENTER | DT_RIGHT), DT_CENTER);
    Configure(L"align=\"right\" valign=\"bottom\"", RECT{});
    EXPECT_EQ(label.GetTextStyle() & (DT_CENTER | DT_RIGHT | DT_VCENTER | DT_BOTTOM),
              DT_RIGHT | DT_BOTTOM);
    Configure(L"align=\"left\" valign=\"top\" endellipsis=\"true\"", RECT{});
    EXPECT_EQ(label.GetTextStyle(), DT_SINGLELINE | DT_END_ELLIPSIS);
    Configure(L"multiline=\"true\"", RECT{});
    EXPECT_EQ(label.GetTextStyle(), DT_WORDBREAK | DT_END_ELLIPSIS);
    Configure(L"multiline=\"false\" width=\"7\"", RECT{});
    EXPECT_EQ(label.GetTextStyle(), DT_WORDBREAK | DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_EQ(label.GetFixedWidth(), 7);  // the control base's attribute
}

TEST_F(LabelPaint, DesiredSizeFollowsTextPaddingAndAvailableWidth) {
    Configure(L"textpadding=\"4,2,6,3\" text=\"abc\"", RECT{});
    const SIZE small = label.GetDesiredSize(SIZE{500, 500});
    EXPECT_EQ(small.cy, 2 + manager.FontHeight(-1) + 3 + 8);
    label.SetText(L"abcabcabc");
    const SIZE wide = label.GetDesiredSize(SIZE{500, 500});
    EXPECT_GT(wide.cx, small.cx + 10);
    EXPECT_EQ(wide.cy, small.cy);

    Configure(L"multiline=\"true\" textpadding=\"0,0,0,0\"", RECT{});
    label.SetText(L"several words that wrap onto more lines when narrow");
    const SIZE roomy = label.GetDesiredSize(SIZE{1000, 0});
    const SIZE narrow = label.GetDesiredSize(SIZE{60, 0});
    EXPECT_EQ(narrow.cx, 60);
    EXPECT_GT(narrow.cy, roomy.cy) << "the cached size ignored a new available width";

    label.SetFixedWidth(80);
    label.SetFixedHeight(30);
    EXPECT_EQ(label.GetDesiredSize(SIZE{60, 0}), (SIZE{80, 30}));
}

TEST_F(LabelPaint, ShadowFollowsItsOffsetWhereverTheLabelStands) {
    manager.RegisterFont(1, L"Sans", 40, true, false, false, false);
    Configure(
        L"font=\"1\" text=\"HH\" enabledeffect=\"true\" enabledshadow=\"true\" "
        L"textcolor=\"#FF000000\" textshadowcolora=\"#FFFF0000\" shadowoffset=\"4,-135\"",
        RECT{20, 100, 220, 180});
    EXPECT_EQ(label.GetShadowOffset().x, 4);
    EXPECT_EQ(label.GetShadowOffset().y, 4);
    // Set again once placed: the place must not creep into the offset.
    label.SetShadowOffset(4, -135);
    EXPECT_EQ(label.GetShadowOffset().x, 4);
    EXPECT_EQ(label.GetShadowOffset().y, 4);

    Canvas canvas(240, 200);
    PaintInto(canvas, RECT{0, 0, 240, 200});
    const RECT text = InkOf(canvas, 240, 200, 0x000000);
    const RECT shadow = InkOf(canvas, 240, 200, 0xFF0000);
    ASSERT_GT(text.right, 0);
    ASSERT_GT(shadow.right, 0);
    EXPECT_NEAR(shadow.right - text.right, 4, 1);
    EXPECT_NEAR(shadow.bottom - text.bottom, 4, 1);
}

TEST_F(LabelPaint, TextGradientRunsOverTheLabelNotTheWindow) {
    manager.RegisterFont(1, L"Sans", 48, true, false, false, false);
    Configure(
        L"font=\"1\" text=\"II\" enabledeffect=\"true\" textcolor=\"#FFFF0000\" "
        L"textcolor1=\"#FF0000FF\"",
        RECT{0, 140, 200, 200});
    Canvas canvas(200, 200);
    PaintInto(canvas, RECT{0, 0, 200, 200});
    RECT ink{200, 200, -1, -1};
    for (int y = 0; y < 200; ++y) {
        for (int x = 0; x < 200; ++x) {
            if (render_testing::Inked(canvas.At(x, y))) {
                ink = RECT{std::min<LONG>(ink.left, x), std::min<LONG>(ink.top, y),
                           std::max<LONG>(ink.right, x + 1), std::max<LONG>(ink.bottom, y + 1)};
            }
        }
    }
    ASSERT_GT(ink.right, 0) << "no text drawn";
    auto redOf = [&](int y) {
        for (int x = ink.left; x < ink.right; ++x) {
            const std::uint32_t p = canvas.At(x, y);
            if (render_testing::Inked(p)) {
                return static_cast<int>((p >> 16) & 0xFF) - static_cast<int>(p & 0xFF);
            }
        }
        return 0;
    };
    // Red at the top of the glyphs, blue at their foot.
    EXPECT_GT(redOf(ink.top + 1), 0);
    EXPECT_LT(redOf(ink.bottom - 2), 0);
}

TEST_F(LabelPaint, OutlineAndGlowReachBeyondThePlainText) {
    manager.RegisterFont(1, L"Sans", 32, true, false, false, false);
    Configure(L"font=\"1\" text=\"HH\" enabledeffect=\"true\" textcolor=\"#FF000000\"",
              RECT{0, 0, 200, 60});
    auto inkedBox = [&](const std::wstring& more) {
        label.ApplyAttributeString(more);
        Canvas canvas(200, 60);
        PaintInto(canvas, RECT{0, 0, 200, 60});
        RECT box{200, 60, -1, -1};
        for (int y = 0; y < 60; ++y) {
            for (int x = 0; x < 200; ++x) {
                if (render_testing::Inked(canvas.At(x, y))) {
                    box = RECT{std::min<LONG>(box.left, x), std::min<LONG>(box.top, y),
                               std::max<LONG>(box.right, x + 1), std::max<LONG>(box.bottom, y + 1)};
                }
            }
        }
        return box;
    };
    const RECT plain = inkedBox(L"");
    ASSERT_GT(plain.right, 0);
    const RECT outlined = inkedBox(L"enabledstroke=\"true\" strokecolor=\"#FFFF0000\"");
    EXPECT_LT(outlined.left, plain.left);
    EXPECT_GT(outlined.right, plain.right);
    const RECT glowing = inkedBox(L"enabledstroke=\"false\" enabledluminous=\"true\"");
    EXPECT_LT(glowing.left, plain.left);
    EXPECT_GT(glowing.bottom, plain.bottom);
}

}  // namespace
