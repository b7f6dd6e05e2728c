#pragma once

// The X11 side of the display backend, for sdl_display.cpp only.

#include <SDL.h>

#include <string>

namespace platform {

// The X11 window behind a display window (0 without X11).
unsigned long NativeWindowOf(SDL_Window* sdl);
// Sets the display window's WM_CLASS to the window class name.
void SetX11ClassHint(SDL_Window* sdl, const std::wstring& className);

}  // namespace platform
