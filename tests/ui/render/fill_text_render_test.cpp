#include <gtest/gtest.h>

#include "render_test_support.h"

namespace {

using namespace render_testing;
using VantuUI::RenderClip;
using VantuUI::RenderEngine;

TEST(FillRender, GradientAlphaIsTheMeanOfBothEnds) {
    Canvas canvas(64, 8, 0);
    RenderEngine::DrawGradient(canvas.dc, RECT{0, 0, 64, 8}, 0x80FF0000, 0xFF0000FF, false, 64);
    for (int x : {0, 31, 63}) {
        EXPECT_EQ(canvas.At(x, 4) >> 24, 0xBFu) << x;
    }
    // Red at the left end, blue at the right (premultiplied by 0xBF).
    EXPECT_GT((canvas.At(0, 4) >> 16) & 0xFF, 0xB0u);
    EXPECT_GT(canvas.At(63, 4) & 0xFF, 0xB0u);

    Canvas untouched(8, 8, 0xFF123456);
    RenderEngine::DrawGradient(untouched.dc, RECT{0, 0, 8, 8}, 0x00FF0000, 0x000000FF, true, 8);
    RenderEngine::DrawColor(untouched.dc, RECT{0, 0, 8, 8}, 0x00FFFFFF);
    EXPECT_EQ(untouched.At(4, 4), 0xFF123456u);

    Canvas vertical(4, 40, 0);
    RenderEngine::DrawGradient(vertical.dc, RECT{0, 0, 4, 40}, 0xFF000000, 0xFFFFFFFF, true, 4);
    EXPECT_LT(vertical.At(2, 0) & 0xFF, 0x10u);
    EXPECT_GT(vertical.At(2, 39) & 0xFF, 0xF0u);
}

TEST(FillRender, ColorsBlendAndOutlinesStayInsideTheirRectangle) {
    Canvas canvas(40, 40);
    RenderEngine::DrawColor(canvas.dc, RECT{0, 0, 10, 10}, 0x80000000);
    EXPECT_EQ(canvas.At(5, 5), 0xFF7F7F7Fu);
    EXPECT_EQ(canvas.At(10, 10), 0xFFFFFFFFu);

    RenderEngine::DrawRect(canvas.dc, RECT{10, 10, 20, 20}, 2, 0x00FF0000);  // alpha dropped
    EXPECT_EQ(canvas.At(10, 10), 0xFFFF0000u);
    EXPECT_EQ(canvas.At(11, 19), 0xFFFF0000u);
    EXPECT_EQ(canvas.At(19, 19), 0xFFFF0000u);
    EXPECT_EQ(canvas.At(12, 12), 0xFFFFFFFFu);
    EXPECT_EQ(canvas.At(20, 20), 0xFFFFFFFFu);
    EXPECT_EQ(canvas.At(9, 15), 0xFFFFFFFFu);

    RenderEngine::DrawLine(canvas.dc, RECT{0, 30, 10, 30}, 1, 0xFF0000FF);
    EXPECT_EQ(canvas.At(0, 30), 0xFF0000FFu);
    EXPECT_EQ(canvas.At(9, 30), 0xFF0000FFu);
    EXPECT_EQ(canvas.At(10, 30), 0xFFFFFFFFu);
    EXPECT_EQ(canvas.At(5, 31), 0xFFFFFFFFu);

    RenderEngine::DrawLine(canvas.dc, RECT{0, 35, 30, 35}, 1, 0xFF00FF00, PS_DOT);
    EXPECT_EQ(canvas.At(0, 35), 0xFF00FF00u);
    EXPECT_EQ(canvas.At(4, 35), 0xFFFFFFFFu);

    Canvas round(20, 20);
    RenderEngine::DrawRoundRect(round.dc, RECT{0, 0, 20, 20}, 1, 10, 10, 0xFF000000);
    EXPECT_EQ(round.At(0, 0), 0xFFFFFFFFu);  // the corner is cut
    EXPECT_EQ(round.At(10, 0), 0xFF000000u);
}

TEST(ClipRender, ClipsNestAndGoBackWhenReleased) {
    Canvas canvas(40, 40);
    {
        RenderClip outer;
        RenderEngine::GenerateClip(canvas.dc, RECT{0, 0, 20, 20}, outer);
        {
            RenderClip inner;
            RenderEngine::GenerateClip(canvas.dc, RECT{10, 10, 30, 30}, inner);
            RenderEngine::DrawColor(canvas.dc, RECT{0, 0, 40, 40}, 0xFFFF0000);
            // Floating children paint with the clip from before.
            inner.UseOldClipBegin();
            RenderEngine::DrawColor(canvas.dc, RECT{0, 0, 5, 5}, 0xFF00FF00);
            RenderEngine::DrawColor(canvas.dc, RECT{30, 30, 40, 40}, 0xFF00FF00);
            inner.UseOldClipEnd();
        }
        RenderEngine::DrawColor(canvas.dc, RECT{0, 15, 5, 20}, 0xFF0000FF);
    }
    RenderEngine::DrawColor(canvas.dc, RECT{35, 0, 40, 5}, 0xFF0000FF);
    EXPECT_EQ(canvas.At(15, 15), 0xFFFF0000u);
    EXPECT_EQ(canvas.At(25, 25), 0xFFFFFFFFu);  // outside the outer clip
    EXPECT_EQ(canvas.At(5, 5), 0xFFFFFFFFu);
    EXPECT_EQ(canvas.At(2, 2), 0xFF00FF00u);
    EXPECT_EQ(canvas.At(35, 35), 0xFFFFFFFFu);
    EXPECT_EQ(canvas.At(2, 17), 0xFF0000FFu);
    EXPECT_EQ(canvas.At(37, 2), 0xFF0000FFu);

    Canvas round(20, 20);
    {
        RenderClip clip;
        RenderEngine::GenerateRoundClip(round.dc, RECT{0, 0, 20, 20}, RECT{0, 0, 19, 19}, 8, 8,
                                        clip);
        RenderEngine::DrawColor(round.dc, RECT{0, 0, 20, 20}, 0xFF000000);
    }
    EXPECT_EQ(round.At(0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(round.At(10, 10), 0xFF000000u);
    EXPECT_EQ(round.At(10, 0), 0xFF000000u);
}

TEST(HslRender, NeutralKeepsTheColourAndHueTurns) {
    EXPECT_EQ(RenderEngine::AdjustColor(0x80123456, 180, 100, 100), 0x80123456u);
    EXPECT_EQ(RenderEngine::AdjustColor(0xFFFF0000, 300, 100, 100), 0xFF00FF00u);
    EXPECT_EQ(RenderEngine::AdjustColor(0x40FF0000, 180, 100, 0), 0x40000000u);
    EXPECT_EQ(RenderEngine::AdjustColor(0xFFFF0000, 180, 0, 100), 0xFF808080u);

    auto image = RenderEngine::MakeColorImage(0xFFFF0000);
    image->useHsl = true;
    RenderEngine::AdjustImage(true, image.get(), 300, 100, 100);
    EXPECT_EQ(*reinterpret_cast<const std::uint32_t*>(image->pixels), 0xFF00FF00u);
    RenderEngine::AdjustImage(true, image.get(), 180, 100, 100);
    EXPECT_EQ(*reinterpret_cast<const std::uint32_t*>(image->pixels), 0xFFFF0000u);
}

class TextRenderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        host.fonts[0] = VantuUI::FontInfo{L"Microsoft YaHei", 12, false, false, false};
    }
    TestHost host;
};

TEST_F(TextRenderTest, ChineseTextInkMatchesTheMeasuredWidth) {
    const std::wstring text = L"升级中，请稍候...37%";
    RECT measure{0, 0, 300, 40};
    RenderEngine::DrawPlainText(nullptr, &host, measure, text, 0xFF000000, 0,
                                DT_SINGLELINE | DT_CALCRECT);
    int width = measure.right;
    EXPECT_GT(width, 100);
    EXPECT_LT(width, 160);
    EXPECT_GE(measure.bottom, 12);
    EXPECT_LE(measure.bottom, 20);

    Canvas canvas(300, 40);
    RECT rect{0, 0, 300, 40};
    RenderEngine::DrawPlainText(canvas.dc, &host, rect, text, 0xFF000000, 0, DT_SINGLELINE);
    int inked = 0;
    int first = 300;
    int last = -1;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 300; ++x) {
            if (Inked(canvas.At(x, y))) {
                ++inked;
                first = std::min(first, x);
                last = std::max(last, x);
            }
        }
    }
    EXPECT_GT(inked, 300);
    EXPECT_LE(first, 2);
    EXPECT_GE(last, width - 10);
    EXPECT_LT(last, width + 1);
    // Every Han glyph cell has ink: the first three glyphs are 12 px wide each.
    for (int glyph = 0; glyph < 3; ++glyph) {
        int cell = 0;
        for (int y = 0; y < 20; ++y) {
            for (int x = glyph * 12; x < glyph * 12 + 12; ++x) {
                cell += Inked(canvas.At(x, y)) ? 1 : 0;
            }
        }
        EXPECT_GT(cell, 20) << glyph;
    }
}

