#pragma once

// Small pieces the benchmark drivers share, free of any one system's calls.
// Header-only: every bench/*.cpp is a program of its own.

#include <chrono>
#include <cstddef>
#include <cstdio>
#include <functional>
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

// Runs each of `runs` once a round, `warmUp` rounds unrecorded and then
// `rounds` recorded ones, each round starting one further along the list:
// all meet the same load, and none always runs on caches another warmed.
// Each returns its time (the same unit for all), negative when it failed;
// a failure ends the rounds and gives no times at all.
inline std::vector<std::vector<double>> Rotate(int rounds,
                                               const std::vector<std::function<double()>>& runs,
                                               int warmUp = 0) {
    std::vector<std::vector<double>> times(runs.size());
    for (int round = 0; round < warmUp + rounds; ++round) {
        std::vector<double> now(runs.size());
        for (std::size_t turn = 0; turn < runs.size(); ++turn) {
            const std::size_t which = (static_cast<std::size_t>(round) + turn) % runs.size();
            now[which] = runs[which]();
            if (now[which] < 0) {
                return {};
            }
        }
        for (std::size_t which = 0; round >= warmUp && which < runs.size(); ++which) {
            times[which].push_back(now[which]);
        }
    }
    return times;
}

// Ours and the reference in turns (Rotate); a failure sets `failed`.
inline SideBySide Alternate(int rounds, const std::function<double()>& ours,
                            const std::function<double()>& reference, int warmUp = 0) {
    auto times = Rotate(rounds, {ours, reference}, warmUp);
    SideBySide both;
    both.failed = times.empty();
    if (!both.failed) {
        both.ours = std::move(times[0]);
        both.reference = std::move(times[1]);
    }
    return both;
}

// One line of times: "<label> median M (quartiles L, U) <unit>", the values
// multiplied by `scale` first.
inline void PrintSpread(const char* label, const std::vector<double>& values, double scale,
                        const char* unit) {
    const Spread spread = SpreadOf(values);
    std::printf("  %-40s median %9.2f %s (quartiles %.2f, %.2f)\n", label, spread.median * scale,
                unit, spread.lower * scale, spread.upper * scale);
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
