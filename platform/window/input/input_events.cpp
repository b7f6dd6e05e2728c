// Display events turned into window messages: the pointer goes to the window
// under it (or the capture), keys and text to the focus, window-manager
// events become moves, sizes, activation and close requests.

#include <algorithm>

#include "platform/text/text_codec.h"
#include "platform/window/input/input_state.h"
#include "platform/window/window_internal.h"
#include "platform/window/window_system.h"

namespace platform {

namespace {

HWND DeepestAt(HWND hwnd, POINT client) {
    Window* w = FindWindowRecord(hwnd);
    if (w == nullptr) {
        return nullptr;
    }
    for (auto it = w->children.rbegin(); it != w->children.rend(); ++it) {
        Window* c = FindWindowRecord(*it);
        if (c == nullptr || (c->style & WS_VISIBLE) == 0) {
            continue;
        }
        if (client.x >= c->rect.left && client.x < c->rect.right && client.y >= c->rect.top &&
            client.y < c->rect.bottom) {
            return DeepestAt(*it, POINT{client.x - c->rect.left, client.y - c->rect.top});
        }
    }
    return hwnd;
}

bool EnabledChain(HWND hwnd) {
    for (Window* w = FindWindowRecord(hwnd); w != nullptr; w = FindWindowRecord(w->parent)) {
        if ((w->style & WS_DISABLED) != 0) {
            return false;
        }
        if (!IsChild(*w)) {
            break;
        }
    }
    return true;
}

void MouseLeft(HWND hwnd) {
    auto& in = Input();
    if (in.tracking.hwnd != nullptr && (in.tracking.flags & TME_LEAVE) != 0 &&
        in.tracking.hwnd != hwnd) {
        PostMessage(in.tracking.hwnd, WM_MOUSELEAVE, 0, 0);
        in.tracking = Tracking{};
    } else if (in.tracking.hwnd != nullptr && in.tracking.hwnd != hwnd) {
        in.tracking = Tracking{};
    }
}

void PointerMessage(Uint32 windowId, int x, int y, UINT message) {
    HWND topHwnd = WindowFromSdlId(windowId);
    Window* top = FindWindowRecord(topHwnd);
    if (top == nullptr) {
        return;
    }
    auto& in = Input();
    POINT screen{top->rect.left + x, top->rect.top + y};
    in.cursor = screen;
    HWND under = DeepestAt(topHwnd, POINT{x, y});
    in.mouseOver = under;
    HWND target = in.capture != nullptr ? in.capture : under;
    if (message == WM_MOUSEMOVE) {
        MouseLeft(target);
        Tracking& t = in.tracking;
        if (t.hwnd == target && (t.flags & TME_HOVER) != 0 &&
            (std::abs(screen.x - t.hoverPoint.x) > 2 || std::abs(screen.y - t.hoverPoint.y) > 2)) {
            t.hoverPoint = screen;
            t.hoverDue = Clock::now() + std::chrono::milliseconds(t.hoverTime);
        }
    }
    if (target == nullptr || (in.capture == nullptr && !EnabledChain(target))) {
        return;
    }
    LRESULT hit = HTCLIENT;
    if (in.capture == nullptr) {
        HWND asked = target;
        for (;;) {
            hit = SendMessage(asked, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
            if (hit != HTTRANSPARENT || asked == topHwnd) {
                break;
            }
            asked = GetAncestor(asked, GA_PARENT);
            if (asked == nullptr) {
                break;
            }
        }
        if (!IsWindow(target)) {
            return;
        }
        SendMessage(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(target),
                    MAKELPARAM(static_cast<int>(hit), static_cast<int>(message)));
    }
    bool press = message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN ||
                 message == WM_MBUTTONDOWN || message == WM_LBUTTONDBLCLK;
    if (press && in.active != topHwnd) {
        LRESULT answer = SendMessage(topHwnd, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(topHwnd),
                                     MAKELPARAM(static_cast<int>(hit), static_cast<int>(message)));
        if (answer != MA_NOACTIVATE && answer != 4 /* MA_NOACTIVATEANDEAT */) {
            SetActiveWindow(topHwnd);
        }
    }
    if (hit == HTCLIENT) {
        POINT client = screen;
        ScreenToClient(target, &client);
        PostMessage(target, message, MouseKeyFlags(), MAKELPARAM(client.x, client.y));
    } else if (message <= WM_MBUTTONUP) {
        PostMessage(target, message - WM_MOUSEMOVE + WM_NCMOUSEMOVE, static_cast<WPARAM>(hit),
                    MAKELPARAM(screen.x, screen.y));
    }
}

UINT ButtonMessage(Uint8 button, bool down, int clicks, HWND target) {
    bool dbl = false;
    if (down && clicks >= 2) {
        Window* w = FindWindowRecord(target);
        dbl = w != nullptr && (w->cls.style & CS_DBLCLKS) != 0;
    }
    switch (button) {
        case SDL_BUTTON_LEFT:
            return down ? (dbl ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN) : WM_LBUTTONUP;
        case SDL_BUTTON_RIGHT:
            return down ? (dbl ? WM_RBUTTONDBLCLK : WM_RBUTTONDOWN) : WM_RBUTTONUP;
        case SDL_BUTTON_MIDDLE:
            return down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
        default:
            return 0;
    }
}

int ButtonKey(Uint8 button) {
    switch (button) {
        case SDL_BUTTON_LEFT:
            return VK_LBUTTON;
        case SDL_BUTTON_RIGHT:
            return VK_RBUTTON;
        case SDL_BUTTON_MIDDLE:
            return VK_MBUTTON;
        default:
            return 0;
    }
}

void SetModifiers(Uint16 mod) {
    SetKeyDown(VK_SHIFT, (mod & KMOD_SHIFT) != 0);
    SetKeyDown(VK_CONTROL, (mod & KMOD_CTRL) != 0);
    SetKeyDown(VK_MENU, (mod & KMOD_ALT) != 0);
}

HWND KeyTarget() {
    auto& in = Input();
    HWND target = in.focus != nullptr ? in.focus : in.active;
    return target != nullptr && EnabledChain(target) ? target : nullptr;
}

void KeyMessage(const SDL_KeyboardEvent& e) {
    bool down = e.type == SDL_KEYDOWN;
    int vk = VirtualKeyOf(e.keysym.sym, e.keysym.scancode);
    SetModifiers(e.keysym.mod);
    SetKeyDown(vk, down);
    HWND target = KeyTarget();
    if (vk == 0 || target == nullptr) {
        return;
    }
    bool alt = GetKeyState(VK_MENU) < 0 || (vk == VK_MENU && !down);
    bool ctrl = GetKeyState(VK_CONTROL) < 0;
    bool system = alt && !ctrl;
    UINT message = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
    auto lParam = static_cast<std::uint32_t>(1 | ((e.keysym.scancode & 0xFF) << 16));
    if (alt) {
        lParam |= 1u << 29;
    }
    if (e.repeat != 0 || !down) {
        lParam |= 1u << 30;
    }
    if (!down) {
        lParam |= 1u << 31;
    }
    PostMessage(target, message, static_cast<WPARAM>(vk), static_cast<LPARAM>(lParam));
}

void EndComposition(HWND target) {
    auto& in = Input();
    if (in.composing) {
        in.composing = false;
        in.composition.clear();
        in.compositionCursor = 0;
        PostMessage(target, WM_IME_ENDCOMPOSITION, 0, 0);
    }
}

void CompositionMessage(const char* utf8, int cursor) {
    HWND target = KeyTarget();
    if (target == nullptr) {
        return;
    }
    auto& in = Input();
    std::wstring text = DecodeUtf8(utf8).value_or(L"");
    if (text.empty()) {
        EndComposition(target);
        return;
    }
    if (!in.composing) {
        in.composing = true;
        PostMessage(target, WM_IME_STARTCOMPOSITION, 0, 0);
    }
    in.composition = text;
    in.compositionCursor = std::clamp(cursor, 0, static_cast<int>(text.size()));
    PostMessage(target, WM_IME_COMPOSITION, 0, GCS_COMPSTR | GCS_CURSORPOS);
}

void TextMessage(const char* utf8) {
    HWND target = KeyTarget();
    if (target == nullptr) {
        return;
    }
    EndComposition(target);
    // Alt combinations arrive as WM_SYSCHAR from their key instead.
    if (GetKeyState(VK_MENU) < 0 && GetKeyState(VK_CONTROL) >= 0) {
        return;
    }
    auto text = DecodeUtf8(utf8);
    if (!text) {
        return;
    }
    for (wchar_t c : *text) {
        if (c >= 0x20) {
            PostMessage(target, WM_CHAR, static_cast<WPARAM>(c), 1);
        }
    }
}

void WindowEvent(const SDL_WindowEvent& e) {
    HWND hwnd = WindowFromSdlId(e.windowID);
    Window* w = FindWindowRecord(hwnd);
    if (w == nullptr) {
        return;
    }
    auto& in = Input();
    switch (e.event) {
        case SDL_WINDOWEVENT_CLOSE:
            PostMessage(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
            break;
        case SDL_WINDOWEVENT_FOCUS_GAINED: {
            if ((w->exStyle & WS_EX_NOACTIVATE) != 0) {
                break;  // keyboard input still goes to the focus
            }
            HWND activate = hwnd;
            if (!IsWindowEnabled(hwnd)) {
                // A disabled owner passes activation on to its enabled popup.
                for (HWND other : ThreadTopLevelWindows()) {
                    Window* o = FindWindowRecord(other);
                    if (o != nullptr && o->owner == hwnd && IsWindowVisible(other) &&
                        IsWindowEnabled(other)) {
                        activate = other;
                    }
                }
            }
            if (in.active != activate) {
                SetActiveWindow(activate);
            }
            break;
        }
        case SDL_WINDOWEVENT_FOCUS_LOST:
            if (in.active == hwnd) {
                SetActiveWindow(nullptr);
            }
            break;
        case SDL_WINDOWEVENT_MOVED:
            if (e.data1 != w->rect.left || e.data2 != w->rect.top) {
                SetWindowPos(hwnd, nullptr, e.data1, e.data2, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | kSwpFromDisplay);
            }
            break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            if (e.data1 != Width(w->rect) || e.data2 != Height(w->rect)) {
                SetWindowPos(hwnd, nullptr, 0, 0, e.data1, e.data2,
                             SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            }
            break;
        case SDL_WINDOWEVENT_EXPOSED:
            if (w->buffer) {
                PresentRect(*w, RECT{0, 0, Width(w->rect), Height(w->rect)});
            }
            break;
        case SDL_WINDOWEVENT_MINIMIZED:
            if (!IsIconic(hwnd)) {
                ShowWindow(hwnd, SW_SHOWMINNOACTIVE);
            }
            break;
        case SDL_WINDOWEVENT_RESTORED:
            if (IsIconic(hwnd)) {
                ShowWindow(hwnd, SW_RESTORE);
            }
            break;
        case SDL_WINDOWEVENT_LEAVE:
            if (in.capture == nullptr) {
                in.mouseOver = nullptr;
                // The pointer is outside now; its last point inside must not
                // answer GetCursorPos (a hovered control would stay hot).
                if (IsHeadlessDisplay()) {
                    in.cursor = POINT{w->rect.left - 1, w->rect.top - 1};
                } else {
                    int x = 0;
                    int y = 0;
                    SDL_GetGlobalMouseState(&x, &y);
                    in.cursor = POINT{x, y};
                }
                MouseLeft(nullptr);
            }
            break;
        default:
            break;
    }
}

}  // namespace

std::wstring ImeComposition(int* cursor) {
    if (cursor != nullptr) {
        *cursor = Input().compositionCursor;
    }
    return Input().composition;
}

void SetImeCandidateRect(HWND hwnd, const RECT& rect) {
    Window* w = FindWindowRecord(hwnd);
    if (w == nullptr || !IsDisplayThread()) {
        return;
    }
    POINT origin = OriginInTopLevel(*w);
    SDL_Rect r{origin.x + rect.left, origin.y + rect.top, rect.right - rect.left,
               rect.bottom - rect.top};
    SDL_SetTextInputRect(&r);
}

HWND ChildAt(HWND top, POINT client) {
    return DeepestAt(top, client);
}

void HandleSdlEvent(const SDL_Event& event) {
    switch (event.type) {
        case SDL_MOUSEMOTION:
            PointerMessage(event.motion.windowID, event.motion.x, event.motion.y, WM_MOUSEMOVE);
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            const auto& b = event.button;
            bool down = event.type == SDL_MOUSEBUTTONDOWN;
            SetKeyDown(ButtonKey(b.button), down);
            HWND top = WindowFromSdlId(b.windowID);
            Window* tw = FindWindowRecord(top);
            if (tw == nullptr) {
                break;
            }
            HWND target =
                Input().capture != nullptr ? Input().capture : ChildAt(top, POINT{b.x, b.y});
            UINT message = ButtonMessage(b.button, down, b.clicks, target);
            if (message != 0) {
                PointerMessage(b.windowID, b.x, b.y, message);
            }
            break;
        }
        case SDL_MOUSEWHEEL: {
            HWND top = WindowFromSdlId(event.wheel.windowID);
            auto& in = Input();
            HWND target = in.capture != nullptr     ? in.capture
                          : in.mouseOver != nullptr ? in.mouseOver
                                                    : top;
            if (target != nullptr && EnabledChain(target)) {
                int delta = event.wheel.y * WHEEL_DELTA;
                if (event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) {
                    delta = -delta;
                }
                auto wParam =
                    static_cast<WPARAM>(static_cast<DWORD>(MouseKeyFlags() & 0xFFFF) |
                                        (static_cast<DWORD>(static_cast<WORD>(delta)) << 16));
                PostMessage(target, WM_MOUSEWHEEL, wParam, MAKELPARAM(in.cursor.x, in.cursor.y));
            }
            break;
        }
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            KeyMessage(event.key);
            break;
        case SDL_TEXTINPUT:
            TextMessage(event.text.text);
            break;
        case SDL_TEXTEDITING:
            CompositionMessage(event.edit.text, event.edit.start);
            break;
        case SDL_WINDOWEVENT:
            WindowEvent(event.window);
            break;
        case SDL_SYSWMEVENT:
            if (event.syswm.msg != nullptr) {
                HandleForeignMessage(*event.syswm.msg);
            }
            break;
        default:
            break;
    }
}

}  // namespace platform
