#pragma once

// The window system as the toolkit calls it: user32 and the common controls
// on Windows, the stand-in elsewhere.

#ifdef _WIN32
#include "platform/win32.h"
// After <windows.h>.
#include <commctrl.h>
#include <windowsx.h>
#else
#include "platform/shell/message_box.h"
#include "platform/window/controls/date/system_time.h"
#include "platform/window/window_system.h"
#endif
