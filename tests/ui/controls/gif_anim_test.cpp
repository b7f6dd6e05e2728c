// The GIF animation control on a window: frames shown for the file's own
// delays, hiding and showing, auto-size, and a file that cannot be played.

#include "ui/control/gif/gif_anim.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/deadline.h"
#include "tests/support/process.h"
#include "tests/support/temp_dir.h"
#include "tests/support/x_server.h"
#include "tests/ui/controls/controls_window.h"
#include "tests/ui/support/presented_pixel.h"

namespace {

using namespace controls_testing;
using Clock = std::chrono::steady_clock;

struct GifFrameSpec {
    int delay;  // hundredths of a second, as the file stores it
    const char* colour;
};

class GifAnimTest : public ControlsWindow {
  protected:
    // Pumps until `done` holds; false after two seconds.
    bool PumpUntil(const std::function<bool()>& done) {
        return testing_support::WaitUntil(testing_support::Deadline(std::chrono::seconds(2)), [&] {
            Pump();
            return done();
        });
    }

    // A 20 x 10 GIF of one solid colour per frame; empty when ImageMagick
    // is missing (the test is skipped).
    std::wstring MakeGif(const std::string& name, const std::vector<GifFrameSpec>& frames) {
        auto convert = testing_support::FindProgram("convert");
        if (!convert) {
            return {};
        }
        testing_support::ProcessOptions options;
        options.args = {"-size", "20x10"};
        for (const auto& frame : frames) {
            options.args.insert(options.args.end(), {"-delay", std::to_string(frame.delay),
                                                     std::string("xc:") + frame.colour});
        }
        const auto path = dir / name;
        options.args.insert(options.args.end(), {"-loop", "0", path.string()});
        auto made = testing_support::RunProcess(*convert, options);
        EXPECT_EQ(made.exitCode, 0) << made.err;
        return path.wstring();
    }

    // A GIF of two one-pixel frames (red, then blue), each after a graphic
    // control extension (where a file keeps its delays) giving a delay of 0
    // when `delays`, or with nothing before them at all.
    std::wstring WriteTwoFrameGif(const std::string& name, bool delays) {
        std::string gif("GIF89a\x01\x00\x01\x00\x80\x00\x00", 13);
        gif += std::string("\xFF\x00\x00\x00\x00\xFF", 6);
        // LZW, code size 2: clear, colour 0 or 1, end.
        for (const char* pixels : {"\x02\x02\x44\x01\x00", "\x02\x02\x4C\x01\x00"}) {
            if (delays) {
                gif += std::string("\x21\xF9\x04\x00\x00\x00\x00\x00", 8);
            }
            gif += std::string("\x2C\x00\x00\x00\x00\x01\x00\x01\x00\x00", 10);
            gif += std::string(pixels, 5);
        }
        gif += '\x3B';
        const auto path = dir / name;
        testing_support::WriteFile(path, gif);
        return path.wstring();
    }

