#pragma once

// Module handles: on this platform the only module is the running program.

#include <string>

#include "platform/win32.h"

namespace platform {

// The handle of the running program (never null).
HINSTANCE CurrentModule();

// Full path of the module's file (GetModuleFileNameW); empty for a null
// handle or when the path cannot be read.
std::wstring ModuleFileName(HINSTANCE module);

}  // namespace platform
