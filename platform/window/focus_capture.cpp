// Activation, keyboard focus, mouse capture, cursors and key state. Like the
// input queue they belong to, these are per thread.

#include <array>

#include "platform/window/input/input_state.h"
#include "platform/window/window_internal.h"
#include "platform/window/window_system.h"

namespace platform {

InputState& Input() {
    thread_local InputState state;
    return state;
}

void ForgetInputState(HWND hwnd) {
    InputState& in = Input();
    if (in.focus == hwnd) {
        in.focus = nullptr;
    }
    if (in.active == hwnd) {
        in.active = nullptr;
    }
    if (in.capture == hwnd) {
        in.capture = nullptr;
    }
    if (in.mouseOver == hwnd) {
        in.mouseOver = nullptr;
    }
    if (in.tracking.hwnd == hwnd) {
        in.tracking = Tracking{};
    }
}

}  // namespace platform

using platform::FindWindowRecord;
using platform::Input;
using platform::Window;

HWND SetActiveWindow(HWND hwnd) {
    auto& in = Input();
    HWND previous = in.active;
    if (hwnd != nullptr) {
        Window* top = platform::TopLevelOf(FindWindowRecord(hwnd));
        if (top == nullptr || !IsWindowEnabled(top->hwnd)) {
            return nullptr;
        }
        hwnd = top->hwnd;
    }
    if (hwnd == previous) {
        return previous;
    }
    if (Window* old = FindWindowRecord(previous)) {
        old->lastFocus = nullptr;
        for (HWND h = in.focus; h != nullptr; h = GetAncestor(h, GA_PARENT)) {
            if (h == previous) {
                old->lastFocus = in.focus;
                break;
            }
        }
    }
    in.active = hwnd;
    if (IsWindow(previous)) {
        SendMessage(previous, WM_NCACTIVATE, FALSE, 0);
        SendMessage(previous, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(hwnd));
    }
    if (hwnd == nullptr || in.active != hwnd) {
        if (hwnd == nullptr) {
            SetFocus(nullptr);
        }
        return previous;
    }
    SendMessage(hwnd, WM_NCACTIVATE, TRUE, 0);
    SendMessage(hwnd, WM_ACTIVATE, WA_ACTIVE, reinterpret_cast<LPARAM>(previous));
    Window* w = FindWindowRecord(hwnd);
    if (w != nullptr && in.active == hwnd) {
        if (w->sdl) {
            SDL_RaiseWindow(w->sdl.get());
        }
        HWND inside = IsWindow(w->lastFocus) ? w->lastFocus : hwnd;
        SetFocus(inside);
    }
    return previous;
}

HWND GetActiveWindow() {
    return Input().active;
}

BOOL SetForegroundWindow(HWND hwnd) {
    return SetActiveWindow(hwnd) != nullptr || GetActiveWindow() == hwnd ? TRUE : FALSE;
}

HWND GetForegroundWindow() {
    return Input().active;
}

