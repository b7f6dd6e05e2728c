#pragma once

// Small pieces the benchmark drivers share. Header-only: every bench/*.cpp
// is a program of its own.

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace bench_support {

// The middle value (the upper one of the two middles for an even count).
inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Median wall time of `runs` calls of `work`, in seconds.
template <class Work>
double MedianSeconds(int runs, Work work) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return Median(std::move(times));
}

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

inline double Best(const std::vector<double>& times) {
    return *std::min_element(times.begin(), times.end());
}

// Prints our time against the reference's; true when the ratio is within `limit`.
inline bool Report(const char* what, double ours, double reference, double limit) {
    double ratio = ours / reference;
    std::printf("%-44s ours %.3f s, reference %.3f s, ratio %.3f (limit %.2f) %s\n", what, ours,
                reference, ratio, limit, ratio <= limit ? "ok" : "TOO SLOW");
    return ratio <= limit;
}

}  // namespace bench_support
