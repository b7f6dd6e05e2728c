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

#include "bench/support/statistics.h"

namespace bench_support {

// Wall time of one call of `work`, in seconds.
template <class Work>
double SecondsOf(Work work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Our times and the reference's, one of each per round.
struct SideBySide {
    std::vector<double> ours;
    std::vector<double> reference;
    bool failed = false;

    // The reference's median over ours: a throughput ratio.
    Spread Speedup() const {
        const Spread ratio = Ratio();
        return {1 / ratio.median, 1 / ratio.upper, 1 / ratio.lower};
    }

    // Our median over the reference's, with the quartiles of the rounds'
    // own ratios as its spread.
    Spread Ratio() const {
        std::vector<double> rounds;
        for (std::size_t i = 0; i < ours.size(); ++i) {
            rounds.push_back(ours[i] / reference[i]);
        }
        Spread spread = SpreadOf(rounds);
        spread.median = Quantile(ours, 0.5) / Quantile(reference, 0.5);
        return spread;
    }
};

// Runs ours and the reference alternately, `warmUp` rounds unrecorded and
// then `rounds` recorded ones, the order swapped every round: both meet the
// same load, and neither always runs on caches the other warmed. Each
// callable returns its time (the same unit for both), negative when it
// failed; a failure ends the rounds with `failed` set.
template <class Ours, class Reference>
SideBySide Alternate(int rounds, Ours ours, Reference reference, int warmUp = 0) {
    SideBySide times;
    for (int round = 0; round < warmUp + rounds; ++round) {
        double mine = 0;
        double theirs = 0;
        if (round % 2 == 0) {
            mine = ours();
            theirs = reference();
        } else {
            theirs = reference();
            mine = ours();
        }
        if (mine < 0 || theirs < 0) {
            times.failed = true;
            break;
        }
        if (round >= warmUp) {
            times.ours.push_back(mine);
            times.reference.push_back(theirs);
        }
    }
    return times;
}

// One line of times: "<label> median M (quartiles L, U) <unit>", the values
// multiplied by `scale` first.
inline void PrintSpread(const char* label, const std::vector<double>& values, double scale,
                        const char* unit) {
    const Spread spread = SpreadOf(values);
    std::printf("  %-40s median %9.2f %s (quartiles %.2f, %.2f)\n", label, spread.median * scale,
                unit, spread.lower * scale, spread.upper * scale);
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

// Prints a time ratio (ours / reference) with its spread; true when it is
// within `limit`.
inline bool ReportAtMost(const char* what, const Spread& ratio, double limit) {
    const bool ok = ratio.median <= limit;
    std::printf("%-44s ratio %.3f (rounds' quartiles %.3f, %.3f; limit %.2f) %s\n", what,
                ratio.median, ratio.lower, ratio.upper, limit, ok ? "ok" : "TOO SLOW");
    return ok;
}

// The same for a figure that must reach `goal` (a throughput ratio).
inline bool ReportAtLeast(const char* what, const Spread& ratio, double goal) {
    const bool ok = ratio.median >= goal;
    std::printf("%-44s ratio %.3f (rounds' quartiles %.3f, %.3f; goal >= %.2f) %s\n", what,
                ratio.median, ratio.lower, ratio.upper, goal, ok ? "met" : "MISSED");
    return ok;
}

}  // namespace bench_support
