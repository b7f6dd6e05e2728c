#pragma once

#include <string_view>

namespace vantu {

// The booster's program file in the launcher folder. The launcher starts it;
// the extractor gives it execute permission when a package replaces it.
inline constexpr std::wstring_view kBoosterFileName = L"VantuSpeedUp.exe";

}  // namespace vantu