HWND SetFocus(HWND hwnd) {
    auto& in = Input();
    HWND previous = in.focus;
    if (hwnd != nullptr) {
        Window* w = FindWindowRecord(hwnd);
        if (w == nullptr || w->thread != std::this_thread::get_id() || !IsWindowEnabled(hwnd)) {
            return nullptr;
        }
        Window* top = platform::TopLevelOf(w);
        if (top != nullptr && in.active != top->hwnd) {
            SetActiveWindow(top->hwnd);
            if (in.active != top->hwnd) {
                return nullptr;
            }
        }
    }
    HWND old = in.focus;
    if (old == hwnd) {
        return previous;
    }
    in.focus = hwnd;
    if (old != nullptr && IsWindow(old)) {
        SendMessage(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
    }
    if (hwnd != nullptr && in.focus == hwnd) {
        SendMessage(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
    }
    return previous;
}

HWND GetFocus() {
    return Input().focus;
}

HWND SetCapture(HWND hwnd) {
    auto& in = Input();
    HWND previous = in.capture;
    if (FindWindowRecord(hwnd) == nullptr) {
        return previous;
    }
    in.capture = hwnd;
    if (previous != nullptr && previous != hwnd) {
        SendMessage(previous, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
    }
    if (platform::IsDisplayThread()) {
        SDL_CaptureMouse(SDL_TRUE);
    }
    return previous;
}

BOOL ReleaseCapture() {
    auto& in = Input();
    HWND old = in.capture;
    in.capture = nullptr;
    if (platform::IsDisplayThread()) {
        SDL_CaptureMouse(SDL_FALSE);
    }
    if (old != nullptr) {
        SendMessage(old, WM_CAPTURECHANGED, 0, 0);
    }
    return TRUE;
}

HWND GetCapture() {
    return Input().capture;
}

BOOL TrackMouseEvent(TRACKMOUSEEVENT* track) {
    if (track == nullptr) {
        return FALSE;
    }
    auto& in = Input();
    platform::Tracking& t = in.tracking;
    if ((track->dwFlags & TME_CANCEL) != 0) {
        if (t.hwnd == track->hwndTrack) {
            t.flags &= ~(track->dwFlags & (TME_HOVER | TME_LEAVE));
            if (t.flags == 0) {
                t = platform::Tracking{};
            }
        }
        return TRUE;
    }
    if (!IsWindow(track->hwndTrack)) {
        return FALSE;
    }
    if (in.mouseOver != track->hwndTrack) {
        // The pointer is elsewhere already: the leave is due at once.
        if ((track->dwFlags & TME_LEAVE) != 0) {
            PostMessage(track->hwndTrack, WM_MOUSELEAVE, 0, 0);
        }
        return TRUE;
    }
    if (t.hwnd != track->hwndTrack) {
        t = platform::Tracking{};
        t.hwnd = track->hwndTrack;
    }
    t.flags |= track->dwFlags & (TME_HOVER | TME_LEAVE);
    if ((track->dwFlags & TME_HOVER) != 0) {
        t.hoverTime = track->dwHoverTime == HOVER_DEFAULT ? 400 : track->dwHoverTime;
        t.hoverPoint = in.cursor;
        t.hoverDue = platform::Clock::now() + std::chrono::milliseconds(t.hoverTime);
    }
    return TRUE;
}

namespace platform {

std::optional<Clock::time_point> NextHoverDue() {
    const Tracking& t = Input().tracking;
    if (t.hwnd == nullptr || (t.flags & TME_HOVER) == 0) {
        return std::nullopt;
    }
    return t.hoverDue;
}

void CheckHover() {
    auto& in = Input();
    Tracking& t = in.tracking;
    if (t.hwnd == nullptr || (t.flags & TME_HOVER) == 0 || Clock::now() < t.hoverDue) {
        return;
    }
    t.flags &= ~TME_HOVER;
    POINT p = in.cursor;
    ScreenToClient(t.hwnd, &p);
    PostMessage(t.hwnd, WM_MOUSEHOVER, MouseKeyFlags(), MAKELPARAM(p.x, p.y));
    if (t.flags == 0) {
        t = Tracking{};
    }
}

WPARAM MouseKeyFlags() {
    WPARAM flags = 0;
    if (GetKeyState(VK_LBUTTON) < 0) {
        flags |= MK_LBUTTON;
    }
    if (GetKeyState(VK_RBUTTON) < 0) {
        flags |= MK_RBUTTON;
    }
    if (GetKeyState(VK_MBUTTON) < 0) {
        flags |= MK_MBUTTON;
    }
    if (GetKeyState(VK_SHIFT) < 0) {
        flags |= MK_SHIFT;
    }
    if (GetKeyState(VK_CONTROL) < 0) {
        flags |= MK_CONTROL;
    }
    return flags;
}

void SetKeyDown(int vk, bool down) {
    if (vk > 0 && vk < 256) {
        auto& state = Input().keys[static_cast<size_t>(vk)];
        if (down && !state.down) {
            state.toggled = !state.toggled;
        }
        state.down = down;
    }
}

}  // namespace platform

SHORT GetKeyState(int virtualKey) {
    if (virtualKey <= 0 || virtualKey >= 256) {
        return 0;
    }
    const auto& state = Input().keys[static_cast<size_t>(virtualKey)];
    return static_cast<SHORT>((state.down ? 0x8000 : 0) | (state.toggled ? 1 : 0));
}

SHORT GetAsyncKeyState(int virtualKey) {
    return static_cast<SHORT>(GetKeyState(virtualKey) & 0x8000);
}

struct HCURSOR__ {
    int id = 0;
    SDL_Cursor* cursor = nullptr;
};

HCURSOR LoadCursor(HINSTANCE, const wchar_t* name) {
    static std::array<HCURSOR__, SDL_NUM_SYSTEM_CURSORS> cursors{};
    auto id = reinterpret_cast<std::uintptr_t>(name);
    SDL_SystemCursor which = SDL_SYSTEM_CURSOR_ARROW;
    switch (id) {
        case 32513:
            which = SDL_SYSTEM_CURSOR_IBEAM;
            break;
        case 32514:
            which = SDL_SYSTEM_CURSOR_WAIT;
            break;
        case 32515:
            which = SDL_SYSTEM_CURSOR_CROSSHAIR;
            break;
        case 32642:
            which = SDL_SYSTEM_CURSOR_SIZENWSE;
            break;
        case 32643:
            which = SDL_SYSTEM_CURSOR_SIZENESW;
            break;
        case 32644:
            which = SDL_SYSTEM_CURSOR_SIZEWE;
            break;
        case 32645:
            which = SDL_SYSTEM_CURSOR_SIZENS;
            break;
        case 32646:
            which = SDL_SYSTEM_CURSOR_SIZEALL;
            break;
        case 32648:
            which = SDL_SYSTEM_CURSOR_NO;
            break;
        case 32649:
            which = SDL_SYSTEM_CURSOR_HAND;
            break;
        default:
            break;
    }
    HCURSOR c = &cursors[static_cast<size_t>(which)];
    c->id = static_cast<int>(which);
    return c;
}

HCURSOR SetCursor(HCURSOR cursor) {
    auto& in = Input();
    HCURSOR previous = in.currentCursor;
    in.currentCursor = cursor;
    if (cursor != nullptr && platform::IsDisplayThread()) {
        if (cursor->cursor == nullptr) {
            // Null on displays without a pointer (offscreen): nothing to show.
            cursor->cursor = SDL_CreateSystemCursor(static_cast<SDL_SystemCursor>(cursor->id));
        }
        if (cursor->cursor != nullptr) {
            SDL_SetCursor(cursor->cursor);
        }
    }
    return previous;
}

BOOL GetCursorPos(POINT* point) {
    if (point == nullptr) {
        return FALSE;
    }
    *point = Input().cursor;
    return TRUE;
}
