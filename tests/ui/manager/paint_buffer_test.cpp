// Paint buffers: what the manager's back buffer, layered image and printed
// child windows rely on, on each system's own DC.

#include "ui/core/manager/paint_buffer.h"

#include <gtest/gtest.h>

#include "ui/render/render_engine.h"

namespace {

using VantuUI::CopyBuffer;
using VantuUI::CPaintBufferUI;
using VantuUI::CSavedDcUI;
using VantuUI::RenderEngine;

std::uint32_t PixelAt(CPaintBufferUI& buffer, int x, int y) {
    buffer.BeginPixels();
    const std::uint32_t pixel = buffer.Row(y)[x];
    buffer.EndPixels();
    return pixel;
}

TEST(PaintBuffer, StartsClearedWithRowsOfItsWidth) {
    CPaintBufferUI buffer(7, 3);
    ASSERT_TRUE(buffer.Ok());
    EXPECT_EQ(buffer.Width(), 7);
    EXPECT_EQ(buffer.Height(), 3);
    EXPECT_NE(buffer.Bitmap(), nullptr);
    buffer.BeginPixels();
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 7; ++x) {
            EXPECT_EQ(buffer.Row(y)[x], 0u) << x << "," << y;
        }
    }
    buffer.EndPixels();
}

TEST(PaintBuffer, EmptyAndNegativeSizesGiveNoDc) {
    EXPECT_FALSE(CPaintBufferUI(0, 10).Ok());
    EXPECT_FALSE(CPaintBufferUI(10, 0).Ok());
    EXPECT_FALSE(CPaintBufferUI(-5, 4).Ok());
}

TEST(PaintBuffer, DrawingThroughTheDcReachesThePixels) {
    CPaintBufferUI buffer(4, 4);
    ASSERT_TRUE(buffer.Ok());
    RenderEngine::DrawColor(buffer.Dc(), RECT{1, 1, 3, 3}, 0xFF102030);
    EXPECT_EQ(PixelAt(buffer, 1, 1), 0xFF102030u);
    EXPECT_EQ(PixelAt(buffer, 2, 2), 0xFF102030u);
    EXPECT_EQ(PixelAt(buffer, 0, 0), 0u);
    EXPECT_EQ(PixelAt(buffer, 3, 3), 0u);
}

TEST(PaintBuffer, PixelsWrittenDirectlyAreWhatTheDcCopiesOn) {
    CPaintBufferUI source(2, 2);
    CPaintBufferUI target(2, 2);
    ASSERT_TRUE(source.Ok() && target.Ok());
    source.BeginPixels();
    source.Row(1)[0] = 0xFF00FF00u;
    source.EndPixels();
    CopyBuffer(target.Dc(), source, POINT{0, 0}, RECT{0, 0, 2, 2});
    EXPECT_EQ(PixelAt(target, 0, 1), 0xFF00FF00u);
}

TEST(PaintBuffer, ClearAreaMakesOnlyThatAreaTransparent) {
    CPaintBufferUI buffer(4, 2);
    ASSERT_TRUE(buffer.Ok());
    RenderEngine::DrawColor(buffer.Dc(), RECT{0, 0, 4, 2}, 0xFFFFFFFF);
    VantuUI::ClearArea(buffer.Dc(), RECT{1, 0, 3, 2});
    EXPECT_EQ(PixelAt(buffer, 0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(PixelAt(buffer, 1, 0), 0u);
    EXPECT_EQ(PixelAt(buffer, 2, 1), 0u);
    EXPECT_EQ(PixelAt(buffer, 3, 1), 0xFFFFFFFFu);
}

TEST(PaintBuffer, CopyReplacesTranslucentPixelsOnlyInsideTheArea) {
    CPaintBufferUI source(2, 2);
    CPaintBufferUI target(6, 4);
    ASSERT_TRUE(source.Ok() && target.Ok());
    // Half-transparent red (premultiplied) over opaque blue: a copy, not a blend.
    RenderEngine::DrawColor(source.Dc(), RECT{0, 0, 2, 2}, 0x80800000);
    RenderEngine::DrawColor(target.Dc(), RECT{0, 0, 6, 4}, 0xFF0000FF);
    CopyBuffer(target.Dc(), source, POINT{3, 1}, RECT{3, 1, 4, 3});
    EXPECT_EQ(PixelAt(target, 3, 1) >> 24, 0x80u);
    EXPECT_EQ(PixelAt(target, 3, 1) & 0xFFu, 0u);
    EXPECT_EQ(PixelAt(target, 3, 2) >> 24, 0x80u);
    // Inside the source but outside the area: untouched.
    EXPECT_EQ(PixelAt(target, 4, 1), 0xFF0000FFu);
    EXPECT_EQ(PixelAt(target, 2, 1), 0xFF0000FFu);
}

TEST(PaintBuffer, SavedDcOffsetMovesDrawingAndEndsWithTheScope) {
    CPaintBufferUI buffer(6, 6);
    ASSERT_TRUE(buffer.Ok());
    {
        CSavedDcUI saved(buffer.Dc());
        saved.Offset(3, 2);
        RenderEngine::DrawColor(buffer.Dc(), RECT{0, 0, 1, 1}, 0xFF112233);
    }
    RenderEngine::DrawColor(buffer.Dc(), RECT{0, 0, 1, 1}, 0xFF445566);
    EXPECT_EQ(PixelAt(buffer, 3, 2), 0xFF112233u);
    EXPECT_EQ(PixelAt(buffer, 0, 0), 0xFF445566u);
}

}  // namespace
