#pragma once

// What the upgrade-window benchmarks of both systems share: their rounds
// and the memory goal (bench/upgrade_window.cpp on Xvfb,
// bench/windows/upgrade_window.cpp under wine).

namespace bench_support {

inline constexpr int kFirstFrameRounds = 15;
inline constexpr int kFirstFrameWarmUp = 2;
// The peak memory of a whole 200 MB upgrade with the window.
inline constexpr double kUpgradePeakLimitMb = 48;

}  // namespace bench_support
