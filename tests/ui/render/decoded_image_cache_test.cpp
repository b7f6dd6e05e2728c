// Images decoded once and copied for the next window must still be the
// image of the bytes and mask asked for.

#include <gtest/gtest.h>

#include <cstring>

#include "render_test_support.h"
#include "tests/support/temp_dir.h"

namespace {

using VantuUI::RenderEngine;

std::uint32_t FirstPixel(const VantuUI::ImageInfo& image) {
    std::uint32_t pixel = 0;
    std::memcpy(&pixel, image.pixels, sizeof pixel);
    return pixel;
}

TEST(DecodedImageCache, TheSameBytesGiveTheSameImageAndOtherBytesOrMasksTheirOwn) {
    testing_support::TempDir dir;
    const auto path = dir.path() / "dot.png";
    render_testing::WritePng(path, 4, 4, std::vector<std::uint32_t>(16, 0xFF0000FF));  // red
    const std::string red = testing_support::ReadFile(path);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(red.data());

    auto first = RenderEngine::LoadImageFromMemory(bytes, red.size(), 0);
    auto again = RenderEngine::LoadImageFromMemory(bytes, red.size(), 0);
    ASSERT_TRUE(first && again);
    EXPECT_NE(first->pixels, again->pixels);  // each window owns its pixels
    EXPECT_EQ(FirstPixel(*again), 0xFFFF0000u);
    EXPECT_EQ(again->width, 4);
    EXPECT_FALSE(again->hasAlpha);

    // The mask colour becomes transparent: not the unmasked image kept above.
    auto masked = RenderEngine::LoadImageFromMemory(bytes, red.size(), 0xFFFF0000);
    ASSERT_TRUE(masked);
    EXPECT_EQ(FirstPixel(*masked), 0u);
    EXPECT_TRUE(masked->hasAlpha);

    // The same file rewritten: its new content shows.
    render_testing::WritePng(path, 4, 4, std::vector<std::uint32_t>(16, 0x0000FFFF));  // blue
    const std::string blue = testing_support::ReadFile(path);
    auto changed = RenderEngine::LoadImageFromMemory(
        reinterpret_cast<const std::uint8_t*>(blue.data()), blue.size(), 0);
    ASSERT_TRUE(changed);
    EXPECT_EQ(FirstPixel(*changed), 0xFF0000FFu);
}

}  // namespace
