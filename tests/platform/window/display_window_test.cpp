// A real window of the platform layer on an X server with a window manager:
// it appears with its class, title and colours, and its caption drags it.

#include <cairo.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <sstream>
#include <thread>

#include "platform/x11/linux/x11_window_lookup.h"
#include "platform/x11/linux/x11_window_message.h"
#include "tests/support/deadline.h"
#include "tests/support/process.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace std::chrono_literals;
using testing_support::BackgroundProcess;
using testing_support::Deadline;
using testing_support::ProcessOptions;
using testing_support::RunProcess;
using testing_support::WaitUntil;

std::optional<std::filesystem::path> FindProgram(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::stringstream dirs(path != nullptr ? path : "/usr/bin:/bin");
    std::string dir;
    while (std::getline(dirs, dir, ':')) {
        auto candidate = std::filesystem::path(dir) / name;
        if (!dir.empty() && access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
    }
    return std::nullopt;
}

struct Point {
    int x = 0;
    int y = 0;
};

class DisplayWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* tool : {"Xvfb", "openbox", "import", "xdotool", "xprop"}) {
            auto found = FindProgram(tool);
            if (!found) {
                GTEST_SKIP() << tool << " is not installed";
            }
            tools[tool] = *found;
        }
        // Our own server on a free display, which it picks and reports.
        ProcessOptions xvfb;
        xvfb.args = {"-displayfd", "1", "-screen", "0", "800x600x24", "-nolisten", "tcp"};
        server.emplace(tools["Xvfb"], xvfb);
        auto deadline = std::chrono::steady_clock::now() + 10s;
        while (server->Out().find('\n') == std::string::npos &&
               std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(20ms);
        }
        std::string number = server->Out();
        ASSERT_NE(number.find('\n'), std::string::npos) << server->Err();
        display = ":" + number.substr(0, number.find('\n'));

        ProcessOptions wm;
        wm.env = {"DISPLAY=" + display};
        manager.emplace(tools["openbox"], wm);
        deadline = std::chrono::steady_clock::now() + 10s;
        while (Run("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"}).find("window id") ==
                   std::string::npos &&
               std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(50ms);
        }
    }

    std::string Run(const std::string& tool, std::vector<std::string> args) {
        ProcessOptions options;
        options.args = std::move(args);
        options.env = {"DISPLAY=" + display};
        options.timeout = 10s;
        return RunProcess(tools[tool], options).out;
    }

    BackgroundProcess StartProbe(std::vector<std::string> args) {
        ProcessOptions options;
        options.args = std::move(args);
        // The display libraries keep a D-Bus connection to the end: no leak
        // check for the probe in the sanitizer build (its exit code is checked).
        options.env = {"DISPLAY=" + display, "SDL_VIDEODRIVER=x11", "ASAN_OPTIONS=detect_leaks=0"};
        return BackgroundProcess(testing_support::BinDir() / "vantu_window_probe", options);
    }

    // The probe's window, found by its class as another process would.
    std::string ProbeWindowId() {
        const std::string found = Run("xdotool", {"search", "--class", "VantuProbeWindow"});
        return found.substr(0, found.find('\n'));
    }

    void ExpectClosedByAltF4(const std::string& id, BackgroundProcess& probe) {
        Run("xdotool", {"windowactivate", "--sync", id});
        Run("xdotool", {"key", "alt+F4"});
        auto ended = probe.Wait(5s);
        ASSERT_TRUE(ended.has_value()) << probe.Out();
        EXPECT_EQ(*ended, 0);
    }

    void MovePointer(Point to) {
        Run("xdotool", {"mousemove", std::to_string(to.x), std::to_string(to.y)});
    }

    Point Position(const std::string& id) {
        std::string out = Run("xdotool", {"getwindowgeometry", id});
        Point p;
        auto at = out.find("Position: ");
        if (at != std::string::npos) {
            std::sscanf(out.c_str() + at, "Position: %d,%d", &p.x, &p.y);
        }
        return p;
    }

    std::map<std::string, std::filesystem::path> tools;
    std::optional<BackgroundProcess> server;
    std::optional<BackgroundProcess> manager;
    std::string display;
};

std::uint32_t PixelAt(cairo_surface_t* s, int x, int y) {
    auto* row = cairo_image_surface_get_data(s) + y * cairo_image_surface_get_stride(s);
    return reinterpret_cast<const std::uint32_t*>(row)[x] & 0xFFFFFF;
}

