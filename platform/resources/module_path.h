#pragma once

// Where the running program lives: the launcher finds the booster, its
// modules and its pending-deletion list beside itself.

#include <string>

namespace platform {

// The full path of the running program (GetModuleFileNameW of no module);
// empty when the system cannot tell.
std::wstring ModuleFileName();

// The running program's folder, ending in a separator.
std::wstring ModuleFolder();

}  // namespace platform
