#pragma once

// A look at display events before the window system turns them into window
// messages, for platform code that needs raw events of its own (e.g. X11
// client messages arriving as SDL_SYSWMEVENT once that event is enabled).

#include <SDL.h>

#include <functional>

namespace platform {

// Called on the display thread for every display event; returning true
// consumes it. Null removes the filter.
void SetDisplayEventFilter(std::function<bool(const SDL_Event&)> filter);

}  // namespace platform
