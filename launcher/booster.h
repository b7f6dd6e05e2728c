#pragma once

// What the launcher requires of the booster: its file in the launcher folder,
// its windows, and its command line.

#include <string>
#include <string_view>

#include "update/booster_file.h"

namespace vantu {

inline constexpr std::wstring_view kBoosterTitle = L"VantuSpeedUp";
inline constexpr std::wstring_view kBoosterMainWindowClass = L"MainWindow";
inline constexpr std::wstring_view kBoosterUpgradeWindowClass = L"UpgradeWindow";

std::wstring BoosterPath(const std::wstring& launcherFolder);

// Starts the booster with the command line "-show -oemid:<Settings().oemId>", the
// launcher's environment and current folder. Not waited for; a failure to
// start is not reported.
void LaunchBooster(const std::wstring& launcherFolder);

}  // namespace vantu
