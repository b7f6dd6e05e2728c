#pragma once

// How the launcher has its windows' entry table, which differs per system:
// on Linux it is a module loaded at run time, so that a run without a window
// loads no display library; on Windows the windows are linked into the
// program, whose only imports are system libraries that are always there.

#include <string>

#include "launcher/modules/windows_module_api.h"
#include "platform/modules/shared_library.h"

namespace vantu {

// Whether a window could be seen at all, which alone makes loading ahead
// worth a thread.
bool WindowsCanBeSeen();

// The windows' table, `module` keeping what it came from loaded; null when
// it cannot be had, `error` then saying why.
const VantuWindowsModuleApi* LoadWindowsModuleTable(platform::SharedLibrary& module,
                                                    std::string& error);

}  // namespace vantu
