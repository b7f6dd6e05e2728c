// The launcher's windows on an X server with a window manager, driven with
// xdotool as a user would: the upgrade window has its skin's size and
// colours, its title drags it, and its close button asks first.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <sstream>
#include <thread>

#include "tests/support/deadline.h"
#include "tests/support/launcher_lock.h"
#include "tests/support/process.h"
#include "tests/support/temp_dir.h"
#include "tests/support/update_server.h"
#include "tests/support/x_server.h"
#include "update/build_settings.h"

namespace {

using namespace std::chrono_literals;
using testing_support::BackgroundProcess;
using testing_support::BinDir;
using testing_support::Deadline;
using testing_support::LocalUpdateServer;
using testing_support::ProcessOptions;
using testing_support::RunProcess;
using testing_support::TempDir;
using testing_support::UpdateServerOptions;

namespace fs = std::filesystem;

struct Geometry {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

class LauncherOnScreen : public testing::Test {
  protected:
    void SetUp() override {
        testing_support::StartXServerOrSkip(true, m_x);
        if (m_x == nullptr) {
            return;
        }
        for (const char* tool : {"xdotool", "convert", "import"}) {
            if (!testing_support::FindProgram(tool)) {
                GTEST_SKIP() << tool << " is not installed";
            }
        }
        fs::copy_file(BinDir() / "VantuLauncherLocal", m_folder / "VantuLauncher");
        fs::copy_file(BinDir() / "VantuSpeedUp.exe", m_folder / "VantuSpeedUp.exe");
    }

    // xdotool (or another X client) on the test's display; its standard output.
    std::string X(const std::string& program, std::vector<std::string> args) {
        ProcessOptions options;
        options.args = std::move(args);
        options.env = {m_x->Env()};
        options.timeout = 10s;
        return RunProcess(*testing_support::FindProgram(program), options).out;
    }

    // The window of that X class, waited for; 0 when none came.
    unsigned long WaitForWindow(const std::string& cls) {
        unsigned long id = 0;
        testing_support::WaitUntil(
            Deadline(10s),
            [&] {
                std::istringstream(
                    X("xdotool", {"search", "--onlyvisible", "--class", "^" + cls + "$"})) >>
                    id;
                return id != 0;
            },
            50ms);
        return id;
    }

    bool WaitForNoWindow(const std::string& cls) {
        return testing_support::WaitUntil(
            Deadline(10s),
            [&] {
                return X("xdotool", {"search", "--onlyvisible", "--class", "^" + cls + "$"})
                    .empty();
            },
            50ms);
    }

    Geometry GeometryOf(unsigned long id) {
        std::map<std::string, int> values;
        std::istringstream lines(
            X("xdotool", {"getwindowgeometry", "--shell", std::to_string(id)}));
        for (std::string line; std::getline(lines, line);) {
            const auto equals = line.find('=');
            if (equals != std::string::npos) {
                values[line.substr(0, equals)] = std::atoi(line.c_str() + equals + 1);
            }
        }
        return Geometry{values["X"], values["Y"], values["WIDTH"], values["HEIGHT"]};
    }

    // The screen's colour at a point, as "#RRGGBB".
    std::string ScreenColour(int x, int y) {
        const std::string text =
            X("import", {"-window", "root", "-depth", "8", "-crop",
                         "1x1+" + std::to_string(x) + "+" + std::to_string(y), "txt:-"});
        const auto hash = text.find('#', text.find('\n'));
        return hash == std::string::npos ? text : text.substr(hash, 7);
    }

    void Click(int x, int y) {
        X("xdotool", {"mousemove", std::to_string(x), std::to_string(y)});
        std::this_thread::sleep_for(100ms);
        X("xdotool", {"click", "1"});
    }

