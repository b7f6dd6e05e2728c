#pragma once

// The heart of the window system: a process-wide table of window handles and a
// message queue per thread. A window belongs to the thread that created it;
// messages posted to it from any thread land in that thread's queue and are
// dispatched to its window procedure by that thread's message loop.

#include <cstdint>
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

// What a thread with windows adds to its queue: input from the display,
// messages made up when nothing else is queued (WM_PAINT, WM_TIMER), and a
// wait that also ends on display input and on the next due timer.
class MessageSource {
  public:
    virtual ~MessageSource() = default;
    // Turns pending display input into queued messages.
    virtual void Pump() = 0;
    // A made-up message for the filter, if one is due.
    virtual bool Generate(MSG* msg, HWND filterWindow, UINT filterMin, UINT filterMax,
                          bool remove) = 0;
    // Waits until the queue changes from `seen` (see QueueChangeCount), display
    // input arrives, or the next made-up message is due.
    virtual void Wait(std::uint64_t seen) = 0;
};

// Whether a message passes a message filter's range: both ends belong to
// it, and min and max 0 mean any message.
bool InFilterRange(UINT message, UINT filterMin, UINT filterMax);

// Installs the calling thread's source (null removes it). Not owned.
void SetMessageSource(MessageSource* source);

// Grows with every message queued for the calling thread.
std::uint64_t QueueChangeCount();
// Waits at most `milliseconds` (negative: forever) until the count moves past `seen`.
void WaitForQueueChange(std::uint64_t seen, int milliseconds);

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
// Posts a WM_QUIT-free translation of key messages: WM_CHAR for the control
// characters of a WM_KEYDOWN, WM_SYSCHAR for Alt combinations (printable
// characters come from the display's text input instead).
BOOL TranslateMessage(const MSG* msg);

// Calls the window procedure directly when the window belongs to the calling
// thread; otherwise queues the message and waits until its thread processed it.
LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

DWORD GetTickCount();
