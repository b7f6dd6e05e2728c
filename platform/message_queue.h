#pragma once

// The heart of the window system: a process-wide table of window handles and a
// message queue per thread. A window belongs to the thread that created it;
// messages posted to it from any thread land in that thread's queue and are
// dispatched to its window procedure by that thread's message loop.

#include <functional>

#include "platform/win32.h"

namespace platform {

// Adds a window with the given procedure, owned by the calling thread. The
// returned handle is never reused. `data` is an opaque pointer for the window
// system's own records (see WindowData).
HWND AddWindowHandle(WNDPROC proc, void* data = nullptr);

// Removes the handle: later posts to it are dropped and queued messages for it
// are discarded. Does not send any message.
void RemoveWindowHandle(HWND hwnd);

void* WindowData(HWND hwnd);
WNDPROC WindowProcedure(HWND hwnd);
void SetWindowProcedure(HWND hwnd, WNDPROC proc);

// Called (on the posting thread) after a message was queued for a thread, so
// that a thread waiting on something else than its queue (an event loop of the
// display) can be woken. Set once per thread, by that thread.
void SetQueueWakeHook(std::function<void()> wake);

// Waits at most `milliseconds` (negative: forever) until the calling thread's
// queue holds a message. Returns true when one is there.
bool WaitForQueuedMessage(int milliseconds);

}  // namespace platform

inline constexpr UINT PM_NOREMOVE = 0x0000;
inline constexpr UINT PM_REMOVE = 0x0001;

BOOL IsWindow(HWND hwnd);

// Thread-safe. A message to a window that is gone is dropped silently (FALSE).
// A null window posts to the calling thread itself. The queue has no size
// limit, so a burst of posts loses nothing.
BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);

// Blocks until a message for the filter arrives; FALSE for WM_QUIT.
// `filterWindow` null means any; min and max 0 means any message.
BOOL GetMessage(MSG* msg, HWND filterWindow, UINT filterMin, UINT filterMax);
BOOL PeekMessage(MSG* msg, HWND filterWindow, UINT filterMin, UINT filterMax, UINT removeFlags);
LRESULT DispatchMessage(const MSG* msg);

// Calls the window procedure directly when the window belongs to the calling
// thread; otherwise queues the message and waits until its thread processed it.
LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

DWORD GetTickCount();
