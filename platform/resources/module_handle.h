#pragma once

// Module handles: on this platform the only module is the running program,
// whose file is platform::ModuleFileName() (paths.h).

#include "platform/win32.h"

namespace platform {

// The handle of the running program (never null).
HINSTANCE CurrentModule();

}  // namespace platform
