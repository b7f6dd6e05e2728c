#include <gtest/gtest.h>

#include <cstdlib>

#include "render_test_support.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace render_testing;
using VantuUI::RenderEngine;

class MarkupRenderTest : public ::testing::Test {
  protected:
    void SetUp() override { host.fonts[0] = VantuUI::FontInfo{L"Microsoft YaHei", 12}; }

    TestHost host;
};

TEST_F(MarkupRenderTest, ColourTagsAndLinksAreDrawnAndRecorded) {
    Canvas canvas(300, 60);
    RECT rect{0, 0, 300, 60};
    RECT links[4];
    std::wstring texts[4];
    int count = 4;
    RenderEngine::DrawMarkupText(canvas.dc, &host, rect,
                                 L"<c #FF00FF00>绿色</c>普通<a http://x>链接</a>{b}粗{/b}",
                                 0xFF000000, links, texts, count, 0, DT_SINGLELINE);
    RECT green = InkOf(canvas, 300, 60, 0x00FF00);
    EXPECT_GE(green.right, 10);
    EXPECT_LE(green.right, 26);
    ASSERT_EQ(count, 1);
    EXPECT_EQ(texts[0], L"http://x");
    EXPECT_GT(links[0].left, green.right + 10);  // after the green and plain text
    EXPECT_NEAR(links[0].right - links[0].left, 24, 3);
    RECT blue = InkOf(canvas, 300, 60, 0x0000FF);  // the default link colour
    EXPECT_GE(blue.left, links[0].left);
    EXPECT_LE(blue.right, links[0].right);

    // With the mouse over the link, it takes the hover colour.
    host.mouse = POINT{(links[0].left + links[0].right) / 2, (links[0].top + links[0].bottom) / 2};
    Canvas hover(300, 60);
    count = 4;
    RenderEngine::DrawMarkupText(hover.dc, &host, rect, L"普通<a http://x>链接</a>", 0xFF000000,
                                 links, texts, count, 0, DT_SINGLELINE);
    EXPECT_EQ(InkOf(hover, 300, 60, 0x0000FF).right, -1);
    EXPECT_GT(InkOf(hover, 300, 60, 0xD3215F).right, 0);
}