    testing_support::TempDir dir;
};

TEST_F(GifAnimTest, EachFrameShowsForItsOwnDelayWithinTenPercentThenTheFirstComesAgain) {
    // A frame without a delay shows for 100 ms.
    auto file = MakeGif("three.gif", {{20, "#FF0000"}, {0, "#00FF00"}, {30, "#0000FF"}});
    if (file.empty()) {
        GTEST_SKIP() << "ImageMagick's convert is not installed";
    }
    auto* gif = Add<CGifAnimUI>(L"autoplay=\"true\" bkimage=\"" + file + L"\"");
    Show();
    ASSERT_TRUE(gif->IsPlaying());

    // Every change of the presented colour with its time, over five rounds.
    constexpr std::size_t kRounds = 5;
    struct Shown {
        std::uint32_t colour;
        Clock::time_point since;
    };
    std::vector<Shown> shown{{ui_testing::PresentedPixel(window, 10, 20), Clock::now()}};
    testing_support::Deadline deadline(std::chrono::seconds(10));
    while (shown.size() < 3 * kRounds + 2 && !deadline.Passed()) {
        Pump();
        const std::uint32_t colour = ui_testing::PresentedPixel(window, 10, 20);
        if (colour != shown.back().colour) {
            shown.push_back({colour, Clock::now()});
        }
    }
    ASSERT_EQ(shown.size(), 3 * kRounds + 2)
        << "the animation did not go round five times within ten seconds";

    // shown[0] started before the first paint of the animation: not timed.
    // The median of each frame's showings keeps a busy machine's odd late
    // tick out.
    const std::uint32_t order[] = {0xFF0000, 0x00FF00, 0x0000FF};
    const long long delays[] = {200, 100, 300};
    std::vector<long long> lasted[3];
    for (std::size_t i = 1; i + 1 < shown.size(); ++i) {
        const std::size_t frame = i % 3;
        EXPECT_EQ(shown[i].colour, order[frame]) << "change " << i;
        lasted[frame].push_back(std::chrono::duration_cast<std::chrono::milliseconds>(
                                    shown[i + 1].since - shown[i].since)
                                    .count());
    }
    for (std::size_t frame = 0; frame < 3; ++frame) {
        auto& times = lasted[frame];
        std::nth_element(times.begin(), times.begin() + times.size() / 2, times.end());
        EXPECT_NEAR(times[times.size() / 2], delays[frame], delays[frame] / 10)
            << "frame " << frame;
    }
}

TEST_F(GifAnimTest, HidingRewindsToTheFirstFrameAndShowingPlaysAgain) {
    auto file = MakeGif("two.gif", {{5, "#FF0000"}, {5, "#00FF00"}});
    if (file.empty()) {
        GTEST_SKIP() << "ImageMagick's convert is not installed";
    }
    auto* gif = Add<CGifAnimUI>(L"autoplay=\"true\" bkimage=\"" + file + L"\"");
    Show();
    ASSERT_TRUE(PumpUntil([&] { return gif->CurrentFrame() == 1; }))
        << "the second frame did not come within two seconds";

    gif->SetVisible(false);
    EXPECT_FALSE(gif->IsPlaying());
    EXPECT_EQ(gif->CurrentFrame(), 0);
    gif->SetVisible(true);
    EXPECT_TRUE(gif->IsPlaying());

    // The name it has already: the animation goes on untouched.
    ASSERT_TRUE(PumpUntil([&] { return gif->CurrentFrame() == 1; }))
        << "the animation did not start again within two seconds";
    gif->SetAttribute(L"bkimage", file);
    EXPECT_TRUE(gif->IsPlaying());
    EXPECT_EQ(gif->CurrentFrame(), 1);

    gif->PauseGif();
    EXPECT_EQ(gif->CurrentFrame(), 1);
    gif->StopGif();
    EXPECT_EQ(gif->CurrentFrame(), 0);
}

TEST_F(GifAnimTest, AutoSizeTakesThePixelSizeAndAStillImageIsNotStarted) {
    auto file = MakeGif("still.gif", {{0, "#0000FF"}});
    if (file.empty()) {
        GTEST_SKIP() << "ImageMagick's convert is not installed";
    }
    auto* gif = Add<CGifAnimUI>(L"autoplay=\"true\" autosize=\"true\" bkimage=\"" + file + L"\"");
    manager.AttachRoot(root);
    EXPECT_EQ(gif->GetFixedWidth(), 20);
    EXPECT_EQ(gif->GetFixedHeight(), 10);
    EXPECT_EQ(gif->FrameCount(), 1);
    EXPECT_FALSE(gif->IsPlaying());
    UpdateWindow(window);
    Pump();
    EXPECT_EQ(ui_testing::PresentedPixel(window, 5, 5), 0x0000FFu);
}

// Frames without any delay in the file are a set of pictures: autoplay
// leaves them alone. Delays of 0 are an animation at 100 ms a frame.
TEST_F(GifAnimTest, AutoplayStartsOnlyAFileThatGivesFrameDelays) {
    auto* pictures = Add<CGifAnimUI>(L"autoplay=\"true\" bkimage=\"" +
                                     WriteTwoFrameGif("plain.gif", false) + L"\"");
    auto* animation = Add<CGifAnimUI>(L"autoplay=\"true\" bkimage=\"" +
                                      WriteTwoFrameGif("timed.gif", true) + L"\"");
    manager.AttachRoot(root);
    ASSERT_EQ(pictures->FrameCount(), 2) << "the hand-made GIF did not decode";
    ASSERT_EQ(animation->FrameCount(), 2);
    EXPECT_FALSE(pictures->IsPlaying());
    EXPECT_TRUE(animation->IsPlaying());
    ASSERT_TRUE(PumpUntil([&] { return animation->CurrentFrame() == 1; }));
    EXPECT_EQ(pictures->CurrentFrame(), 0);

    // Asked to, the pictures play all the same.
    pictures->PlayGif();
    EXPECT_TRUE(pictures->IsPlaying());
    EXPECT_TRUE(PumpUntil([&] { return pictures->CurrentFrame() == 1; }));
}

TEST_F(GifAnimTest, AFileThatIsNotAGifLeavesNoImageAndIsTriedAgainAtEveryPaint) {
    const auto path = dir / "late.gif";
    auto* gif = Add<CGifAnimUI>(L"autoplay=\"true\" bkimage=\"" + path.wstring() + L"\"");
    Show();
    EXPECT_FALSE(gif->HasImage());
    EXPECT_FALSE(gif->IsPlaying());

    auto file = MakeGif("late.gif", {{5, "#FF0000"}, {5, "#00FF00"}});
    if (file.empty()) {
        GTEST_SKIP() << "ImageMagick's convert is not installed";
    }
    gif->Invalidate();
    UpdateWindow(window);
    EXPECT_TRUE(gif->HasImage());
    EXPECT_TRUE(gif->IsPlaying());
}

}  // namespace
