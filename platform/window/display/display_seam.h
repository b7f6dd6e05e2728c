#pragma once

// A seam for tests: feeds input into top-level windows as the display would
// deliver it (the offscreen driver has no pointer, keyboard focus or hit
// testing of its own) and reads back what was presented. Events are queued;
// the window procedures see them when the thread's message loop runs.

#include <SDL.h>

#include <cstdint>
#include <string>

#include "platform/win32.h"

namespace platform::seam {

// Coordinates are relative to the top-level window. Buttons are SDL_BUTTON_*.
void MouseMove(HWND top, int x, int y);
void MouseButton(HWND top, int button, bool down, int x, int y, int clicks = 1);
void MouseWheel(HWND top, int steps);
void MouseLeave(HWND top);
void Key(HWND top, SDL_Keycode key, bool down, Uint16 modifiers = KMOD_NONE, bool repeat = false);
void Text(HWND top, const std::string& utf8);
// The input method's composition so far (empty: composition cancelled).
void Composition(HWND top, const std::string& utf8, int cursor);
void Focus(HWND top, bool gained);
// The window manager's close button (or its Alt+F4).
void CloseRequest(HWND top);

// What the display's hit test answers at a point: the window's WM_NCHITTEST
// answer mapped to dragging and resizing.
SDL_HitTestResult HitTest(HWND top, int x, int y);

// The presented colour (0x00RRGGBB) at a point of the display window.
std::uint32_t PresentedPixel(HWND top, int x, int y);

// Runs the calling thread's messages (translated and dispatched) until none is left.
void RunPendingMessages();

}  // namespace platform::seam
