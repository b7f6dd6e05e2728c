// Drawing on a back buffer with per-pixel alpha: what each backend draws
// must carry its alpha (GDI's own calls would leave it at 0), stay inside
// the clip, and keep to the width an ellipsis gives it. And one sample of
// everything, written beside the build to be looked at.

#include <gtest/gtest.h>

#include <filesystem>

#include "render_test_support.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace render_testing;
using VantuUI::ImageDrawInfo;
using VantuUI::RenderClip;
using VantuUI::RenderEngine;

// Premultiplied: no channel above the alpha.
bool Premultiplied(std::uint32_t p) {
    std::uint32_t a = p >> 24;
    return ((p >> 16) & 0xFF) <= a && ((p >> 8) & 0xFF) <= a && (p & 0xFF) <= a;
}

int OpaqueInk(Canvas& c, int fromX = 0) {
    int count = 0;
    for (int y = 0; y < c.Height(); ++y) {
        for (int x = fromX; x < c.Width(); ++x) {
            count += (c.At(x, y) >> 24) >= 0x80 ? 1 : 0;
        }
    }
    return count;
}

class AlphaRenderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        host.fonts[0] = VantuUI::FontInfo{L"Microsoft YaHei", 14, false, false, false};
    }
    TestHost host;
};

TEST_F(AlphaRenderTest, ShapesAndTextOnATransparentBufferCarryTheirAlpha) {
    Canvas canvas(80, 40, 0);
    RenderEngine::DrawRect(canvas.dc, RECT{0, 0, 80, 40}, 1, 0xFFFF0000);
    EXPECT_EQ(canvas.At(0, 0), 0xFFFF0000u);
    EXPECT_EQ(canvas.At(79, 39), 0xFFFF0000u);
    EXPECT_EQ(canvas.At(40, 20), 0u);
    RenderEngine::DrawLine(canvas.dc, RECT{2, 5, 30, 5}, 2, 0xFF0000FF);
    EXPECT_EQ(canvas.At(10, 5), 0xFF0000FFu);

    RECT text{4, 10, 76, 36};
    RenderEngine::DrawPlainText(canvas.dc, &host, text, L"升级", 0xFF00FF00, 0, DT_SINGLELINE);
    int strong = 0;
    int solid = 0;
    for (int y = 10; y < 36; ++y) {
        for (int x = 4; x < 76; ++x) {
            std::uint32_t p = canvas.At(x, y);
            EXPECT_TRUE(Premultiplied(p)) << x << "," << y << " " << std::hex << p;
            strong += (p >> 24) >= 0xC0 ? 1 : 0;
            if ((p >> 24) == 0xFF) {
                ++solid;
                EXPECT_EQ(p, 0xFF00FF00u) << x << "," << y;
            }
        }
    }
    // Glyph stems are (nearly) opaque, not left at alpha 0.
    EXPECT_GT(strong, 30);
    EXPECT_GT(solid, 5);

    int links = 0;
    RECT tagged{4, 10, 76, 36};
    Canvas markup(80, 40, 0);
    RenderEngine::DrawMarkupText(markup.dc, &host, tagged, L"<c #FF0000FF>升级</c>", 0xFF000000,
                                 nullptr, nullptr, links, 0, DT_SINGLELINE);
    EXPECT_GT(OpaqueInk(markup), 20);
    EXPECT_EQ(InkOf(markup, 80, 40, 0x0000FF).right != -1, true);
}

TEST_F(AlphaRenderTest, TextAndImagesStayInsideTheClip) {
    Canvas canvas(100, 30);
    {
        RenderClip clip;
        RenderEngine::GenerateClip(canvas.dc, RECT{0, 0, 20, 30}, clip);
        RECT rect{0, 0, 100, 30};
        RenderEngine::DrawPlainText(canvas.dc, &host, rect, L"升级升级升级", 0xFF000000, 0,
                                    DT_SINGLELINE);
        int links = 0;
        RenderEngine::DrawMarkupText(canvas.dc, &host, rect, L"{b}升级升级升级{/b}", 0xFF000000,
                                     nullptr, nullptr, links, 0, DT_SINGLELINE);
        auto image = RenderEngine::MakeColorImage(0xFFFF0000);
        RenderEngine::DrawImageGrid(canvas.dc, image->bitmap, RECT{0, 20, 100, 30}, rect,
                                    RECT{0, 0, 1, 1}, RECT{}, false, 255, false, false, false);
    }
    EXPECT_LT(InkOf(canvas, 100, 30, 0x000000).right, 21);
    EXPECT_GT(InkOf(canvas, 100, 30, 0x000000).right, 5);
    EXPECT_EQ(canvas.At(10, 25), 0xFFFF0000u);
    EXPECT_EQ(canvas.At(30, 25), 0xFFFFFFFFu);
    // Gone with the clip: the whole canvas takes colour again.
    RenderEngine::DrawColor(canvas.dc, RECT{0, 0, 100, 30}, 0xFF0000FF);
    EXPECT_EQ(canvas.At(90, 5), 0xFF0000FFu);
}

