#pragma once

// Programs the start-up benchmarks run, on the system they run on (linux/:
// posix_spawn; windows/: CreateProcessW under wine), and timing a launcher
// run, which may meet another launcher and then runs again.

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#ifdef _WIN32
#include "bench/support/windows/process_runs.h"
#else
#include "bench/support/linux/process_runs.h"
#endif

namespace bench_support {

// How often a run that met another launcher is tried again, a pause apart.
inline constexpr int kLauncherAttempts = 50;
inline constexpr auto kLauncherRetryPause = std::chrono::milliseconds(100);

// Wall time of one run of the program to its end, in microseconds; -1 when
// it failed. A launcher that met another one is run again: that run
// measured nothing.
inline double TimeRun(const std::vector<std::string>& args) {
    for (int attempt = 0; attempt < kLauncherAttempts; ++attempt) {
        const auto start = std::chrono::steady_clock::now();
        const int status = RunToEnd(args);
        const auto end = std::chrono::steady_clock::now();
        if (status == 0) {
            return std::chrono::duration<double, std::micro>(end - start).count();
        }
        if (status != kAnotherLauncherStatus) {
            return -1;
        }
        std::this_thread::sleep_for(kLauncherRetryPause);
    }
    return -1;
}

}  // namespace bench_support
