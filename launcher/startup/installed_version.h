#pragma once

// The installed booster's version and the comparison with the latest one.

#include <string>

namespace vantu {

// One value of the string table of the file's first translation. False when
// nothing could be looked up; `value` is assigned only when the key was found,
// so a file with a translation but without the key gives true and leaves it.
bool QueryVersionString(const std::wstring& key, const std::wstring& filePath, std::wstring& value);

bool QueryFileVersion(const std::wstring& filePath, std::wstring& value);

// True when the booster must be upgraded: either text empty, or installed
// older than latest, comparing "a.b.c.d" numerically component by component.
bool IsUpdateNeeded(const std::wstring& installedVersion, const std::wstring& latestVersion);

}  // namespace vantu
