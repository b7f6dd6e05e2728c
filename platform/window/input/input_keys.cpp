// Windows virtual-key codes for display keys, and TranslateMessage.

#include "platform/window/input/input_state.h"
#include "platform/window/message_queue.h"
#include "platform/window/window_system.h"

namespace platform {

int VirtualKeyOf(SDL_Keycode key, SDL_Scancode scancode) {
    if (key >= SDLK_a && key <= SDLK_z) {
        return 'A' + (key - SDLK_a);
    }
    if (key >= SDLK_0 && key <= SDLK_9) {
        return '0' + (key - SDLK_0);
    }
    if (key >= SDLK_F1 && key <= SDLK_F12) {
        return VK_F1 + (key - SDLK_F1);
    }
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9) {
        return VK_NUMPAD0 + 1 + (key - SDLK_KP_1);
    }
    switch (key) {
        case SDLK_BACKSPACE:
            return VK_BACK;
        case SDLK_TAB:
            return VK_TAB;
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
            return VK_RETURN;
        case SDLK_LSHIFT:
        case SDLK_RSHIFT:
            return VK_SHIFT;
        case SDLK_LCTRL:
        case SDLK_RCTRL:
            return VK_CONTROL;
        case SDLK_LALT:
        case SDLK_RALT:
            return VK_MENU;
        case SDLK_APPLICATION:
        case SDLK_MENU:
            return VK_APPS;
        case SDLK_PAUSE:
            return VK_PAUSE;
        case SDLK_CAPSLOCK:
            return VK_CAPITAL;
        case SDLK_ESCAPE:
            return VK_ESCAPE;
        case SDLK_SPACE:
            return VK_SPACE;
        case SDLK_PAGEUP:
            return VK_PRIOR;
        case SDLK_PAGEDOWN:
            return VK_NEXT;
        case SDLK_END:
            return VK_END;
        case SDLK_HOME:
            return VK_HOME;
        case SDLK_LEFT:
            return VK_LEFT;
        case SDLK_UP:
            return VK_UP;
        case SDLK_RIGHT:
            return VK_RIGHT;
        case SDLK_DOWN:
            return VK_DOWN;
        case SDLK_INSERT:
            return VK_INSERT;
        case SDLK_DELETE:
            return VK_DELETE;
        case SDLK_KP_0:
            return VK_NUMPAD0;
        case SDLK_KP_MULTIPLY:
            return VK_MULTIPLY;
        case SDLK_KP_PLUS:
            return VK_ADD;
        case SDLK_KP_MINUS:
            return VK_SUBTRACT;
        case SDLK_KP_PERIOD:
            return VK_DECIMAL;
        case SDLK_KP_DIVIDE:
            return VK_DIVIDE;
        case SDLK_SEMICOLON:
            return VK_OEM_1;
        case SDLK_EQUALS:
            return VK_OEM_PLUS;
        case SDLK_COMMA:
            return VK_OEM_COMMA;
        case SDLK_MINUS:
            return VK_OEM_MINUS;
        case SDLK_PERIOD:
            return VK_OEM_PERIOD;
        case SDLK_SLASH:
            return VK_OEM_2;
        case SDLK_BACKQUOTE:
            return VK_OEM_3;
        case SDLK_LEFTBRACKET:
            return VK_OEM_4;
        case SDLK_BACKSLASH:
            return VK_OEM_5;
        case SDLK_RIGHTBRACKET:
            return VK_OEM_6;
        case SDLK_QUOTE:
            return VK_OEM_7;
        default:
            break;
    }
    // Keyboard layouts that give other symbols: fall back on the key's place.
    if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z) {
        return 'A' + (scancode - SDL_SCANCODE_A);
    }
    return 0;
}

}  // namespace platform

BOOL TranslateMessage(const MSG* msg) {
    if (msg == nullptr) {
        return FALSE;
    }
    auto vk = static_cast<int>(msg->wParam);
    if (msg->message == WM_KEYDOWN) {
        WPARAM c = 0;
        bool ctrl = GetKeyState(VK_CONTROL) < 0;
        if (vk == VK_BACK || vk == VK_TAB || vk == VK_RETURN || vk == VK_ESCAPE) {
            c = static_cast<WPARAM>(vk == VK_RETURN ? '\r' : vk);
        } else if (ctrl && vk >= 'A' && vk <= 'Z') {
            c = static_cast<WPARAM>(vk - 'A' + 1);
        }
        if (c != 0) {
            PostMessage(msg->hwnd, WM_CHAR, c, msg->lParam);
            return TRUE;
        }
        return FALSE;
    }
    if (msg->message == WM_SYSKEYDOWN) {
        WPARAM c = 0;
        if (vk >= 'A' && vk <= 'Z') {
            c = static_cast<WPARAM>(GetKeyState(VK_SHIFT) < 0 ? vk : vk - 'A' + 'a');
        } else if (vk >= '0' && vk <= '9') {
            c = static_cast<WPARAM>(vk);
        }
        if (c != 0) {
            PostMessage(msg->hwnd, WM_SYSCHAR, c, msg->lParam);
            return TRUE;
        }
    }
    return FALSE;
}
