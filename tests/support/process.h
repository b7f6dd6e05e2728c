#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace testing_support {

struct ProcessOptions {
    std::vector<std::string> args;                   // after the program path
    std::vector<std::string> env;                    // NAME=value, added to this environment
    std::optional<std::filesystem::path> directory;  // current folder of the child
    std::chrono::milliseconds timeout{20000};
};

struct ProcessResult {
    int exitCode = -1;  // -1 when killed by a signal or the time-out
    int signal = 0;
    bool timedOut = false;
    std::string out;
    std::string err;
    std::chrono::milliseconds elapsed{0};
};

// Runs a program to its end with captured output; kills it at the time-out.
ProcessResult RunProcess(const std::filesystem::path& program, const ProcessOptions& options = {});

// A program running in the background; killed (SIGKILL; on Windows with
// what it started) and reaped when the object goes. Its output goes to files that can be read at
// any time.
class BackgroundProcess {
  public:
    BackgroundProcess(const std::filesystem::path& program, const ProcessOptions& options = {});
    ~BackgroundProcess();
    BackgroundProcess(const BackgroundProcess&) = delete;
    BackgroundProcess& operator=(const BackgroundProcess&) = delete;

    pid_t pid() const { return m_pid; }
    std::string Out() const;
    std::string Err() const;
    // Polls the output until it contains `text` or the time-out passes.
    bool WaitForOutput(const std::string& text, std::chrono::milliseconds timeout) const;
    // Waits for the end; nullopt at the time-out.
    std::optional<int> Wait(std::chrono::milliseconds timeout);
    // Ends the process at once, giving it no chance to tidy up (a crash or a
    // power cut as the program sees it): SIGKILL on Linux, TerminateProcess
    // on Windows.
    void Kill();
    // On Windows any signal ends the process: there is no stopping one.
    void Signal(int signal);

  private:
    pid_t m_pid = -1;
    void* m_handle = nullptr;  // Windows: the process, and its job in m_job
    void* m_job = nullptr;
    bool m_reaped = false;
    int m_status = 0;
    std::filesystem::path m_outPath;
    std::filesystem::path m_errPath;
};

// The text with each CR LF as LF: programs on Windows end their lines so,
// and tests compare the lines alone. Output read by RunProcess and
// BackgroundProcess comes so already.
std::string WithLineFeeds(std::string text);

// The folder with the project's built programs.
std::filesystem::path BinDir();

}  // namespace testing_support
