// The label's text effects, checked by how their pixels relate to the plain
// text's, so that no face or glyph shape matters: the same cases on Cairo and
// on GDI.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/ui/render/render_test_support.h"
#include "ui/control/basic/label.h"
#include "ui/core/manager/window_manager.h"

namespace {

using namespace VantuUI;
using render_testing::Canvas;

constexpr int kWidth = 240;
constexpr int kHeight = 120;
constexpr RECT kItem{20, 20, 220, 100};

int AlphaOf(std::uint32_t pixel) {
    return static_cast<int>(pixel >> 24);
}

// A label with effects on, painted whole into transparent canvases.
class LabelEffects : public ::testing::Test {
  protected:
    void SetUp() override {
        manager.RegisterFont(1, L"Sans", 36, true, false, false, false);
        label.AttachToManager(&manager, nullptr, false);
        label.ApplyAttributeString(L"font=\"1\" text=\"HW\" enabledeffect=\"true\"");
        label.SetItemRect(kItem, false);
    }
    // The alpha of every pixel after painting with `attributes` added.
    std::vector<int> Paint(const std::wstring& attributes,
                           std::vector<std::uint32_t>* pixels = nullptr, std::uint32_t fill = 0) {
        label.ApplyAttributeString(attributes);
        Canvas canvas(kWidth, kHeight, fill);
        label.Paint(canvas.dc, RECT{0, 0, kWidth, kHeight}, nullptr);
        std::vector<int> alpha;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                alpha.push_back(AlphaOf(canvas.At(x, y)));
                if (pixels != nullptr) {
                    pixels->push_back(canvas.At(x, y));
                }
            }
        }
        return alpha;
    }
    static int At(const std::vector<int>& alpha, int x, int y) {
        if (x < 0 || y < 0 || x >= kWidth || y >= kHeight) {
            return 0;
        }
        return alpha[static_cast<std::size_t>(y) * kWidth + x];
    }
    static int Inked(const std::vector<int>& alpha) {
        return static_cast<int>(
            std::count_if(alpha.begin(), alpha.end(), [](int a) { return a > 0; }));
    }

    CWindowManagerUI manager;  // outlives the label
    CLabelUI label;
};

TEST_F(LabelEffects, ShadowIsTheTextMovedByItsOffsetInItsOwnColours) {
    const std::vector<int> text = Paint(L"textcolor=\"#FFFF0000\"");
    ASSERT_GT(Inked(text), 50) << "no text drawn";
    // The text itself fully transparent: what remains is the shadow.
    std::vector<std::uint32_t> pixels;
    const std::vector<int> shadow = Paint(
        L"textcolor=\"#00FF0000\" enabledshadow=\"true\" textshadowcolora=\"#FF00FF00\" "
        L"shadowoffset=\"5,-135\"",
        &pixels);
    ASSERT_EQ(label.GetShadowOffset().x, 5);
    ASSERT_EQ(label.GetShadowOffset().y, 5);
    int worst = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            worst = std::max(worst, std::abs(At(shadow, x, y) - At(text, x - 5, y - 5)));
            const std::uint32_t p = pixels[static_cast<std::size_t>(y) * kWidth + x];
            // Premultiplied green only.
            EXPECT_EQ(p & 0x00FF00FFu, 0u) << x << "," << y;
            EXPECT_EQ((p >> 8) & 0xFF, p >> 24) << x << "," << y;
        }
    }
    EXPECT_LE(worst, 2);
}

TEST_F(LabelEffects, NothingLeavesTheLabelHoweverFarTheShadowGoes) {
    const std::vector<int> shadow = Paint(
        L"textcolor=\"#FFFF0000\" enabledshadow=\"true\" shadowoffset=\"60,-135\" "
        L"enabledstroke=\"true\" strokecolor=\"#FF0000FF\" enabledluminous=\"true\"");
    ASSERT_GT(Inked(shadow), 50);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const bool inside =
                x >= kItem.left && x < kItem.right && y >= kItem.top && y < kItem.bottom;
            if (!inside) {
                ASSERT_EQ(At(shadow, x, y), 0) << x << "," << y;
            }
        }
    }
}

TEST_F(LabelEffects, OutlineIsTheTextOneStepAwayInEachDirection) {
    const std::vector<int> text = Paint(L"textcolor=\"#FF000000\"");
    ASSERT_GT(Inked(text), 50);
    std::vector<std::uint32_t> pixels;
    const std::vector<int> outline =
        Paint(L"textcolor=\"#00FFFFFF\" enabledstroke=\"true\" strokecolor=\"#FF0000FF\"", &pixels);
    int worst = 0;
    int beyond = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            double uncovered = 1;
            for (POINT step : {POINT{-1, 0}, POINT{1, 0}, POINT{0, -1}, POINT{0, 1}}) {
                uncovered *= 1 - At(text, x - step.x, y - step.y) / 255.0;
            }
            const int expected = static_cast<int>(255 * (1 - uncovered) + 0.5);
            worst = std::max(worst, std::abs(At(outline, x, y) - expected));
            beyond += At(text, x, y) == 0 && At(outline, x, y) > 0 ? 1 : 0;
            EXPECT_EQ(pixels[static_cast<std::size_t>(y) * kWidth + x] & 0x00FFFF00u, 0u);
        }
    }
    EXPECT_LE(worst, 4);
    EXPECT_GT(beyond, 20) << "the outline does not reach beyond the text";
}

