#pragma once

// Module handles. Only the running program's is needed: its windows' classes
// and its resources belong to it. On Linux the program is the only module,
// and its file is platform::ModuleFileName() (module_path.h).

#include "platform/win32.h"

namespace platform {

// The handle of the running program (never null).
HINSTANCE CurrentModule();

}  // namespace platform