    std::unique_ptr<testing_support::XServer> m_x;
    testing_support::LauncherLock m_lock;
    TempDir m_folder;
    TempDir m_scratch;
};

TEST_F(LauncherOnScreen, UpgradeWindowDragsByItsTitleAndItsCloseButtonAsks) {
    if (m_x == nullptr || IsSkipped()) {
        return;
    }
    LocalUpdateServer server(UpdateServerOptions{.port = vantu::Settings().updatePort});
    // A package that trickles in: the window stays while the test works.
    server.SetVersionAnswer(
        R"({"Code":0,"Data":{"LatestVersion":"1.0.0.1","UpdateContent":"notes|说明","DownloadUrl":")" +
        server.HttpsUrl("/b/trickle-1024-200/gen/10000000") + R"("}})");
    const fs::path record = m_scratch / "record";
    ProcessOptions options;
    options.env = {m_x->Env(), "VANTU_BOOSTER_RECORD=" + record.string()};
    options.directory = m_scratch.path();
    BackgroundProcess launcher(m_folder / "VantuLauncher", options);

    const unsigned long window = WaitForWindow("MainWindow");
    ASSERT_NE(window, 0u) << "no upgrade window; launcher said: " << launcher.Err();
    std::this_thread::sleep_for(300ms);  // its first frame
    const Geometry at = GeometryOf(window);
    EXPECT_EQ(at.width, 500);
    EXPECT_EQ(at.height, 310);
    // Centred on the 1024 x 768 screen.
    EXPECT_EQ(at.x, (1024 - 500) / 2);
    EXPECT_EQ(at.y, (768 - 310) / 2);
    EXPECT_EQ(ScreenColour(at.x, at.y + 150), "#33374A");        // border
    EXPECT_EQ(ScreenColour(at.x + 250, at.y + 274), "#1E2938");  // progress track

    // Dragging the title moves the window.
    X("xdotool", {"mousemove", std::to_string(at.x + 200), std::to_string(at.y + 12)});
    std::this_thread::sleep_for(100ms);
    X("xdotool", {"mousedown", "1"});
    for (int step = 1; step <= 5; ++step) {
        std::this_thread::sleep_for(50ms);
        X("xdotool", {"mousemove", std::to_string(at.x + 200 + 12 * step),
                      std::to_string(at.y + 12 + 10 * step)});
    }
    std::this_thread::sleep_for(100ms);
    X("xdotool", {"mouseup", "1"});
    Geometry moved;
    testing_support::WaitUntil(
        Deadline(3s),
        [&] {
            moved = GeometryOf(window);
            return moved.x != at.x;
        },
        50ms);
    EXPECT_NEAR(moved.x - at.x, 60, 4);
    EXPECT_NEAR(moved.y - at.y, 50, 4);

    // The close button asks; Cancel keeps the window.
    Click(moved.x + 482, moved.y + 18);
    unsigned long box = WaitForWindow("MessageBox");
    ASSERT_NE(box, 0u) << "the close button did not ask";
    std::this_thread::sleep_for(300ms);
    Geometry boxAt = GeometryOf(box);
    EXPECT_EQ(boxAt.width, 370);
    EXPECT_EQ(boxAt.height, 208);
    EXPECT_EQ(ScreenColour(boxAt.x + 369, boxAt.y + 100), "#33374A");  // border
    Click(boxAt.x + 260, boxAt.y + 162);                               // Cancel
    ASSERT_TRUE(WaitForNoWindow("MessageBox")) << "Cancel did not close the box";
    EXPECT_NE(WaitForWindow("MainWindow"), 0u);

    // OK leaves: the launcher ends and the booster is not started.
    Click(moved.x + 482, moved.y + 18);
    box = WaitForWindow("MessageBox");
    ASSERT_NE(box, 0u);
    std::this_thread::sleep_for(300ms);
    boxAt = GeometryOf(box);
    Click(boxAt.x + 110, boxAt.y + 162);  // OK
    EXPECT_EQ(launcher.Wait(10s), 0);
    std::this_thread::sleep_for(200ms);
    EXPECT_FALSE(fs::exists(record));
}

// On a display the windows module is loaded while the query is in flight;
// when no window is needed the booster still starts, and no window is made.
TEST_F(LauncherOnScreen, EqualVersionsLoadTheWindowsAheadButShowNone) {
    if (m_x == nullptr || IsSkipped()) {
        return;
    }
    LocalUpdateServer server(UpdateServerOptions{.port = vantu::Settings().updatePort});
    server.SetVersionAnswer(R"({"Code":0,"Data":{"LatestVersion":"1.0.0.0","DownloadUrl":"u"}})");
    const fs::path record = m_scratch / "record";
    const fs::path trace = m_scratch / "trace";
    testing_support::WriteFile(trace, "");
    ProcessOptions options;
    options.env = {m_x->Env(), "VANTU_BOOSTER_RECORD=" + record.string(),
                   "VANTU_STARTUP_TRACE=" + trace.string()};
    options.timeout = 10s;
    EXPECT_EQ(RunProcess(m_folder / "VantuLauncher", options).exitCode, 0);
    EXPECT_TRUE(testing_support::WaitUntil(Deadline(3s), [&] { return fs::exists(record); }));
    const std::string said = testing_support::ReadFile(trace);
    EXPECT_NE(said.find(" windows module loaded\n"), std::string::npos) << said;
    EXPECT_NE(said.find(" font configuration ready\n"), std::string::npos) << said;
    EXPECT_EQ(said.find(" display connected\n"), std::string::npos) << said;
    EXPECT_EQ(said.find(" first frame presented\n"), std::string::npos) << said;
}

TEST_F(LauncherOnScreen, ServerDownShowsItsBoxUntilOkAndStartsNothing) {
    if (m_x == nullptr || IsSkipped()) {
        return;
    }
    const fs::path record = m_scratch / "record";
    ProcessOptions options;
    options.env = {m_x->Env(), "VANTU_BOOSTER_RECORD=" + record.string()};
    BackgroundProcess launcher(m_folder / "VantuLauncher", options);  // nothing listens

    const unsigned long box = WaitForWindow("MessageBox");
    ASSERT_NE(box, 0u) << "no box; launcher said: " << launcher.Err();
    std::this_thread::sleep_for(300ms);
    const Geometry at = GeometryOf(box);
    EXPECT_EQ(at.width, 370);
    EXPECT_EQ(at.height, 208);
    EXPECT_EQ(at.x, (1024 - 370) / 2);
    EXPECT_EQ(at.y, (768 - 208) / 2);
    EXPECT_EQ(launcher.Wait(200ms), std::nullopt);  // it waits for the user
    Click(at.x + 185, at.y + 162);                  // OK, alone in the middle
    EXPECT_EQ(launcher.Wait(10s), 0);
    EXPECT_FALSE(fs::exists(record));
}

}  // namespace
