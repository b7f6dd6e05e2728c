#pragma once

// Processes for the benchmark drivers: starting programs, and the local
// update server on a given port. Header-only: every bench/*.cpp is a
// program of its own.

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "bench/support/bench_support.h"

extern char** environ;

namespace bench_support {

// Starts a program (argv[0] a path) with this environment; -1 when it could
// not be started. Quiet: its standard output and error go to /dev/null.
inline pid_t Spawn(const std::vector<std::string>& args, bool quiet) {
    std::vector<char*> argv = ArgvOf(args);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (quiet) {
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    }
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
        pid = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// A launcher's status when another one (another checkout's tests, say)
// held the machine-wide name: the low byte of 1314.
inline constexpr int kAnotherLauncherStatus = 1314 & 0xFF;
// How often a run that met another launcher is tried again, a pause apart.
inline constexpr int kLauncherAttempts = 50;
inline constexpr auto kLauncherRetryPause = std::chrono::milliseconds(100);

// The local update server on the port the test launcher is built for; killed
// when the object goes.
class Server {
  public:
    Server(const std::filesystem::path& root, const std::filesystem::path& pki, int port) {
        std::filesystem::path ready = root / ".ready";
        m_pid = Spawn({"/bin/sh", "-c",
                       "exec /usr/bin/python3 '" VANTU_SOURCE_DIR
                       "/tools/update_server/update_server.py' --root '" +
                           root.string() + "' --pki '" + pki.string() + "' --port " +
                           std::to_string(port) + " > '" + ready.string() + "'"},
                      false);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
        while (std::chrono::steady_clock::now() < deadline) {
            std::ifstream in(ready);
            std::string line;
            if (std::getline(in, line) && line.starts_with("listening")) {
                m_up = true;
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    ~Server() {
        if (m_pid > 0) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
        }
    }
    bool Up() const { return m_up; }

  private:
    pid_t m_pid = -1;
    bool m_up = false;
};

}  // namespace bench_support