TEST_F(LabelEffects, GradientMovesFromTheTextColourToTheSecondOverItsLength) {
    // Vertical (angle 0) over 100 pixels: each row one mix, 1/100 more blue a row.
    std::vector<std::uint32_t> pixels;
    const std::vector<int> alpha =
        Paint(L"textcolor=\"#FFFF0000\" textcolor1=\"#FF0000FF\" gradientlength=\"100\"", &pixels);
    ASSERT_GT(Inked(alpha), 50);
    std::vector<double> blueOfRow(kHeight, -1);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const std::uint32_t p = pixels[static_cast<std::size_t>(y) * kWidth + x];
            const double red = (p >> 16) & 0xFF;
            const double blue = p & 0xFF;
            EXPECT_EQ((p >> 8) & 0xFF, 0u);
            if (AlphaOf(p) < 200) {
                continue;  // edges: too few levels to tell the mix
            }
            const double mix = blue / (red + blue);
            if (blueOfRow[y] < 0) {
                blueOfRow[y] = mix;
            }
            EXPECT_NEAR(mix, blueOfRow[y], 0.02) << "the mix changes along row " << y;
        }
    }
    int first = -1;
    int last = -1;
    for (int y = 0; y < kHeight; ++y) {
        if (blueOfRow[y] >= 0) {
            last = y;
            first = first < 0 ? y : first;
        }
    }
    ASSERT_GT(last - first, 10) << "too few rows of solid text";
    EXPECT_NEAR(blueOfRow[last] - blueOfRow[first], (last - first) / 100.0, 0.03);
}

TEST_F(LabelEffects, GradientAndShadowLookTheSameWhereverTheLabelStands) {
    const std::wstring effects =
        L"textcolor=\"#FFFF0000\" textcolor1=\"#FF0000FF\" gradientangle=\"30\" "
        L"enabledshadow=\"true\" textshadowcolora=\"#FF00FF00\" textshadowcolorb=\"#80000000\" "
        L"shadowoffset=\"3,-135\"";
    std::vector<std::uint32_t> here;
    Paint(effects, &here);
    label.SetItemRect(RECT{kItem.left + 7, kItem.top + 11, kItem.right + 7, kItem.bottom + 11},
                      false);
    std::vector<std::uint32_t> there;
    Paint(L"", &there);
    int differ = 0;
    for (int y = 0; y + 11 < kHeight; ++y) {
        for (int x = 0; x + 7 < kWidth; ++x) {
            differ += here[static_cast<std::size_t>(y) * kWidth + x] !=
                              there[static_cast<std::size_t>(y + 11) * kWidth + x + 7]
                          ? 1
                          : 0;
        }
    }
    EXPECT_EQ(differ, 0);
}

TEST_F(LabelEffects, TranslucentTextBlendsOverWhatIsBelow) {
    std::vector<std::uint32_t> pixels;
    Paint(L"textcolor=\"#80FF0000\"", &pixels, 0xFFFFFFFF);
    // Where the text covers a pixel fully, half red over white.
    std::uint32_t darkest = 0xFFFFFFFF;
    for (std::uint32_t p : pixels) {
        ASSERT_EQ(p >> 24, 0xFFu);
        if (((p >> 8) & 0xFF) < ((darkest >> 8) & 0xFF)) {
            darkest = p;
        }
    }
    EXPECT_EQ((darkest >> 16) & 0xFF, 0xFFu);
    EXPECT_NEAR(static_cast<int>((darkest >> 8) & 0xFF), 0x7F, 3);
    EXPECT_NEAR(static_cast<int>(darkest & 0xFF), 0x7F, 3);
}

TEST_F(LabelEffects, GlowSpreadsTheTextAndStaysBehindIt) {
    const std::vector<int> text = Paint(L"textcolor=\"#FFFF0000\"");
    const std::vector<int> glowing = Paint(L"enabledluminous=\"true\" luminousfuzzy=\"4\"");
    int spread = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            // The text is drawn over its glow: never less covered than before.
            EXPECT_GE(At(glowing, x, y), At(text, x, y) - 1) << x << "," << y;
            spread += At(text, x, y) == 0 && At(glowing, x, y) > 0 ? 1 : 0;
        }
    }
    EXPECT_GT(spread, 50) << "no glow around the text";
}

TEST_F(LabelEffects, TinyGlowFactorsBlurNoLessThanOneAndTakeNoTime) {
    const std::vector<int> text = Paint(L"textcolor=\"#80FF0000\"");
    const std::vector<int> one = Paint(L"enabledluminous=\"true\" luminousfuzzy=\"1\"");
    // A factor of 1 blurs nothing: the glow is the text again, under it.
    EXPECT_GT(Inked(one), 50);
    EXPECT_NE(one, text);
    // A factor below 1 once asked for an image a thousand times the label.
    const auto start = std::chrono::steady_clock::now();
    const std::vector<int> tiny = Paint(L"luminousfuzzy=\"0.001\"");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_EQ(tiny, one);
}

}  // namespace
