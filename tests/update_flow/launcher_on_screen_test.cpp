// The launcher's windows on an X server with a window manager, driven with
// xdotool as a user would: the upgrade window has its skin's size and
// colours, its title drags it, and its close button asks first, as often as
// the user likes while the download runs.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <optional>
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

    // What the launcher said, for a test that failed.
    void TearDown() override {
        if (HasFailure() && m_launcher) {
            std::cerr << "launcher's standard output:\n"
                      << m_launcher->Out() << "launcher's standard error:\n"
                      << m_launcher->Err() << std::flush;
        }
    }

    // The launcher on the test's display, run from the scratch folder; what
    // it starts as booster leaves the file `record`.
    BackgroundProcess& StartLauncher() {
        ProcessOptions options;
        options.env = {m_x->Env(), "VANTU_BOOSTER_RECORD=" + Record().string()};
        options.directory = m_scratch.path();
        m_launcher.emplace(m_folder / "VantuLauncher", options);
        return *m_launcher;
    }
    fs::path Record() const { return m_scratch / "record"; }

    // An update whose package trickles in `bytes` every `milliseconds`: the
    // window stays while the test works, and progress keeps coming.
    void OfferTricklingUpdate(LocalUpdateServer& server, int bytes, int milliseconds) {
        server.SetVersionAnswer(
            R"({"Code":0,"Data":{"LatestVersion":"1.0.0.1","UpdateContent":"notes|说明","DownloadUrl":")" +
            server.HttpsUrl("/b/trickle-" + std::to_string(bytes) + "-" +
                            std::to_string(milliseconds) + "/gen/10000000") +
            R"("}})");
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
    // A first window of a sanitized launcher on a loaded machine can take
    // longer than ten seconds; one that works shows in a second or two.
    unsigned long WaitForWindow(const std::string& cls) {
        unsigned long id = 0;
        testing_support::WaitUntil(
            Deadline(30s),
            [&] {
                std::istringstream(
                    X("xdotool", {"search", "--onlyvisible", "--class", "^" + cls + "$"})) >>
                    id;
                return id != 0;
            },
            50ms);
        return id;
    }

    bool WaitForNoWindow(const std::string& cls, std::chrono::milliseconds wait = 10s) {
        return testing_support::WaitUntil(
            Deadline(wait),
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

    // The window's geometry once it stands where it belongs (within a pixel);
    // what it has at the deadline otherwise, for the test to fail on.
    Geometry WaitForPlace(unsigned long id, const Geometry& place) {
        Geometry now;
        testing_support::WaitUntil(
            Deadline(5s),
            [&] {
                now = GeometryOf(id);
                return std::abs(now.x - place.x) <= 1 && std::abs(now.y - place.y) <= 1;
            },
            50ms);
        EXPECT_NEAR(now.x, place.x, 1);
        EXPECT_NEAR(now.y, place.y, 1);
        return now;
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
    std::optional<BackgroundProcess> m_launcher;  // ends before the X server
};

TEST_F(LauncherOnScreen, UpgradeWindowDragsByItsTitleAndItsCloseButtonAsks) {
    if (m_x == nullptr || IsSkipped()) {
        return;
    }
    LocalUpdateServer server(UpdateServerOptions{.port = vantu::Settings().updatePort});
    OfferTricklingUpdate(server, 1024, 200);
    BackgroundProcess& launcher = StartLauncher();

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
    EXPECT_FALSE(fs::exists(Record()));
}

// Opening "升级尚未完成，确定退出？" and dismissing it, by Escape, Cancel and
// its close button in turn, over and over while progress is posted every few
// milliseconds: each time the box goes, the upgrade window stays and the
// launcher runs on; OK at the end still leaves without the booster.
TEST_F(LauncherOnScreen, TheConfirmationBoxComesAndGoesWhileProgressPoursIn) {
    if (m_x == nullptr || IsSkipped()) {
        return;
    }
    LocalUpdateServer server(UpdateServerOptions{.port = vantu::Settings().updatePort});
    OfferTricklingUpdate(server, 64, 4);
    BackgroundProcess& launcher = StartLauncher();
    const unsigned long window = WaitForWindow("MainWindow");
    ASSERT_NE(window, 0u) << "no upgrade window";
    const Geometry at = WaitForPlace(window, Geometry{(1024 - 500) / 2, (768 - 310) / 2});
    // Where the box settles: centred on the upgrade window.
    const Geometry boxPlace{at.x + (500 - 370) / 2, at.y + (310 - 208) / 2};

    // Each way six times: about a minute on a loaded machine.
    constexpr int kRounds = 18;
    for (int round = 0; round < kRounds; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        Click(at.x + 482, at.y + 18);  // the upgrade window's close button
        const unsigned long box = WaitForWindow("MessageBox");
        ASSERT_NE(box, 0u) << "the close button did not ask";
        const Geometry boxAt = WaitForPlace(box, boxPlace);
        const auto dismiss = [&] {
            switch (round % 3) {
                case 0:
                    X("xdotool", {"windowactivate", "--sync", std::to_string(box)});
                    X("xdotool", {"key", "Escape"});
                    break;
                case 1:
                    Click(boxAt.x + 260, boxAt.y + 162);  // Cancel
                    break;
                default:
                    Click(boxAt.x + 352, boxAt.y + 18);  // the box's close button
                    break;
            }
        };
        // On a busy machine the input may reach the box before it can take it
        // (placed, not yet laid out): the same way once more is still the test.
        bool gone = false;
        for (int attempt = 0; attempt < 3 && !gone; ++attempt) {
            dismiss();
            gone = WaitForNoWindow("MessageBox", attempt < 2 ? 3s : 10s);
        }
        ASSERT_TRUE(gone) << "the box stayed";
        // The next round's click finds the upgrade window's close button.
        ASSERT_EQ(launcher.Wait(0ms), std::nullopt) << "the launcher ended";
    }
    EXPECT_NE(WaitForWindow("MainWindow"), 0u) << "the upgrade window went";
    // A post from the worker wakes the display by an event to one of our
    // windows, which may be the box just destroyed: that error, reported,
    // is the only one.
    std::istringstream err(launcher.Err());
    for (std::string line; std::getline(err, line);) {
        if (line.starts_with("X error")) {
            EXPECT_NE(line.find("BadWindow"), std::string::npos) << line;
            EXPECT_NE(line.find("X_SendEvent"), std::string::npos) << line;
        }
    }

    Click(at.x + 482, at.y + 18);
    const unsigned long box = WaitForWindow("MessageBox");
    ASSERT_NE(box, 0u);
    const Geometry boxAt = WaitForPlace(box, boxPlace);
    Click(boxAt.x + 110, boxAt.y + 162);  // OK
    EXPECT_EQ(launcher.Wait(10s), 0);
    EXPECT_FALSE(fs::exists(Record()));
}

// On a display the windows module is loaded, and the display connected,
// while the query is in flight; when no window is needed the booster still
// starts, no window is made, and the run ends once that look-ahead is done.
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
    EXPECT_NE(said.find(" text drawn ahead\n"), std::string::npos) << said;
    EXPECT_NE(said.find(" images decoded ahead\n"), std::string::npos) << said;
    EXPECT_NE(said.find(" display connected\n"), std::string::npos) << said;
    EXPECT_EQ(said.find(" window made, skin parse starts\n"), std::string::npos) << said;
    EXPECT_EQ(said.find(" first frame presented\n"), std::string::npos) << said;
    EXPECT_EQ(said.find(" first frame painted\n"), std::string::npos) << said;
}

TEST_F(LauncherOnScreen, ServerDownShowsItsBoxUntilOkAndStartsNothing) {
    if (m_x == nullptr || IsSkipped()) {
        return;
    }
    BackgroundProcess& launcher = StartLauncher();  // nothing listens

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
    EXPECT_FALSE(fs::exists(Record()));
}

}  // namespace
