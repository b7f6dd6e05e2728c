#pragma once

// The window system's own records, shared by its files (not for callers).

#include <SDL.h>
#include <cairo.h>

#include <chrono>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/gdi/rect_geometry.h"
#include "platform/win32.h"
#include "platform/window/display/display_backend.h"

namespace platform {

// SetWindowPos flag of our own: the display reports where its window already
// is. The record follows it without moving the display window again, since a
// report that arrives late would otherwise undo a later move of the program's.
inline constexpr UINT kSwpFromDisplay = 0x40000000;

using Clock = std::chrono::steady_clock;

struct WindowClassInfo {
    std::wstring name;
    UINT style = 0;
    WNDPROC proc = nullptr;
    HCURSOR cursor = nullptr;
};

struct Timer {
    UINT_PTR id = 0;
    UINT interval = 0;
    Clock::time_point due;
    TIMERPROC proc = nullptr;
};

struct RoundRegion {
    RECT rect{};
    int ellipseWidth = 0;
    int ellipseHeight = 0;
};

struct CairoSurfaceDeleter {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
using SurfacePtr = std::unique_ptr<cairo_surface_t, CairoSurfaceDeleter>;

struct SdlWindowDeleter {
    void operator()(SDL_Window* w) const { SDL_DestroyWindow(w); }
};

struct Window {
    HWND hwnd = nullptr;
    WindowClassInfo cls;
    DWORD style = 0;
    DWORD exStyle = 0;
    LONG_PTR userData = 0;
    LONG_PTR id = 0;
    std::wstring text;
    HWND parent = nullptr;       // child windows
    HWND owner = nullptr;        // top-level windows
    RECT rect{};                 // screen for top-level windows, parent client for children
    RECT restoreRect{};          // before maximising
    std::vector<HWND> children;  // back to front
    std::thread::id thread;
    bool destroying = false;
    // Top-level windows only: the display window and the back buffer every
    // window of the tree paints into.
    std::unique_ptr<SDL_Window, SdlWindowDeleter> sdl;
    SurfacePtr buffer;
    std::optional<RoundRegion> region;
    std::optional<RECT> update;   // client coordinates
    std::optional<RECT> unshown;  // painted in the buffer, not yet shown (top-level)
    std::vector<Timer> timers;
    HWND lastFocus = nullptr;
    std::map<std::wstring, void*>
        properties;  // the focus inside this top-level window when it was deactivated
};

// The window's record, or null for a window that is gone (or was made without
// CreateWindowEx). Use on the window's own thread.
Window* FindWindowRecord(HWND hwnd);

// The top-level window of a window (itself when it is top-level).
Window* TopLevelOf(Window* window);
// The window's client origin in its top-level window's back buffer.
POINT OriginInTopLevel(const Window& window);
bool IsChild(const Window& window);

// Windows of the calling thread, top-level windows in creation order.
std::vector<HWND> ThreadTopLevelWindows();

// Hooks between the files of the window system (the display side is in
// display/display_backend.h).
void ForgetInputState(HWND hwnd);
void InstallMessageSource();
// The deepest visible window of a top-level window at a client point.
HWND ChildAt(HWND top, POINT client);
std::optional<Clock::time_point> NextTimerDue();
bool TakeDueTimer(MSG* msg, HWND filterWindow, bool remove);
std::optional<Clock::time_point> NextHoverDue();
void CheckHover();
// The caret (caret.cpp): drawn over what PresentRect shows, blinked by the loop.
void OverlayCaret(Window& top, SDL_Surface* target, const RECT& bufferRect);
std::optional<Clock::time_point> NextCaretBlink();
void CheckCaretBlink();
void ForgetCaret(HWND hwnd);
void HandleSdlEvent(const SDL_Event& event);
void EmptyGraveyard();
// A WM_PAINT for a window with something to paint; the top-level windows take
// turns, beginning after `lastServed`, which becomes the one served.
bool TakePaint(MSG* msg, HWND filterWindow, HWND& lastServed);
// Shows what was painted since the last time, once no window waits to paint.
void ShowPainted();
// Registers the classes the system provides (the tooltip, the edit, the date
// picker) once.
void RegisterBuiltInClasses();

}  // namespace platform
