#pragma once

// The launcher's start-up milestones (platform/process/startup_trace.h) as
// the first-frame benchmarks read and print them, on both systems: the
// trace's clock is the one std::chrono::steady_clock reads.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "bench/support/statistics.h"

namespace bench_support {

// The milestones of one run: what, and when after the start (ms).
using Milestones = std::vector<std::pair<std::string, double>>;
// Each milestone's times over the runs.
using MilestoneTimes = std::map<std::string, std::vector<double>>;

inline Milestones ReadMilestones(const std::filesystem::path& trace,
                                 std::chrono::steady_clock::time_point start) {
    Milestones milestones;
    std::ifstream in(trace);
    long long nanoseconds = 0;
    std::string what;
    while (in >> nanoseconds && std::getline(in, what)) {
        const std::chrono::steady_clock::time_point at{std::chrono::nanoseconds(nanoseconds)};
        what.erase(0, what.find_first_not_of(' '));
        what.erase(what.find_last_not_of("\r") + 1);
        milestones.emplace_back(what,
                                std::chrono::duration<double, std::milli>(at - start).count());
    }
    return milestones;
}

// The milestones in the order of their medians, each with the step from
// the one before.
inline void PrintBreakdown(const MilestoneTimes& milestones, std::size_t runs) {
    std::vector<std::pair<double, std::string>> order;
    for (const auto& [what, times] : milestones) {
        order.emplace_back(Median(times), what);
    }
    std::sort(order.begin(), order.end());
    std::printf(
        "where the launcher's time goes (medians from its start; step from the line "
        "before):\n");
    double previous = 0;
    std::printf("  %7.1f ms  (+%5.1f)  process started\n", 0.0, 0.0);
    for (const auto& [ms, what] : order) {
        std::printf("  %7.1f ms  (+%5.1f)  %s (in %zu of %zu runs)\n", ms, ms - previous,
                    what.c_str(), milestones.at(what).size(), runs);
        previous = ms;
    }
}

}  // namespace bench_support
