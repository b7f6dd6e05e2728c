#pragma once

// The local update server on a given port for the Linux benchmark drivers.
// Header-only: every bench/*.cpp is a program of its own.

#include <signal.h>
#include <sys/wait.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "bench/support/process_runs.h"

namespace bench_support {

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
