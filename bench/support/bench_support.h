#pragma once

// Small pieces the benchmark drivers share. Header-only: every bench/*.cpp
// is a program of its own.

#include <algorithm>
#include <chrono>
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

}  // namespace bench_support
