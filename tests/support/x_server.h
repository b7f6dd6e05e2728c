#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "tests/support/process.h"

namespace testing_support {

// A virtual X server (Xvfb) of the test's own on a free display, optionally
// with a window manager (openbox) on it. Own servers keep tests apart from
// each other and from a desktop the tests may run on.
class XServer {
  public:
    // Null when Xvfb (or, when asked for, openbox) is not installed: the test
    // should skip. Fails the test when the server does not come up.
    static std::unique_ptr<XServer> Start(bool windowManager);
    ~XServer();
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    // ":N"
    const std::string& Display() const { return m_display; }
    // For ProcessOptions::env.
    std::string Env() const { return "DISPLAY=" + m_display; }

  private:
    XServer() = default;
    std::string m_display;
    std::unique_ptr<BackgroundProcess> m_xvfb;
    std::unique_ptr<BackgroundProcess> m_windowManager;
};

// XServer::Start for a test's set-up: with no server, the test is failed
// when starting went wrong and skipped when the programs are missing. The
// caller returns at once when `server` is null.
void StartXServerOrSkip(bool windowManager, std::unique_ptr<XServer>& server);

// The program of that name found through PATH.
std::optional<std::filesystem::path> FindProgram(std::string_view name);

// Sets (or, with nullopt, removes) an environment variable of the test process
// until the object goes.
class ScopedEnv {
  public:
    ScopedEnv(std::string name, std::optional<std::string> value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

  private:
    std::string m_name;
    std::optional<std::string> m_previous;
};

}  // namespace testing_support