TEST_F(TextRenderTest, FlagsPlaceAndCutTheText) {
    auto inkBox = [](Canvas& c, int w, int h) {
        RECT box{w, h, -1, -1};
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                if (Inked(c.At(x, y))) {
                    box.left = std::min<LONG>(box.left, x);
                    box.top = std::min<LONG>(box.top, y);
                    box.right = std::max<LONG>(box.right, x + 1);
                    box.bottom = std::max<LONG>(box.bottom, y + 1);
                }
            }
        }
        return box;
    };
    RECT size{0, 0, 200, 100};
    RenderEngine::DrawPlainText(nullptr, &host, size, L"Vantu", 0, 0, DT_SINGLELINE | DT_CALCRECT);
    int textWidth = size.right;

    Canvas centred(200, 100);
    RECT r{0, 0, 200, 100};
    RenderEngine::DrawPlainText(centred.dc, &host, r, L"Vantu", 0xFF000000, 0,
                                DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    RECT box = inkBox(centred, 200, 100);
    EXPECT_NEAR((box.left + box.right) / 2, 100, 3);
    EXPECT_NEAR((box.top + box.bottom) / 2, 50, 4);

    Canvas right(200, 100);
    RenderEngine::DrawPlainText(right.dc, &host, r, L"Vantu", 0xFF000000, 0,
                                DT_SINGLELINE | DT_RIGHT | DT_BOTTOM);
    box = inkBox(right, 200, 100);
    EXPECT_GE(box.right, 200 - 3);
    EXPECT_GE(box.bottom, 100 - 6);
    EXPECT_LE(box.left, 200 - textWidth + 3);

    // End ellipsis keeps the text inside; without it the text is clipped.
    const std::wstring longText = L"升级中，请稍候，升级中，请稍候";
    Canvas cut(200, 20);
    RECT narrow{0, 0, 60, 20};
    RenderEngine::DrawPlainText(cut.dc, &host, narrow, longText, 0xFF000000, 0,
                                DT_SINGLELINE | DT_END_ELLIPSIS);
    box = inkBox(cut, 200, 20);
    EXPECT_LE(box.right, 60);
    EXPECT_GT(box.right, 40);

    // Word breaks grow the measured height; without them one line stays.
    RECT wrapped{0, 0, 60, 0};
    RenderEngine::DrawPlainText(nullptr, &host, wrapped, longText, 0, 0,
                                DT_WORDBREAK | DT_CALCRECT);
    EXPECT_EQ(wrapped.right, 60);
    EXPECT_GE(wrapped.bottom, 3 * 14);
    RECT oneLine{0, 0, 60, 0};
    RenderEngine::DrawPlainText(nullptr, &host, oneLine, longText, 0, 0, DT_CALCRECT);
    EXPECT_LE(oneLine.bottom, 20);
    EXPECT_GT(oneLine.right, 150);

    // Nothing without a manager or text.
    Canvas blank(20, 20);
    RECT any{0, 0, 20, 20};
    RenderEngine::DrawPlainText(blank.dc, nullptr, any, L"x", 0xFF000000, 0, 0);
    RenderEngine::DrawPlainText(blank.dc, &host, any, L"", 0xFF000000, 0, 0);
    EXPECT_EQ(inkBox(blank, 20, 20).right, -1);
}

}  // namespace
