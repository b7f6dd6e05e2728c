#pragma once

// Native windows over SDL2 with the Windows calls and message semantics.
// Top-level windows are borderless display windows; child windows are drawn
// into their top-level window's back buffer. All windows live on the thread
// that made them; only PostMessage/SendMessage cross threads.
//
// Where each group lives (under platform/window/): messages and queues in
// message_queue.h/.cpp, the loop's display and made-up messages in
// message_source.cpp; classes, creation and destruction in window_core.cpp;
// longs, texts, properties, visibility in window_attributes.cpp;
// DefWindowProc in window_defproc.cpp; geometry, monitors and regions in
// window_geometry.cpp; focus, capture, tracking, cursors and key state in
// focus_capture.cpp; the caret in caret.cpp; timers in timers.cpp; painting, DCs and back buffers
// in window_paint.cpp; the tooltip class in tooltip.cpp; keyboard, mouse and input-method events in
// input/; the SDL/X11 display in display/.

#include <filesystem>
#include <string>

#include "platform/win32.h"
#include "platform/window/can_show_windows.h"
#include "platform/window/message_queue.h"

// Classes and windows (window_core.cpp).
ATOM RegisterClass(const WNDCLASS* wc);
BOOL UnregisterClass(const wchar_t* className, HINSTANCE instance);
BOOL GetClassInfo(HINSTANCE instance, const wchar_t* className, WNDCLASS* wc);
HWND CreateWindowEx(DWORD exStyle, const wchar_t* className, const wchar_t* windowName, DWORD style,
                    int x, int y, int width, int height, HWND parent, HMENU menu,
                    HINSTANCE instance, void* param);
BOOL DestroyWindow(HWND hwnd);
LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Longs, texts, relatives, properties, visibility (window_attributes.cpp).
LONG_PTR GetWindowLongPtr(HWND hwnd, int index);
LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value);
LONG GetWindowLong(HWND hwnd, int index);
LONG SetWindowLong(HWND hwnd, int index, LONG value);
BOOL SetWindowText(HWND hwnd, const wchar_t* text);
int GetWindowText(HWND hwnd, wchar_t* buffer, int size);
int GetWindowTextLength(HWND hwnd);
int GetClassName(HWND hwnd, wchar_t* buffer, int size);

HWND GetParent(HWND hwnd);  // the parent of a child, the owner of a top-level window
inline constexpr UINT GW_OWNER = 4;
HWND GetWindow(HWND hwnd, UINT command);
HWND GetAncestor(HWND hwnd, UINT flags);
// The direct child with that id (the `menu` argument of CreateWindowEx).
HWND GetDlgItem(HWND parent, int id);
inline constexpr UINT GA_PARENT = 1;
inline constexpr UINT GA_ROOT = 2;
// Whether `child` is a child (at any depth) of `parent`.
BOOL IsChild(HWND parent, HWND child);
// Named values attached to a window.
BOOL SetProp(HWND hwnd, const wchar_t* name, void* value);
void* GetProp(HWND hwnd, const wchar_t* name);
void* RemoveProp(HWND hwnd, const wchar_t* name);
BOOL IsWindowVisible(HWND hwnd);
BOOL IsWindowEnabled(HWND hwnd);
BOOL EnableWindow(HWND hwnd, BOOL enable);
BOOL IsIconic(HWND hwnd);
BOOL IsZoomed(HWND hwnd);

// Geometry, monitors and regions (window_geometry.cpp). Top-level windows have no frame: the window
// and client areas match.
BOOL GetWindowRect(HWND hwnd, RECT* rect);
BOOL GetClientRect(HWND hwnd, RECT* rect);
BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint);
BOOL ShowWindow(HWND hwnd, int command);
BOOL ScreenToClient(HWND hwnd, POINT* point);
BOOL ClientToScreen(HWND hwnd, POINT* point);
// Converts points from one window's client coordinates to another's (null: screen).
int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count);
HWND WindowFromPoint(POINT point);
HMONITOR MonitorFromWindow(HWND hwnd, DWORD flags);
HMONITOR MonitorFromPoint(POINT point, DWORD flags);
BOOL GetMonitorInfo(HMONITOR monitor, MONITORINFO* info);
// Regions: only rectangles and round rectangles (what windows are shaped with).
HRGN CreateRectRgn(int left, int top, int right, int bottom);
HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int ellipseWidth,
                        int ellipseHeight);
