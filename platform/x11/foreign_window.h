#pragma once

// Other programs' top-level windows: finding one by class and title and
// sending it a message that its program answers (FindWindowW and
// SendMessageTimeoutW across processes). On Windows these are the system's
// own; on Linux they travel over X11 (linux/x11_window_lookup.h and
// linux/x11_window_message.h say how).

#include <chrono>
#include <cstdint>
#include <string_view>

#include "platform/win32.h"

namespace platform {

// A window of another program (an X11 window id or an HWND); 0 means none.
using ForeignWindow = std::uintptr_t;

// The first top-level window with exactly this class and title; 0 when there
// is none, or nothing to look at (no display).
ForeignWindow FindForeignWindow(std::wstring_view className, std::wstring_view title);

// Sends the message and waits until the window's program answered it, the
// window went away, or the time-out passed (a hung receiver cannot hang the
// sender). True when it was answered; `result` then holds the answer.
bool SendForeignMessage(ForeignWindow window, UINT message, WPARAM wParam, LPARAM lParam,
                        std::chrono::milliseconds timeout, LRESULT* result = nullptr);

}  // namespace platform
