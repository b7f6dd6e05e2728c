#pragma once

#include <random>
#include <string>

namespace launcher_test {

// Keys are machine-wide: keep them apart from the launcher's and other runs'.
inline std::wstring UniqueKey() {
    static const unsigned run = std::random_device{}();
    static int counter = 0;
    return L"VantuGuardTest-" + std::to_wstring(run) + L"-" + std::to_wstring(++counter);
}

}  // namespace launcher_test