BOOL DeleteObject(HRGN region);
// Takes the region (null removes the shape).
int SetWindowRgn(HWND hwnd, HRGN region, BOOL redraw);
// The bounding box of the window's shape: SIMPLEREGION for a plain
// rectangle, COMPLEXREGION for a rounded one, ERROR without a shape or for a
// window that is gone (as the system answers).
inline constexpr int ERROR = 0;
inline constexpr int NULLREGION = 1;
inline constexpr int SIMPLEREGION = 2;
inline constexpr int COMPLEXREGION = 3;
int GetWindowRgnBox(HWND hwnd, RECT* box);

// Focus, activation, capture, mouse tracking, cursors, keys (focus_capture.cpp).
HWND SetFocus(HWND hwnd);
HWND GetFocus();
HWND SetActiveWindow(HWND hwnd);
HWND GetActiveWindow();
BOOL SetForegroundWindow(HWND hwnd);
HWND GetForegroundWindow();
HWND SetCapture(HWND hwnd);
BOOL ReleaseCapture();
HWND GetCapture();
BOOL TrackMouseEvent(TRACKMOUSEEVENT* track);
inline BOOL _TrackMouseEvent(TRACKMOUSEEVENT* track) {
    return TrackMouseEvent(track);
}
HCURSOR LoadCursor(HINSTANCE instance, const wchar_t* name);
HCURSOR SetCursor(HCURSOR cursor);
BOOL GetCursorPos(POINT* point);
SHORT GetKeyState(int virtualKey);
SHORT GetAsyncKeyState(int virtualKey);

// The caret (caret.cpp): one per thread, a solid block drawn inverted over its
// window's image and blinking every GetCaretBlinkTime milliseconds. It starts
// hidden; ShowCaret and HideCaret count. The window's destruction destroys it.
BOOL CreateCaret(HWND hwnd, HBITMAP shape, int width, int height);
BOOL DestroyCaret();
BOOL ShowCaret(HWND hwnd);
BOOL HideCaret(HWND hwnd);
BOOL SetCaretPos(int x, int y);
BOOL GetCaretPos(POINT* point);
UINT GetCaretBlinkTime();

// Timers (timers.cpp).
UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc);
BOOL KillTimer(HWND hwnd, UINT_PTR id);

// Painting (window_paint.cpp). The DC of BeginPaint is a Cairo context on the top-level back
// buffer with its origin at the window's client origin, clipped to the
// update area (and to the window). EndPaint shows the result.
BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase);
BOOL ValidateRect(HWND hwnd, const RECT* rect);
BOOL GetUpdateRect(HWND hwnd, RECT* rect, BOOL erase);
BOOL UpdateWindow(HWND hwnd);
HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint);
BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint);
// Shows a layered window's whole image from `source` (a DC whose target is an
// image surface) at `sourcePoint`, moved and sized as given. The constant
// alpha applies where the display can show it (the window's opacity).
BOOL UpdateLayeredWindow(HWND hwnd, HDC screen, const POINT* position, const SIZE* size, HDC source,
                         const POINT* sourcePoint, COLORREF key, const BLENDFUNCTION* blend,
                         DWORD flags);
// Whole-window opacity of a WS_EX_LAYERED top-level window (LWA_ALPHA).
BOOL SetLayeredWindowAttributes(HWND hwnd, COLORREF key, BYTE alpha, DWORD flags);
// A Cairo context over the window's client area; ReleaseDC shows what was drawn.
HDC GetDC(HWND hwnd);
int ReleaseDC(HWND hwnd, HDC dc);

namespace platform {

// The back buffer behind a window: the top-level window's surface and the
// window's client rectangle inside it. Null for a window that is gone.
HBITMAP WindowBackBuffer(HWND hwnd, RECT* clientInBuffer);

// Writes the window's client area, as painted, to a PNG file.
bool WriteWindowPng(HWND hwnd, const std::filesystem::path& file);

// The input method's composition (input/input_events.cpp) while WM_IME_STARTCOMPOSITION ...
// WM_IME_ENDCOMPOSITION are under way (empty otherwise), and its cursor.
std::wstring ImeComposition(int* cursor = nullptr);
// Where the input method should show its candidates (client coordinates).
void SetImeCandidateRect(HWND hwnd, const RECT& rect);

// The display window id (display/sdl_display.cpp) of a top-level window (0 without one), e.g. its
// X11 window for screenshots.
unsigned long NativeWindowId(HWND hwnd);

}  // namespace platform
