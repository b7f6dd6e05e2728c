#include "tests/support/process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "tests/support/temp_dir.h"

extern char** environ;

namespace testing_support {

namespace {

using Clock = std::chrono::steady_clock;

std::vector<std::string> MergedEnvironment(const std::vector<std::string>& extra) {
    std::vector<std::string> merged;
    for (char** e = environ; *e != nullptr; ++e) {
        std::string entry = *e;
        auto name = entry.substr(0, entry.find('=') + 1);
        bool replaced = false;
        for (const auto& x : extra) {
            replaced = replaced || x.compare(0, name.size(), name) == 0;
        }
        if (!replaced) {
            merged.push_back(entry);
        }
    }
    merged.insert(merged.end(), extra.begin(), extra.end());
    return merged;
}

std::vector<char*> Pointers(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    for (auto& s : strings) {
        pointers.push_back(s.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

// Spawns with the given descriptors as standard output and error; the child's
// standard input is /dev/null.
pid_t Spawn(const std::filesystem::path& program, const ProcessOptions& options, int outFd,
            int errFd) {
    std::vector<std::string> argv{program.string()};
    argv.insert(argv.end(), options.args.begin(), options.args.end());
    auto env = MergedEnvironment(options.env);
    auto argvPtrs = Pointers(argv);
    auto envPtrs = Pointers(env);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, outFd, 1);
    posix_spawn_file_actions_adddup2(&actions, errFd, 2);
    if (options.directory) {
        posix_spawn_file_actions_addchdir_np(&actions, options.directory->c_str());
    }
    // A new process group, so that a time-out can end the child's children too.
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attr, 0);
    pid_t pid = -1;
    int rc = posix_spawn(&pid, program.c_str(), &actions, &attr, argvPtrs.data(), envPtrs.data());
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attr);
    if (rc != 0) {
        throw std::runtime_error("cannot start " + program.string() + ": " + std::strerror(rc));
    }
    return pid;
}

void Decode(int status, int& exitCode, int& signal) {
    if (WIFEXITED(status)) {
        exitCode = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        signal = WTERMSIG(status);
    }
}

}  // namespace

ProcessResult RunProcess(const std::filesystem::path& program, const ProcessOptions& options) {
    int outPipe[2];
    int errPipe[2];
    if (pipe2(outPipe, O_CLOEXEC) != 0 || pipe2(errPipe, O_CLOEXEC) != 0) {
        throw std::runtime_error("pipe failed");
    }
    auto start = Clock::now();
    pid_t pid = Spawn(program, options, outPipe[1], errPipe[1]);
    close(outPipe[1]);
    close(errPipe[1]);

    ProcessResult result;
    pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
    std::string* sinks[2] = {&result.out, &result.err};
    int open = 2;
    auto deadline = start + options.timeout;
    while (open > 0) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            result.timedOut = true;
            kill(-pid, SIGKILL);
            break;
        }
        if (poll(fds, 2, static_cast<int>(left.count())) < 0) {
            continue;
        }
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd >= 0 && (fds[i].revents & (POLLIN | POLLHUP | POLLERR))) {
                char buffer[4096];
                ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
                if (n > 0) {
                    sinks[i]->append(buffer, static_cast<size_t>(n));
                } else {
                    close(fds[i].fd);
                    fds[i].fd = -1;
                    --open;
                }
            }
        }
    }
    for (auto& fd : fds) {
        if (fd.fd >= 0) {
            close(fd.fd);
        }
    }
    int status = 0;
    waitpid(pid, &status, 0);
    result.elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
    Decode(status, result.exitCode, result.signal);
    return result;
}

BackgroundProcess::BackgroundProcess(const std::filesystem::path& program,
                                     const ProcessOptions& options) {
    char pattern[] = "/tmp/vantu-bg-XXXXXX";
    if (mkdtemp(pattern) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    m_outPath = std::filesystem::path(pattern) / "out";
    m_errPath = std::filesystem::path(pattern) / "err";
    int outFd = ::open(m_outPath.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    int errFd = ::open(m_errPath.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    m_pid = Spawn(program, options, outFd, errFd);
    close(outFd);
    close(errFd);
}

BackgroundProcess::~BackgroundProcess() {
    if (!m_reaped) {
        kill(-m_pid, SIGKILL);
        kill(m_pid, SIGKILL);
        waitpid(m_pid, &m_status, 0);
    }
    std::error_code ignored;
    std::filesystem::remove_all(m_outPath.parent_path(), ignored);
}

std::optional<int> BackgroundProcess::Wait(std::chrono::milliseconds timeout) {
    auto deadline = Clock::now() + timeout;
    while (!m_reaped) {
        pid_t done = waitpid(m_pid, &m_status, WNOHANG);
        if (done == m_pid) {
            m_reaped = true;
            break;
        }
        if (Clock::now() >= deadline) {
            return std::nullopt;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    int exitCode = -1;
    int signal = 0;
    Decode(m_status, exitCode, signal);
    return exitCode;
}

void BackgroundProcess::Kill() {
    kill(m_pid, SIGKILL);
}

void BackgroundProcess::Signal(int signal) {
    kill(m_pid, signal);
}

}  // namespace testing_support
