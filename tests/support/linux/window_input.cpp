// Test input through the offscreen display's seam.

#include "tests/support/window_input.h"

#include <cstdlib>

#include "platform/window/display/display_seam.h"

namespace test_input {

namespace {

SDL_Keycode KeycodeOf(int virtualKey) {
    if ((virtualKey >= 'A' && virtualKey <= 'Z')) {
        return SDLK_a + (virtualKey - 'A');
    }
    if (virtualKey >= '0' && virtualKey <= '9') {
        return SDLK_0 + (virtualKey - '0');
    }
    switch (virtualKey) {
        case VK_BACK:
            return SDLK_BACKSPACE;
        case VK_TAB:
            return SDLK_TAB;
        case VK_RETURN:
            return SDLK_RETURN;
        case VK_SHIFT:
            return SDLK_LSHIFT;
        case VK_CONTROL:
            return SDLK_LCTRL;
        case VK_MENU:
            return SDLK_LALT;
        case VK_ESCAPE:
            return SDLK_ESCAPE;
        case VK_SPACE:
            return SDLK_SPACE;
        case VK_END:
            return SDLK_END;
        case VK_HOME:
            return SDLK_HOME;
        case VK_LEFT:
            return SDLK_LEFT;
        case VK_UP:
            return SDLK_UP;
        case VK_RIGHT:
            return SDLK_RIGHT;
        case VK_DOWN:
            return SDLK_DOWN;
        case VK_DELETE:
            return SDLK_DELETE;
        case VK_F4:
            return SDLK_F4;
        default:
            return SDLK_UNKNOWN;
    }
}

Uint16 ModifiersOf(unsigned modifiers) {
    int mod = KMOD_NONE;
    if ((modifiers & kShift) != 0) {
        mod |= KMOD_LSHIFT;
    }
    if ((modifiers & kControl) != 0) {
        mod |= KMOD_LCTRL;
    }
    if ((modifiers & kAlt) != 0) {
        mod |= KMOD_LALT;
    }
    return static_cast<Uint16>(mod);
}

}  // namespace

void PrepareDisplay() {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
}

void MouseMove(HWND top, int x, int y) {
    platform::seam::MouseMove(top, x, y);
}

void MouseButton(HWND top, Button button, bool down, int x, int y, int clicks) {
    platform::seam::MouseButton(top, button == Button::Left ? SDL_BUTTON_LEFT : SDL_BUTTON_RIGHT,
                                down, x, y, clicks);
}

void MouseWheel(HWND top, int steps) {
    platform::seam::MouseWheel(top, steps);
}

void MouseLeave(HWND top) {
    platform::seam::MouseLeave(top);
}

void Key(HWND top, int virtualKey, bool down, unsigned modifiers) {
    platform::seam::Key(top, KeycodeOf(virtualKey), down, ModifiersOf(modifiers));
}

void Text(HWND top, const std::string& utf8) {
    platform::seam::Text(top, utf8);
}

void Focus(HWND top, bool gained) {
    platform::seam::Focus(top, gained);
}

void RunPendingMessages() {
    platform::seam::RunPendingMessages();
}

}  // namespace test_input
