// Feeding display input for tests: the same SDL events the display would
// queue, so they take the window system's ordinary path.

#include "platform/window/display/display_seam.h"

#include <cstring>

#include "platform/window/window_internal.h"
#include "platform/window/window_system.h"

namespace platform::seam {

namespace {

Uint32 IdOf(HWND top) {
    Window* w = FindWindowRecord(top);
    return w != nullptr && w->sdl ? SDL_GetWindowID(w->sdl.get()) : 0;
}

void Push(SDL_Event& e) {
    SDL_PushEvent(&e);
}

void PushWindowEvent(HWND top, SDL_WindowEventID event) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.windowID = IdOf(top);
    e.window.event = static_cast<Uint8>(event);
    Push(e);
}

}  // namespace

void MouseMove(HWND top, int x, int y) {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.windowID = IdOf(top);
    e.motion.x = x;
    e.motion.y = y;
    Push(e);
}

void MouseButton(HWND top, int button, bool down, int x, int y, int clicks) {
    SDL_Event e{};
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.windowID = IdOf(top);
    e.button.button = static_cast<Uint8>(button);
    e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.button.clicks = static_cast<Uint8>(clicks);
    e.button.x = x;
    e.button.y = y;
    Push(e);
}

void MouseWheel(HWND top, int steps) {
    SDL_Event e{};
    e.type = SDL_MOUSEWHEEL;
    e.wheel.windowID = IdOf(top);
    e.wheel.y = steps;
    e.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
    Push(e);
}

void MouseLeave(HWND top) {
    PushWindowEvent(top, SDL_WINDOWEVENT_LEAVE);
}

void Key(HWND top, SDL_Keycode key, bool down, Uint16 modifiers, bool repeat) {
    SDL_Event e{};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.windowID = IdOf(top);
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.repeat = repeat ? 1 : 0;
    e.key.keysym.sym = key;
    e.key.keysym.scancode = SDL_GetScancodeFromKey(key);
    e.key.keysym.mod = modifiers;
    Push(e);
}

void Text(HWND top, const std::string& utf8) {
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    e.text.windowID = IdOf(top);
    std::strncpy(e.text.text, utf8.c_str(), sizeof(e.text.text) - 1);
    Push(e);
}

void Composition(HWND top, const std::string& utf8, int cursor) {
    SDL_Event e{};
    e.type = SDL_TEXTEDITING;
    e.edit.windowID = IdOf(top);
    std::strncpy(e.edit.text, utf8.c_str(), sizeof(e.edit.text) - 1);
    e.edit.start = cursor;
    Push(e);
}

void Focus(HWND top, bool gained) {
    PushWindowEvent(top, gained ? SDL_WINDOWEVENT_FOCUS_GAINED : SDL_WINDOWEVENT_FOCUS_LOST);
}

void CloseRequest(HWND top) {
    PushWindowEvent(top, SDL_WINDOWEVENT_CLOSE);
}

void RunPendingMessages() {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}

}  // namespace platform::seam