TEST_F(MarkupRenderTest, LineBreaksMeasuringAndRawText) {
    RECT one{0, 0, 300, 0};
    int count = 0;
    RenderEngine::DrawMarkupText(nullptr, &host, one, L"第一行", 0, nullptr, nullptr, count, 0,
                                 DT_CALCRECT);
    RECT two{0, 0, 300, 0};
    RenderEngine::DrawMarkupText(nullptr, &host, two, L"第一行<n>第二行", 0, nullptr, nullptr,
                                 count, 0, DT_CALCRECT);
    EXPECT_GE(two.bottom, 2 * one.bottom - 2);
    RECT single{0, 0, 300, 0};
    RenderEngine::DrawMarkupText(nullptr, &host, single, L"第一行<n>第二行", 0, nullptr, nullptr,
                                 count, 0, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(single.bottom, one.bottom);
    EXPECT_GT(single.right, one.right);

    // Raw text keeps its tags; an escaped brace prints.
    RECT raw{0, 0, 300, 0};
    RenderEngine::DrawMarkupText(nullptr, &host, raw, L"<r><b>x</b></r>", 0, nullptr, nullptr,
                                 count, 0, DT_CALCRECT | DT_SINGLELINE);
    RECT plain{0, 0, 300, 0};
    RenderEngine::DrawPlainText(nullptr, &host, plain, L"<b>x</b>", 0, 0,
                                DT_CALCRECT | DT_SINGLELINE);
    EXPECT_NEAR(raw.right, plain.right, 1);
    RECT brace{0, 0, 300, 0};
    RenderEngine::DrawMarkupText(nullptr, &host, brace, L"<{>", 0, nullptr, nullptr, count, 0,
                                 DT_CALCRECT | DT_SINGLELINE);
    EXPECT_GT(brace.right, 0);

    // <x> moves the pen; wrapping keeps to the width.
    RECT moved{0, 0, 300, 0};
    RenderEngine::DrawMarkupText(nullptr, &host, moved, L"<x 40>第一行", 0, nullptr, nullptr, count,
                                 0, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(moved.right, one.right + 40);
    RECT wrapped{0, 0, 40, 0};
    RenderEngine::DrawMarkupText(nullptr, &host, wrapped, L"升级中，请稍候升级中", 0, nullptr,
                                 nullptr, count, 0, DT_CALCRECT);
    EXPECT_LE(wrapped.right, 40);
    EXPECT_GE(wrapped.bottom, 3 * one.bottom - 3);
}

TEST_F(MarkupRenderTest, InlineImagesFramesAndFontTags) {
    testing_support::TempDir dir;
    // 20 x 10: two frames, red then blue.
    std::vector<std::uint32_t> pixels(20 * 10);
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 20; ++x) {
            pixels[y * 20 + x] = x < 10 ? 0xFF0000FF : 0x0000FFFF;
        }
    }
    auto path = dir.path() / "frames.png";
    WritePng(path, 20, 10, pixels);
    std::wstring name = *platform::DecodeUtf8(path.string());
    Canvas canvas(100, 30);
    RECT rect{0, 0, 100, 30};
    int count = 0;
    RenderEngine::DrawMarkupText(canvas.dc, &host, rect, L"<i " + name + L" 2 1>", 0xFF000000,
                                 nullptr, nullptr, count, 0, DT_SINGLELINE);
    RECT blue = InkOf(canvas, 100, 30, 0x0000FF);
    EXPECT_EQ(blue.right - blue.left, 10);
    EXPECT_EQ(blue.bottom - blue.top, 10);
    EXPECT_EQ(InkOf(canvas, 100, 30, 0xFF0000).right, -1);

    RECT normal{0, 0, 300, 0};
    RenderEngine::DrawMarkupText(nullptr, &host, normal, L"Vantu", 0, nullptr, nullptr, count, 0,
                                 DT_CALCRECT | DT_SINGLELINE);
    RECT big{0, 0, 300, 0};
    size_t fontsBefore = host.fonts.size();
    RenderEngine::DrawMarkupText(nullptr, &host, big, L"<f Sans 24 bold>Vantu</f>", 0, nullptr,
                                 nullptr, count, 0, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_GT(big.right, normal.right * 3 / 2);
    EXPECT_GT(big.bottom, normal.bottom);
    EXPECT_EQ(host.fonts.size(), fontsBefore + 1);  // the new font was added
}

TEST(CaptureRender, CopiesTheAreaAndFillsIt) {
    struct Host : TestHost {
        void PaintTree(HDC dc, const RECT&, const void*) override {
            RenderEngine::DrawColor(dc, RECT{0, 0, 100, 100}, 0xFF00FF00);
            RenderEngine::DrawColor(dc, RECT{50, 50, 100, 100}, 0xFFFF0000);
        }
    } host;
    HBITMAP shot = RenderEngine::CaptureWindowArea(&host, RECT{40, 40, 60, 60}, nullptr, 0);
    ASSERT_NE(shot, nullptr);
    EXPECT_EQ(BitmapWidth(shot), 20);
    EXPECT_EQ(BitmapPixel(shot, 0, 0), 0xFF00FF00u);
    EXPECT_EQ(BitmapPixel(shot, 19, 19), 0xFFFF0000u);
    FreeBitmap(shot);
    HBITMAP filled =
        RenderEngine::CaptureWindowArea(&host, RECT{0, 0, 10, 10}, nullptr, 0xFF0000FF);
    ASSERT_NE(filled, nullptr);
    EXPECT_EQ(BitmapPixel(filled, 0, 0), 0xFF0000FFu);
    FreeBitmap(filled);
    EXPECT_EQ(RenderEngine::CaptureWindowArea(nullptr, RECT{0, 0, 1, 1}, nullptr, 0), nullptr);
}

}  // namespace
