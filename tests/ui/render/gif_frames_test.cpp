// Animated GIF frames: a GIF made at test time with ImageMagick, and GIFs
// whose frames would need absurd memory.

#include "ui/render/image/gif_frames.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/support/process.h"
#include "tests/support/temp_dir.h"
#include "tests/support/x_server.h"

namespace {

using testing_support::TempDir;

std::uint32_t PixelAt(const VantuUI::ImageInfo& image, int x, int y) {
    std::uint32_t pixel;
    std::memcpy(&pixel, image.pixels + (static_cast<size_t>(y) * image.width + x) * 4, 4);
    return pixel;
}

std::vector<std::uint8_t> Bytes(const std::string& text) {
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

TEST(GifFrames, EveryFrameWithItsDelay) {
    auto convert = testing_support::FindProgram("convert");
    if (!convert) {
        GTEST_SKIP() << "ImageMagick's convert is not installed";
    }
    TempDir dir;
    testing_support::ProcessOptions options;
    options.args = {"-size",      "5x4",
                    "-delay",     "10",
                    "xc:#FF0000", "-delay",
                    "20",         "xc:#00FF00",
                    "-delay",     "50",
                    "xc:#0000FF", "-loop",
                    "0",          (dir / "three.gif").string()};
    auto made = testing_support::RunProcess(*convert, options);
    ASSERT_EQ(made.exitCode, 0) << made.err;

    auto bytes = Bytes(testing_support::ReadFile(dir / "three.gif"));
    auto gif = VantuUI::LoadGifFrames(bytes.data(), bytes.size());
    ASSERT_TRUE(gif.has_value());
    ASSERT_EQ(gif->frames.size(), 3u);
    EXPECT_EQ(gif->delays, (std::vector<int>{100, 200, 500}));
    const std::uint32_t colours[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF};
    for (size_t i = 0; i < 3; ++i) {
        ASSERT_EQ(gif->frames[i]->width, 5);
        ASSERT_EQ(gif->frames[i]->height, 4);
        EXPECT_EQ(PixelAt(*gif->frames[i], 4, 3), colours[i]) << "frame " << i;
    }
}

// A GIF of `frames` one-pixel frames on a canvas of the given size.
std::vector<std::uint8_t> TinyFramesGif(int width, int height, int frames) {
    std::vector<std::uint8_t> gif = {'G',
                                     'I',
                                     'F',
                                     '8',
                                     '9',
                                     'a',
                                     static_cast<std::uint8_t>(width & 0xFF),
                                     static_cast<std::uint8_t>(width >> 8),
                                     static_cast<std::uint8_t>(height & 0xFF),
                                     static_cast<std::uint8_t>(height >> 8),
                                     0x80,  // a global table of two colours
                                     0,
                                     0,
                                     0,
                                     0,
                                     0,
                                     255,
                                     255,
                                     255};
    for (int i = 0; i < frames; ++i) {
        // Descriptor of a 1x1 image at 0,0; LZW size 2; clear, 0, end.
        const std::uint8_t frame[] = {0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0, 2, 2, 0x44, 0x01, 0};
        gif.insert(gif.end(), std::begin(frame), std::end(frame));
    }
    gif.push_back(0x3B);
    return gif;
}

TEST(GifFrames, RefusedWhenTheFramesWouldNeedAbsurdMemory) {
    auto small = TinyFramesGif(2, 2, 3);
    auto decoded = VantuUI::LoadGifFrames(small.data(), small.size());
    ASSERT_TRUE(decoded.has_value()) << "the hand-made GIF itself should decode";
    EXPECT_EQ(decoded->frames.size(), 3u);

    // A huge canvas in a few bytes, and many tiny frames on a mid-sized canvas.
    auto huge = TinyFramesGif(65535, 65535, 1);
    EXPECT_FALSE(VantuUI::LoadGifFrames(huge.data(), huge.size()).has_value());
    auto many = TinyFramesGif(1024, 1024, 33);
    EXPECT_FALSE(VantuUI::LoadGifFrames(many.data(), many.size()).has_value());

    auto png = Bytes("\x89PNG\r\n\x1a\n");
    EXPECT_FALSE(VantuUI::LoadGifFrames(png.data(), png.size()).has_value());
}

}  // namespace
