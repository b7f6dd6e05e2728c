// The edit with Chinese text and the open month calendar on a real X server:
// what the windows painted and what the server shows. The pictures are kept
// in the build folder (screenshots/) to be looked at.

#include <cairo.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "tests/support/process.h"
#include "tests/support/temp_dir.h"
#include "tests/support/x_server.h"

namespace {

using namespace std::chrono_literals;
using testing_support::BackgroundProcess;
using testing_support::ProcessOptions;

struct Census {
    int dark = 0;       // text
    int highlight = 0;  // selection and chosen day (0, 120, 215)
};

// Pixels of the image's rows above `rows` (0: all).
Census Count(const std::filesystem::path& png, int rows = 0) {
    Census census;
    cairo_surface_t* image = cairo_image_surface_create_from_png(png.string().c_str());
    EXPECT_EQ(cairo_surface_status(image), CAIRO_STATUS_SUCCESS) << png;
    if (cairo_surface_status(image) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(image);
        return census;
    }
    int w = cairo_image_surface_get_width(image);
    int h = cairo_image_surface_get_height(image);
    if (rows > 0) {
        h = std::min(h, rows);
    }
    const unsigned char* data = cairo_image_surface_get_data(image);
    int stride = cairo_image_surface_get_stride(image);
    for (int y = 0; y < h; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + y * stride);
        for (int x = 0; x < w; ++x) {
            std::uint32_t p = row[x] & 0xFFFFFF;
            int r = static_cast<int>(p >> 16);
            int g = static_cast<int>((p >> 8) & 0xFF);
            int b = static_cast<int>(p & 0xFF);
            census.dark += r < 80 && g < 80 && b < 80 ? 1 : 0;
            census.highlight += p == 0x0078D7 ? 1 : 0;
        }
    }
    cairo_surface_destroy(image);
    return census;
}

TEST(ControlsScreenshot, EditWithChineseTextAndOpenCalendarShowOnX) {
    std::unique_ptr<testing_support::XServer> server;
    // With a window manager, as on a desktop: without one the display library
    // hands the keyboard to every window it shows, the drop-down too.
    testing_support::StartXServerOrSkip(true, server);
    if (server == nullptr) {
        return;
    }
    auto shots = std::filesystem::path(VANTU_BUILD_DIR) / "screenshots";
    std::filesystem::create_directories(shots);
    ProcessOptions options;
    options.args = {shots.string(), "20"};
    // The display libraries keep a D-Bus connection to the end: no leak check
    // for the probe in the sanitizer build.
    options.env = {server->Env(), "SDL_VIDEODRIVER=x11", "ASAN_OPTIONS=detect_leaks=0"};
    BackgroundProcess probe(testing_support::BinDir() / "vantu_controls_probe", options);
    ASSERT_TRUE(probe.WaitForOutput("ready", 15s)) << probe.Err();

    // Painted: the Chinese text (over 30 dark pixels per ideograph) with its
    // selection; the calendar's days with the chosen one.
    Census edit = Count(shots / "edit.png");
    EXPECT_GT(edit.dark, 300);
    EXPECT_GT(edit.highlight, 150);
    Census calendar = Count(shots / "calendar.png");
    EXPECT_GT(calendar.dark, 500);
    EXPECT_GT(calendar.highlight, 300);

    // Shown by the server as painted.
    auto import = testing_support::FindProgram("import");
    if (!import) {
        GTEST_SKIP() << "ImageMagick's import is not installed";
    }
    std::istringstream ready(probe.Out().substr(probe.Out().find("ready")));
    std::string word;
    unsigned long windowId = 0;
    unsigned long calendarId = 0;
    ready >> word >> windowId >> calendarId;
    for (auto [id, name] :
         {std::pair{windowId, "edit-x11.png"}, std::pair{calendarId, "calendar-x11.png"}}) {
        ProcessOptions shot;
        shot.args = {"-window", std::to_string(id), (shots / name).string()};
        shot.env = {server->Env()};
        shot.timeout = 10s;
        auto result = testing_support::RunProcess(*import, shot);
        ASSERT_EQ(result.exitCode, 0) << result.err;
    }
    // The edit's band (the calendar covers the window below it), still
    // focused with its selection: the drop-down took no activation.
    Census paintedBand = Count(shots / "edit.png", 50);
    Census shownBand = Count(shots / "edit-x11.png", 50);
    // The blinking caret (one pixel wide, a line high) may show over it.
    EXPECT_NEAR(shownBand.dark, paintedBand.dark, 30);
    EXPECT_EQ(shownBand.highlight, paintedBand.highlight);
    Census shownCalendar = Count(shots / "calendar-x11.png");
    EXPECT_EQ(shownCalendar.highlight, calendar.highlight);
}

}  // namespace
