#pragma once

// Quantiles of measured figures; free of any system's calls, so that the
// benchmarks that build for Windows share them.

#include <algorithm>
#include <utility>
#include <vector>

namespace bench_support {

// The value at quantile q (0..1) of the values (the lower neighbour of q).
inline double Quantile(std::vector<double> values, double q) {
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(q * static_cast<double>(values.size() - 1))];
}

// The middle value (the lower one of the two middles for an even count).
inline double Median(std::vector<double> values) {
    return Quantile(std::move(values), 0.5);
}

}  // namespace bench_support
