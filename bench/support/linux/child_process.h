#pragma once

// Child programs of the Linux-only benchmarks, with their peak memory.

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

extern char** environ;

namespace bench_support {

// A null-terminated argv for posix_spawn over `args`, which must outlive it.
inline std::vector<char*> ArgvOf(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const auto& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    return argv;
}

struct ChildResult {
    int status = -1;
    long maxRssKiB = 0;
};

// Runs a program with its output thrown away (or into `output`).
inline ChildResult RunChild(const std::vector<std::string>& args,
                            const std::string& output = "/dev/null") {
    std::vector<char*> argv = ArgvOf(args);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid;
    ChildResult result;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        rusage usage{};
        wait4(pid, &status, 0, &usage);
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.maxRssKiB = usage.ru_maxrss;
    }
    posix_spawn_file_actions_destroy(&actions);
    return result;
}

}  // namespace bench_support
