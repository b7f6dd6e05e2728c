#pragma once

// Milestones of a run's start, for the first-frame benchmark. When the
// environment names an existing file in VANTU_STARTUP_TRACE, each mark
// appends one line "<monotonic nanoseconds> <what>" to it; otherwise marking
// does nothing. The program and each module it loads append on their own, a
// whole line per write.

namespace platform {

inline constexpr char kStartupTraceVariable[] = "VANTU_STARTUP_TRACE";

void MarkStartup(const char* what);

}  // namespace platform
