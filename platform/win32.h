#pragma once

// The Windows vocabulary the rest of the code is written in: handle and value
// types, result codes, message numbers, style bits and DrawText flags. They
// carry the Windows numbers and mean what they mean there. On Windows they are
// the system's own; elsewhere this folder's services stand behind them.

#ifdef _WIN32
#include <windows.h>
// Compared as the Linux vocabulary's values are.
inline bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline bool operator==(const SIZE& a, const SIZE& b) {
    return a.cx == b.cx && a.cy == b.cy;
}
#else
#include "platform/win32_controls.h"
#include "platform/win32_messages.h"
#include "platform/win32_types.h"
#endif
