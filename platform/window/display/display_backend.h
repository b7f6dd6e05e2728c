#pragma once

// What the display backend provides to the window system: the display itself,
// one display window and back buffer per top-level window, presenting, and
// the X11 extras (window shape, messages from other programs). The SDL side
// is sdl_display.cpp, the X11 side x11_display.cpp; nothing else in the
// window system touches the display directly.

#include <SDL.h>
// SDL_syswm.h would bring X11's own Window type into every file.
struct SDL_SysWMmsg;

#include "platform/win32.h"

namespace platform {

struct Window;

// The display (SDL video) is started ahead (PrepareDisplay) or by the first
// thread that makes a top-level window; that thread becomes the display
// thread, and only its windows get display windows.
bool EnsureDisplay();
bool IsDisplayThread();
// A display with no events of its own (offscreen, dummy): input only comes
// from this process, so waiting on the queue is enough.
bool IsHeadlessDisplay();
HWND WindowFromSdlId(Uint32 id);

// A top-level window's display window and back buffer.
void MakeDisplayWindow(Window& window);
void ResizeBackBuffer(Window& window);
void ForgetDisplayWindow(SDL_Window* sdl);
void ApplyWindowTitle(Window& top);
// Copies part of the back buffer to the display.
void PresentRect(Window& top, const RECT& bufferRect);
// Shapes the display window to the window's round region (XShape on X11).
void ApplyDisplayShape(Window& top);

// Messages other programs send to our windows (SendForeignMessage): the
// display delivers them as SDL_SYSWMEVENT; each is sent to its window and
// answered with the procedure's result.
void ListenForForeignMessages();
bool HandleForeignMessage(const SDL_SysWMmsg& message);

// On X11, protocol errors are reported on standard error and the process
// goes on (Xlib's default would end it). Called once the display is up, after
// SDL installed its own handler.
void KeepXErrorsNonFatal();

}  // namespace platform
