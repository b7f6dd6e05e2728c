// Fonts kept per description by their owner (the paint manager), and text
// drawn with a kept font looking exactly as with one made for the call.

#include <gtest/gtest.h>

#include "platform/gdi/font_cache.h"
#include "tests/ui/render/render_test_support.h"

namespace {

using render_testing::Canvas;
using render_testing::TestHost;
using VantuUI::FontInfo;
using VantuUI::RenderEngine;

TEST(FontCache, OneFontPerDescription) {
    platform::FontCache cache;
    const FontInfo plain{L"Microsoft YaHei", 12};
    HFONT first = cache.Get(plain);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(cache.Get(plain), first);
    EXPECT_EQ(cache.Size(), 1u);
    // Each field makes a font of its own.
    FontInfo bold = plain;
    bold.bold = true;
    FontInfo bigger = plain;
    bigger.size = 13;
    FontInfo underlined = plain;
    underlined.underline = true;
    FontInfo other = plain;
    other.face = L"Tahoma";
    for (const FontInfo& font : {bold, bigger, underlined, other}) {
        HFONT made = cache.Get(font);
        EXPECT_NE(made, nullptr);
        EXPECT_NE(made, first);
        EXPECT_EQ(cache.Get(font), made);
    }
    EXPECT_EQ(cache.Size(), 5u);
}

// A host that keeps its fonts, as the paint manager does.
class KeepingHost : public TestHost {
  public:
    HFONT CachedFont(const FontInfo& font) override {
        ++asked;
        return kept.Get(font);
    }
    platform::FontCache kept;
    int asked = 0;
};

void ExpectSamePixels(Canvas& a, Canvas& b) {
    int differing = 0;
    for (int y = 0; y < a.Height(); ++y) {
        for (int x = 0; x < a.Width(); ++x) {
            differing += a.At(x, y) != b.At(x, y) ? 1 : 0;
        }
    }
    EXPECT_EQ(differing, 0);
}

TEST(KeptFonts, TextWithAKeptFontDrawsTheSamePixels) {
    TestHost making;
    KeepingHost keeping;
    for (TestHost* host : {&making, static_cast<TestHost*>(&keeping)}) {
        host->fonts[0] = FontInfo{L"Microsoft YaHei", 12};
        host->fonts[1] = FontInfo{L"Microsoft YaHei", 14, true};
    }
    Canvas made(320, 90);
    Canvas kept(320, 90);
    int inked = 0;
    // Twice over the same canvas: the second time draws with fonts already kept.
    for (int round = 0; round < 2; ++round) {
        for (auto [host, canvas] : {std::pair<TestHost*, Canvas*>{&making, &made},
                                    std::pair<TestHost*, Canvas*>{&keeping, &kept}}) {
            RECT title{4, 2, 316, 24};
            RenderEngine::DrawPlainText(canvas->dc, host, title, L"Vantu加速器版本升级", 0xFF2050A0,
                                        1, DT_SINGLELINE | DT_VCENTER);
            RECT notes{4, 26, 316, 60};
            RenderEngine::DrawPlainText(canvas->dc, host, notes,
                                        L"1. 优化了加速线路的选择，连接更稳定。", 0xFF333333, 0,
                                        DT_WORDBREAK);
            RECT tagged{4, 62, 316, 88};
            int links = 0;
            RenderEngine::DrawMarkupText(canvas->dc, host, tagged,
                                         L"{b}升级{/b} to {i}1.3.0.0{/i} {u}now{/u}", 0xFF000000,
                                         nullptr, nullptr, links, 0, DT_SINGLELINE);
        }
    }
    for (int y = 0; y < made.Height(); ++y) {
        for (int x = 0; x < made.Width(); ++x) {
            inked += render_testing::Inked(made.At(x, y)) ? 1 : 0;
        }
    }
    EXPECT_GT(inked, 500);
    ExpectSamePixels(made, kept);
}

}  // namespace
