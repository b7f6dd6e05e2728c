#pragma once

// The window system as the toolkit calls it: user32 on Windows, the
// stand-in elsewhere.

#ifdef _WIN32
#include "platform/win32.h"
#else
#include "platform/window/window_system.h"
#endif
