#pragma once

// A program of the machine the tests run on, for what only it has (the local
// update server, a Python program), run in the background with its output in
// files, and ended when the object goes.
//
// Under wine the tests are Windows programs: wine starts a Linux program for
// them, but gives no process handle to wait on or end it with. The program
// then gets "--lifeline FILE" after its arguments, a file whose first byte
// this object keeps locked, and must end once it can lock that byte itself,
// writing "stopped" as its last line (tools/update_server/update_server.py).
// A test that crashes releases the lock too, so no server outlives its test.

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace testing_support {

class HostProgram {
  public:
    // `program` and the paths among `args` as the host names them (HostPath).
    HostProgram(const std::string& program, const std::vector<std::string>& args);
    ~HostProgram();
    HostProgram(const HostProgram&) = delete;
    HostProgram& operator=(const HostProgram&) = delete;

    std::string Out() const;
    std::string Err() const;
    // Polls the output until it contains `text` or the time-out passes.
    bool WaitForOutput(const std::string& text, std::chrono::milliseconds timeout) const;

  private:
    struct Running;  // per system
    std::unique_ptr<Running> m_running;
};

// The path as the host's programs name it: itself on Linux, the Linux path
// under wine. Paths without a drive are the build's own (VANTU_SOURCE_DIR,
// VANTU_BUILD_DIR), which are Linux paths already.
std::string HostPath(const std::filesystem::path& path);
// The other way: a host path (one without a drive) as this program's own
// calls and the Windows programs it starts name it under wine, whatever
// their current drive; itself on Linux and for paths with a drive.
std::filesystem::path GuestPath(const std::filesystem::path& path);

}  // namespace testing_support
