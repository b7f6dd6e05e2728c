#pragma once

// Finding another program's top-level window (the stand-in for FindWindowW
// across processes). On X11 a window's class is the class part of its
// WM_CLASS and its title is _NET_WM_NAME (WM_NAME when that is missing).

#include <string_view>

struct _XDisplay;

namespace platform {

// An X11 window id; 0 means none.
using ForeignWindow = unsigned long;

// The first top-level window with exactly this class and title, found through
// the window manager's client list when one runs and among the root's
// children otherwise. 0 when there is none, or no display.
ForeignWindow FindForeignWindow(std::wstring_view className, std::wstring_view title);

// Gives a window of this program the class that FindForeignWindow looks for
// (both parts of WM_CLASS). False when the server refused.
bool SetForeignWindowClass(_XDisplay* display, ForeignWindow window, std::wstring_view className);

}  // namespace platform
