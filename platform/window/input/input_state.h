#pragma once

// Per-thread input state of the window system (its own files only).

#include <array>
#include <string>

#include "platform/window/window_internal.h"

namespace platform {

struct Tracking {
    HWND hwnd = nullptr;
    DWORD flags = 0;  // TME_HOVER | TME_LEAVE still pending
    DWORD hoverTime = 400;
    POINT hoverPoint{};
    Clock::time_point hoverDue;
};

struct KeyState {
    bool down = false;
    bool toggled = false;
};

struct InputState {
    HWND focus = nullptr;
    HWND active = nullptr;
    HWND capture = nullptr;
    HWND mouseOver = nullptr;  // the window under the pointer
    POINT cursor{};            // screen coordinates
    Tracking tracking;
    std::array<KeyState, 256> keys{};
    HCURSOR currentCursor = nullptr;
    bool composing = false;    // an input-method composition is open
    std::wstring composition;  // its text so far
    int compositionCursor = 0;
};

InputState& Input();
WPARAM MouseKeyFlags();
void SetKeyDown(int vk, bool down);
// The Windows virtual-key code of a display key (0 when there is none).
int VirtualKeyOf(SDL_Keycode key, SDL_Scancode scancode);

}  // namespace platform
