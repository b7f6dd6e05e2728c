#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "bench/support/process_runs.h"

namespace bench_support {

// The launcher's time over the reference's.
inline constexpr double kReferenceLimit = 1.0;

// The first one is the reference the goal is about.
inline std::vector<ReferenceFetch> ReferenceFetches(const std::string& address,
                                                    const std::filesystem::path& caFile) {
    const std::vector<std::string> curl{"/usr/bin/curl", "-sS",      "-o",   "/dev/null",
                                        "--fail",        "--cacert", caFile, address};
    return {{"curl fetching the same address:", [curl] { return TimeRun(curl); }}};
}

inline bool ReferencesPresent() {
    return std::filesystem::exists("/usr/bin/curl");
}

}  // namespace bench_support