TEST_F(AlphaRenderTest, TaggedTextWithAnEllipsisKeepsToItsWidth) {
    const std::wstring text = L"升级中，请稍候，{b}升级中{/b}，请稍候";
    RECT measure{0, 0, 60, 20};
    int links = 0;
    RenderEngine::DrawMarkupText(nullptr, &host, measure, text, 0xFF000000, nullptr, nullptr, links,
                                 0, DT_SINGLELINE | DT_END_ELLIPSIS | DT_CALCRECT);
    EXPECT_LE(measure.right, 60);
    EXPECT_GT(measure.right, 30);
    RECT whole{0, 0, 0, 20};
    RenderEngine::DrawMarkupText(nullptr, &host, whole, text, 0xFF000000, nullptr, nullptr, links,
                                 0, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_GT(whole.right, 150);

    Canvas canvas(200, 20);
    RECT rect{0, 0, 60, 20};
    RenderEngine::DrawMarkupText(canvas.dc, &host, rect, text, 0xFF000000, nullptr, nullptr, links,
                                 0, DT_SINGLELINE | DT_END_ELLIPSIS);
    RECT ink = InkOf(canvas, 200, 20, 0x000000);
    EXPECT_LE(ink.right, 60);
    EXPECT_GT(ink.right, 30);
}

// A nine-grid, a gradient, a round outline and text (Chinese included) on
// one canvas, saved as render-sample.png in the build folder.
TEST_F(AlphaRenderTest, SampleOfEverythingIsWrittenBesideTheBuild) {
    testing_support::TempDir dir;
    // 12 x 12: a 4-pixel dark frame around a light centre.
    std::vector<std::uint32_t> frame(12 * 12);
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 12; ++x) {
            bool edge = x < 4 || x >= 8 || y < 4 || y >= 8;
            frame[y * 12 + x] = edge ? 0x203060FF : 0xD0E0F0FF;
        }
    }
    auto framePath = dir.path() / "frame.png";
    WritePng(framePath, 12, 12, frame);

    Canvas canvas(240, 120, 0xFFFFFFFF);
    RenderEngine::DrawGradient(canvas.dc, RECT{0, 0, 240, 30}, 0xFF2080FF, 0xFF80E0A0, false, 240);
    ImageDrawInfo grid;
    grid.spec = L"file='" + *platform::DecodeUtf8(framePath.string()) + L"' corner='4,4,4,4'";
    RECT item{10, 40, 130, 110};
    EXPECT_TRUE(RenderEngine::DrawImageSpec(canvas.dc, &host, item, item, grid));
    RenderEngine::DrawRoundRect(canvas.dc, RECT{140, 40, 230, 110}, 2, 12, 12, 0xFFE04020);
    RECT title{20, 60, 120, 90};
    RenderEngine::DrawPlainText(canvas.dc, &host, title, L"升级 Vantu", 0xFF000000, 0,
                                DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    RECT tagged{146, 50, 226, 100};
    int links = 0;
    RenderEngine::DrawMarkupText(canvas.dc, &host, tagged,
                                 L"<c #FF00A000>升级</c>{n}{b}1.0.0.2{/b}", 0xFF000000, nullptr,
                                 nullptr, links, 0, 0);

    EXPECT_EQ(canvas.At(10, 40), 0xFF203060u);                          // the grid's corner, 1:1
    EXPECT_EQ(canvas.At(129, 109), 0xFF203060u);                        // its far corner
    EXPECT_EQ(canvas.At(40, 100), 0xFFD0E0F0u);                         // the stretched centre
    EXPECT_GT((canvas.At(0, 15) & 0xFF), (canvas.At(239, 15) & 0xFF));  // blue fades
    EXPECT_EQ(canvas.At(185, 40), 0xFFE04020u);
    RECT dark = InkOf(canvas, 130, 120, 0x000000);
    EXPECT_GT(dark.right, 40);
    EXPECT_NE(InkOf(canvas, 240, 120, 0x00A000).right, -1);

    auto file = std::filesystem::path(VANTU_BUILD_DIR) / "render-sample.png";
    std::filesystem::remove(file);
    canvas.SavePng(file);
    EXPECT_TRUE(std::filesystem::exists(file));
}

}  // namespace
