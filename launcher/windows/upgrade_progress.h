#pragma once

// What the upgrade window shows of the worker's progress reports.

#include <optional>
#include <string>

#include "platform/win32.h"

namespace vantu {

// The bar's full width: one pixel for each fifth of a percent.
inline constexpr int kProgressPixelsPerPercent = 5;

// The percent that WM_UPGRADE_PROGRESS (received, total) stands for; none
// for an unknown (0) or inconsistent (negative, or below `received`) total.
// Exact for any 64-bit size.
std::optional<int> ProgressPercent(WPARAM received, LPARAM total);

// "升级中，请稍候..." followed by the percent and "%".
std::wstring ProgressText(int percent);

}  // namespace vantu
