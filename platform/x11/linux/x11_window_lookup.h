#pragma once

// Finding another program's top-level window on X11 (FindForeignWindow,
// foreign_window.h): a window's class is the class part of its WM_CLASS and
// its title is _NET_WM_NAME (WM_NAME when that is missing); the window
// manager's client list is searched when one runs, the root's children
// otherwise.

#include <string_view>

#include "platform/x11/foreign_window.h"

struct _XDisplay;

namespace platform {

// Gives a window of this program the class that FindForeignWindow looks for
// (both parts of WM_CLASS). False when the server refused.
bool SetForeignWindowClass(_XDisplay* display, ForeignWindow window, std::wstring_view className);

}  // namespace platform
