#pragma once

// Medians and quartiles of timed rounds; header-only and free of any one
// system's calls, for the benchmarks that run on both.

#include <algorithm>
#include <cstddef>
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

// A median with the quartiles around it.
struct Spread {
    double median = 0;
    double lower = 0;
    double upper = 0;
};

inline Spread SpreadOf(const std::vector<double>& values) {
    return {Quantile(values, 0.5), Quantile(values, 0.25), Quantile(values, 0.75)};
}

}  // namespace bench_support
