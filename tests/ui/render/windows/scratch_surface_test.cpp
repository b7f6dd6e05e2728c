// The scratch surface that GDI's drawing goes through before it is blended:
// kept per thread, lent cleared, never lent twice at once.

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/ui/render/render_test_support.h"
#include "ui/render/windows/scratch_surface.h"

namespace {

using VantuUI::ScratchSurface;

void Dirty(const ScratchSurface& s, int width, int height) {
    for (int y = 0; y < height; ++y) {
        std::fill_n(s.Bits() + static_cast<std::size_t>(y) * s.Stride(), width, 0xFFFFFFFFu);
    }
}

bool Clear(const ScratchSurface& s, int width, int height) {
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* row = s.Bits() + static_cast<std::size_t>(y) * s.Stride();
        if (std::any_of(row, row + width, [](std::uint32_t p) { return p != 0; })) {
            return false;
        }
    }
    return true;
}

TEST(ScratchSurface, TheKeptSurfaceIsLentAgainCleared) {
    HDC first = nullptr;
    {
        ScratchSurface s(40, 20);
        ASSERT_TRUE(s.Ready());
        first = s.Dc();
        Dirty(s, 40, 20);
    }
    ScratchSurface again(30, 10);
    ASSERT_TRUE(again.Ready());
    EXPECT_EQ(again.Dc(), first);
    EXPECT_TRUE(Clear(again, 30, 10));
}

TEST(ScratchSurface, WhatABorrowerSetOnTheDcEndsWithTheLoan) {
    {
        ScratchSurface s(20, 20);
        ASSERT_TRUE(s.Ready());
        IntersectClipRect(s.Dc(), 0, 0, 2, 2);
        SetViewportOrgEx(s.Dc(), -7, -3, nullptr);
    }
    ScratchSurface again(20, 20);
    ASSERT_TRUE(again.Ready());
    POINT origin{1, 1};
    GetViewportOrgEx(again.Dc(), &origin);
    EXPECT_EQ(origin.x, 0);
    EXPECT_EQ(origin.y, 0);
    RECT box{};
    ASSERT_NE(GetClipBox(again.Dc(), &box), ERROR);
    EXPECT_GE(box.right, 20);
    EXPECT_GE(box.bottom, 20);
}

TEST(ScratchSurface, ASecondLoanWhileTheFirstIsOutGetsItsOwn) {
    ScratchSurface outer(16, 16);
    ASSERT_TRUE(outer.Ready());
    Dirty(outer, 16, 16);
    {
        ScratchSurface inner(16, 16);
        ASSERT_TRUE(inner.Ready());
        EXPECT_NE(inner.Dc(), outer.Dc());
        EXPECT_TRUE(Clear(inner, 16, 16));
        Dirty(inner, 16, 16);
    }
    // The outer one's pixels are its own still; the kept one comes back after it.
    const std::uint32_t* row = outer.Bits();
    EXPECT_EQ(row[0], 0xFFFFFFFFu);
    HDC kept = outer.Dc();
    ScratchSurface later(8, 8);
    EXPECT_NE(later.Dc(), kept);
}

TEST(ScratchSurface, GrowsToTheLargerOfEachSide) {
    { ScratchSurface wide(300, 2); }
    ScratchSurface tall(2, 300);
    ASSERT_TRUE(tall.Ready());
    EXPECT_GE(tall.Stride(), 300);
    // All 300 rows are there to write.
    Dirty(tall, 2, 300);
    EXPECT_EQ(tall.Bits()[static_cast<std::size_t>(299) * tall.Stride() + 1], 0xFFFFFFFFu);
}

TEST(ScratchSurface, EmptyAndHugeRequests) {
    EXPECT_FALSE(ScratchSurface(0, 5).Ready());
    EXPECT_FALSE(ScratchSurface(5, -1).Ready());
    HDC kept = nullptr;
    { kept = ScratchSurface(4, 4).Dc(); }
    {
        // Past what is kept: made for the call, and the kept one stays small.
        ScratchSurface huge(2000, 1200);
        ASSERT_TRUE(huge.Ready());
        EXPECT_NE(huge.Dc(), kept);
        EXPECT_TRUE(Clear(huge, 2000, 1200));
    }
    ScratchSurface small(4, 4);
    EXPECT_EQ(small.Dc(), kept);
    EXPECT_LT(small.Stride(), 2000);
}

}  // namespace
