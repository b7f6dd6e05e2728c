#include "tests/support/x_server.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>
// After gtest: Xlib's macros (Bool, None, ...) would clash with its names.
#include <X11/Xlib.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <sstream>
#include <thread>

#include "platform/x11/linux/x11_support.h"

namespace testing_support {

namespace {

using namespace std::chrono_literals;

bool ListsClient(Display* d, Window window) {
    auto clients = platform::x11::ClientList(d, DefaultRootWindow(d));
    return std::find(clients.begin(), clients.end(), window) != clients.end();
}

// True once the window manager manages new windows: a window mapped as a
// probe shows up in its client list within the time-out. Announcing itself on the root is not
// enough: a window mapped during its start-up may never be handled, and a
// program waiting for that window to appear would hang.
bool WindowManagerReady(const std::string& display, std::chrono::milliseconds timeout) {
    Display* d = XOpenDisplay(display.c_str());
    if (d == nullptr) {
        return false;
    }
    Window probe = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 10, 10, 0, 0, 0);
    XMapWindow(d, probe);
    XSync(d, False);
    auto deadline = std::chrono::steady_clock::now() + timeout;
    bool ready = false;
    while (!(ready = ListsClient(d, probe)) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(10ms);
    }
    XDestroyWindow(d, probe);
    XCloseDisplay(d);
    return ready;
}

void Stop(std::unique_ptr<BackgroundProcess>& process) {
    if (process) {
        process->Signal(SIGTERM);
        process->Wait(2s);
        process.reset();
    }
}

}  // namespace

std::optional<std::filesystem::path> FindProgram(std::string_view name) {
    const char* path = std::getenv("PATH");
    std::stringstream folders(path != nullptr ? path : "/usr/bin:/bin");
    std::string folder;
    while (std::getline(folders, folder, ':')) {
        std::filesystem::path candidate = std::filesystem::path(folder) / name;
        if (access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
    }
    return std::nullopt;
}

std::unique_ptr<XServer> XServer::Start(bool windowManager) {
    auto xvfb = FindProgram("Xvfb");
    auto openbox = FindProgram("openbox");
    if (!xvfb || (windowManager && !openbox)) {
        return nullptr;
    }
    std::unique_ptr<XServer> server(new XServer);
    // -displayfd picks a free display and writes its number once it accepts clients.
    ProcessOptions xvfbOptions;
    // -noreset: otherwise the server resets whenever its last client leaves
    // and drops clients that connect meanwhile.
    xvfbOptions.args = {"-displayfd", "1",       "-nolisten", "tcp",
                        "-noreset",   "-screen", "0",         "1024x768x24"};
    server->m_xvfb = std::make_unique<BackgroundProcess>(*xvfb, xvfbOptions);
    if (!server->m_xvfb->WaitForOutput("\n", 10s)) {
        ADD_FAILURE() << "Xvfb did not start: " << server->m_xvfb->Err();
        return nullptr;
    }
    std::string number = server->m_xvfb->Out();
    number.erase(number.find_last_not_of("\r\n") + 1);
    server->m_display = ":" + number;
    if (windowManager) {
        ProcessOptions wmOptions;
        wmOptions.args = {"--sm-disable"};
        wmOptions.env = {server->Env()};
        server->m_windowManager = std::make_unique<BackgroundProcess>(*openbox, wmOptions);
        auto deadline = std::chrono::steady_clock::now() + 10s;
        while (!WindowManagerReady(server->m_display, 500ms)) {
            if (std::chrono::steady_clock::now() > deadline) {
                auto exited = server->m_windowManager->Wait(std::chrono::milliseconds(0));
                ADD_FAILURE() << "openbox did not start on " << server->m_display << " ("
                              << (exited ? "exited with " + std::to_string(*exited) : "running")
                              << "): " << server->m_windowManager->Err();
                return nullptr;
            }
        }
    }
    return server;
}

void StartXServerOrSkip(bool windowManager, std::unique_ptr<XServer>& server) {
    server = XServer::Start(windowManager);
    if (server) {
        return;
    }
    if (testing::Test::HasFailure()) {
        FAIL() << "no X server";
    }
    GTEST_SKIP() << "Xvfb or openbox is not installed";
}

XServer::~XServer() {
    Stop(m_windowManager);
    Stop(m_xvfb);
}

ScopedEnv::ScopedEnv(std::string name, std::optional<std::string> value) : m_name(std::move(name)) {
    if (const char* old = std::getenv(m_name.c_str())) {
        m_previous = old;
    }
    if (value) {
        setenv(m_name.c_str(), value->c_str(), 1);
    } else {
        unsetenv(m_name.c_str());
    }
}

ScopedEnv::~ScopedEnv() {
    if (m_previous) {
        setenv(m_name.c_str(), m_previous->c_str(), 1);
    } else {
        unsetenv(m_name.c_str());
    }
}

}  // namespace testing_support