TEST_F(DisplayWindowTest, AWindowAppearsWithItsClassAndColoursAndDragsByItsCaption) {
    BackgroundProcess probe = StartProbe({"20"});
    ASSERT_TRUE(probe.WaitForOutput("ready", 10s)) << probe.Err();

    // Found by class, as another process would, with its title.
    const std::string id = ProbeWindowId();
    ASSERT_FALSE(id.empty());
    std::string props = Run("xprop", {"-id", id, "WM_CLASS", "_NET_WM_NAME"});
    EXPECT_NE(props.find("\"VantuProbeWindow\", \"VantuProbeWindow\""), std::string::npos) << props;
    EXPECT_NE(props.find("Vantu探针窗口"), std::string::npos) << props;

    Point at = Position(id);
    testing_support::TempDir dir;
    auto shot = dir.path() / "screen.png";
    Run("import", {"-window", "root", shot.string()});
    cairo_surface_t* screen = cairo_image_surface_create_from_png(shot.string().c_str());
    ASSERT_EQ(cairo_surface_status(screen), CAIRO_STATUS_SUCCESS);
    EXPECT_EQ(PixelAt(screen, at.x + 150, at.y + 10), 0x3366CCu);   // caption band
    EXPECT_EQ(PixelAt(screen, at.x + 20, at.y + 150), 0xEE8822u);   // body
    EXPECT_EQ(PixelAt(screen, at.x + 100, at.y + 80), 0x22AA44u);   // child window
    EXPECT_EQ(PixelAt(screen, at.x + 310, at.y + 100), 0x000000u);  // outside
    EXPECT_EQ(PixelAt(screen, at.x, at.y), 0x000000u);              // cut by the round corner
    EXPECT_EQ(PixelAt(screen, at.x + 4, at.y), 0x3366CCu);
    cairo_surface_destroy(screen);

    // Drag by the caption: the window answers the press through its hit test
    // by handing the move to the window manager, which then grabs the
    // pointer and moves the window with it. Motion before that grab is lost,
    // so the pointer nudges on at its goal until the window follows, and is
    // let go once the window got there; the window hears of its new place
    // when the move ends.
    const Point press{at.x + 150, at.y + 15};
    const Point goal{press.x + 100, press.y + 100};
    auto near = [&](Point p, int dx, int dy) {
        return std::abs(p.x - (at.x + dx)) <= 3 && std::abs(p.y - (at.y + dy)) <= 3;
    };
    MovePointer(press);
    Run("xdotool", {"mousedown", "1"});
    int nudge = 0;
    Point moved = at;
    EXPECT_TRUE(WaitUntil(
        Deadline(10s),
        [&] {
            nudge = 1 - nudge;
            MovePointer(Point{goal.x + nudge, goal.y});
            moved = Position(id);
            return !near(moved, 0, 0);
        },
        50ms))
        << "the window manager never moved the window";
    MovePointer(goal);
    EXPECT_TRUE(WaitUntil(
        Deadline(5s),
        [&] {
            moved = Position(id);
            return near(moved, 100, 100);
        },
        50ms))
        << "the window stopped at " << moved.x << "," << moved.y;
    Run("xdotool", {"mouseup", "1"});
    moved = Position(id);
    EXPECT_NEAR(moved.x, at.x + 100, 3);
    EXPECT_NEAR(moved.y, at.y + 100, 3);
    EXPECT_TRUE(
        probe.WaitForOutput("moved " + std::to_string(moved.x) + " " + std::to_string(moved.y), 5s))
        << probe.Out();

    // Another program finds it by class and title and sends it a message,
    // which its procedure answers.
    const char* ownDisplay = std::getenv("DISPLAY");
    std::string savedDisplay = ownDisplay != nullptr ? ownDisplay : "";
    setenv("DISPLAY", display.c_str(), 1);
    platform::ForeignWindow found =
        platform::FindForeignWindow(L"VantuProbeWindow", L"Vantu探针窗口");
    LRESULT answer = 0;
    bool answered =
        found != 0 && platform::SendForeignMessage(found, WM_APP + 7, 5, 6, 5s, &answer);
    if (ownDisplay != nullptr) {
        setenv("DISPLAY", savedDisplay.c_str(), 1);
    } else {
        unsetenv("DISPLAY");
    }
    EXPECT_EQ(std::to_string(found), std::to_string(std::stoul(id)));
    EXPECT_TRUE(answered);
    EXPECT_EQ(answer, 11);
    EXPECT_TRUE(probe.WaitForOutput("foreign 5 6", 2s)) << probe.Out();

    // Alt+F4 through the window manager closes it: WM_CLOSE, then destroyed.
    ExpectClosedByAltF4(id, probe);
}

// Xlib's own handler ends the process at any protocol error; a request naming
// a window that is gone meanwhile is reported and the program goes on.
TEST_F(DisplayWindowTest, AnXErrorIsReportedAndTheWindowGoesOn) {
    BackgroundProcess probe = StartProbe({"20", "x-error"});
    ASSERT_TRUE(probe.WaitForOutput("went on after an X error", 10s)) << probe.Out() << probe.Err();
    EXPECT_NE(probe.Err().find("X error BadWindow"), std::string::npos) << probe.Err();
    EXPECT_NE(probe.Err().find("X_SendEvent"), std::string::npos) << probe.Err();
    const std::string id = ProbeWindowId();
    ASSERT_FALSE(id.empty());
    ExpectClosedByAltF4(id, probe);
}

}  // namespace
