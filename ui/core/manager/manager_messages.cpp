// The window's messages turned into input events for the right control.

#include <algorithm>

#include "platform/window/window_api.h"
#include "ui/control/control.h"
#include "ui/core/manager/manager_shared.h"

namespace VantuUI {

namespace {

// Reflected to the native child window that sent them.
constexpr UINT kReflectNotify = 0x204E;
constexpr UINT kReflectCommand = 0x2111;
constexpr UINT kReflectBase = 0x2000;

WORD KeyStateNow() {
    WORD state = 0;
    if (GetKeyState(VK_LBUTTON) < 0) {
        state |= MK_LBUTTON;
    }
    if (GetKeyState(VK_RBUTTON) < 0) {
        state |= 0x02;
    }
    if (GetKeyState(VK_SHIFT) < 0) {
        state |= 0x04;
    }
    if (GetKeyState(VK_CONTROL) < 0) {
        state |= 0x08;
    }
    if (GetKeyState(VK_MENU) < 0) {
        state |= 0x20;
    }
    return state;
}

POINT PointOf(LPARAM lParam) {
    return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

}  // namespace

TInputEventUI CWindowManagerUI::MakeEvent(InputEventKind kind, CControlUI* sender, WORD keyState,
                                          WPARAM wParam, LPARAM lParam) const {
    TInputEventUI event;
    event.Kind = kind;
    event.Sender = sender;
    event.Timestamp = GetTickCount();
    event.MousePoint = m_lastMouse;
    event.KeyState = keyState;
    event.wParam = wParam;
    event.lParam = lParam;
    return event;
}

bool CWindowManagerUI::OwnsControl(const CControlUI* control) const {
    return control != nullptr && control->GetManager() == this;
}

void CWindowManagerUI::SendEvent(CControlUI* target, InputEventKind kind, WORD keyState,
                                 WPARAM wParam, LPARAM lParam) {
    if (target == nullptr) {
        return;
    }
    TInputEventUI event = MakeEvent(kind, target, keyState, wParam, lParam);
    target->DispatchEvent(event);
}

void CWindowManagerUI::SendKeyEvent(CControlUI* target, InputEventKind kind, WPARAM wParam,
                                    LPARAM lParam) {
    TInputEventUI event = MakeEvent(kind, target, KeyStateNow(), wParam, lParam);
    event.KeyChar = static_cast<wchar_t>(wParam);
    target->DispatchEvent(event);
}

bool CWindowManagerUI::AskFilters(const std::vector<IMessageFilterUI*>& filters, UINT message,
                                  WPARAM wParam, LPARAM lParam, LRESULT& result) {
    const std::vector<IMessageFilterUI*> asked = filters;  // a filter may remove itself
    for (IMessageFilterUI* filter : asked) {
        bool handled = false;
        const LRESULT answer = filter->FilterMessage(message, wParam, lParam, handled);
        if (handled) {
            result = answer;
            return true;
        }
    }
    return false;
}

bool CWindowManagerUI::HandleWindowMessage(UINT message, WPARAM wParam, LPARAM lParam,
                                           LRESULT& result) {
    if (m_window == nullptr) {
        return false;
    }
    if (message == WM_CONTEXTMENU || message == WM_MOUSEWHEEL) {
        POINT point = PointOf(lParam);
        ScreenToClient(m_window, &point);
        m_lastMouse = point;
    } else if (message >= WM_MOUSEMOVE && message < WM_MOUSEWHEEL) {
        // Every button's message carries its own point: a right click over a
        // control the pointer never moved onto still finds that control.
        m_lastMouse = PointOf(lParam);
    }
    if (AskFilters(m_messageHooks, message, wParam, lParam, result)) {
        return true;
    }
    if (m_layered) {
        if (message == WM_NCCALCSIZE || message == WM_NCPAINT) {
            result = 0;
            return true;
        }
        if (message == WM_NCACTIVATE && !IsIconic(m_window)) {
            result = wParam == 0 ? 1 : 0;
            return true;
        }
    }
    switch (message) {
        case WM_GETMINMAXINFO: {
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            if (info != nullptr && m_minInfo.cx > 0) {
                info->ptMinTrackSize.x = m_minInfo.cx;
            }
            if (info != nullptr && m_minInfo.cy > 0) {
                info->ptMinTrackSize.y = m_minInfo.cy;
            }
            if (info != nullptr && m_maxInfo.cx > 0) {
                info->ptMaxTrackSize.x = m_maxInfo.cx;
            }
            if (info != nullptr && m_maxInfo.cy > 0) {
                info->ptMaxTrackSize.y = m_maxInfo.cy;
            }
            return false;
        }
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            result = header != nullptr
                         ? SendMessage(header->hwndFrom, kReflectNotify, wParam, lParam)
                         : 0;
            return true;
        }
        case WM_COMMAND:
            result = 0;
            if (lParam != 0) {
                result =
                    SendMessage(reinterpret_cast<HWND>(lParam), kReflectCommand, wParam, lParam);
            }
            return true;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
            result = 0;
            if (lParam != 0) {
                result = SendMessage(reinterpret_cast<HWND>(lParam), message + kReflectBase, wParam,
                                     lParam);
            }
            return true;
        case WM_CONTEXTMENU:
            if (m_root != nullptr && !m_mouseCaptured && m_click != nullptr) {
                CControlUI* click = m_click;
                m_click = nullptr;
                SendEvent(click, UIEVENT_CONTEXTMENU, static_cast<WORD>(wParam), wParam,
                          reinterpret_cast<LPARAM>(click));
            }
            return false;
        case WM_KEYDOWN:
            if (m_root != nullptr && m_focus != nullptr) {
                m_keyDown = m_focus;
                SendKeyEvent(m_focus, UIEVENT_KEYDOWN, wParam, lParam);
            }
            return false;
        case WM_KEYUP:
            if (m_root != nullptr && m_keyDown != nullptr) {
                CControlUI* target = m_keyDown;
                m_keyDown = nullptr;
                SendKeyEvent(target, UIEVENT_KEYUP, wParam, lParam);
            }
            return false;
        case WM_CHAR:
            if (m_root != nullptr && m_focus != nullptr) {
                SendKeyEvent(m_focus, UIEVENT_CHAR, wParam, lParam);
            }
            return false;
        case WM_SIZE:
            SendEvent(m_focus, UIEVENT_WINDOWSIZE, KeyStateNow(), wParam, lParam);
            if (m_root != nullptr) {
                m_root->RequestLayout();
            }
            if (m_layered) {
                Invalidate();
            }
            result = 0;
            return true;
        case WM_KILLFOCUS:
            OnKillFocus(wParam);
            return false;
        case WM_PAINT:
            OnPaint();
            result = 0;
            return true;
        case WM_CLOSE:
            OnClose();
            return false;
        case WM_ERASEBKGND:
            result = 1;
            return true;
        case WM_SETCURSOR:
            if (OnSetCursor(lParam)) {
                result = TRUE;
                return true;
            }
            return false;
        case WM_MOUSEACTIVATE:
            if (m_noActivate) {
                result = MA_NOACTIVATE;
                return true;
            }
            return false;
        case WM_TIMER:
            OnTimer(wParam);
            return false;
        case WM_MOUSEMOVE:
            OnMouseMove(wParam, lParam);
            return false;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
            OnButtonDown(message, wParam);
            return false;
        case WM_LBUTTONUP:
            OnButtonUp(wParam);
            return false;
        case WM_MOUSEWHEEL:
            OnMouseWheel(wParam, lParam);
            return false;
        case WM_MOUSEHOVER:
            if (OnMouseHover(wParam, lParam)) {
                result = 0;
                return true;
            }
            return false;
        case WM_MOUSELEAVE:
            OnMouseLeave();
            return false;
        case WM_PRINTCLIENT:
            OnPrintClient(reinterpret_cast<HDC>(wParam), lParam);
            return false;
        case kNotifyQueueMessage:
            DeliverQueued();
            return false;
        default:
            return false;
    }
}

bool CWindowManagerUI::OnButtonDown(UINT message, WPARAM wParam) {
    if (!m_noActivate) {
        SetFocus(m_window);
    }
    if (m_root == nullptr) {
        return false;
    }
    CControlUI* control = ControlAtPoint(m_lastMouse);
    if (!OwnsControl(control)) {
        return false;
    }
    const WORD keyState = static_cast<WORD>(wParam);
    switch (message) {
        case WM_LBUTTONDOWN:
            m_click = control;
            control->SetFocus();
            CaptureMouse();
            SendEvent(control, UIEVENT_BUTTONDOWN, keyState, wParam, 0);
            break;
        case WM_LBUTTONDBLCLK:
            CaptureMouse();
            SendEvent(control, UIEVENT_DBLCLICK, keyState, wParam, 0);
            m_click = OwnsControl(control) ? control : nullptr;
            break;
        default:
            control->SetFocus();
            SendEvent(control, UIEVENT_RBUTTONDOWN, keyState, wParam, 0);
            m_click = OwnsControl(control) ? control : nullptr;
            break;
    }
    return true;
}

void CWindowManagerUI::OnButtonUp(WPARAM wParam) {
    if (m_click == nullptr) {
        return;
    }
    CControlUI* click = m_click;
    ReleaseMouse();
    SendEvent(click, UIEVENT_BUTTONUP, static_cast<WORD>(wParam), wParam, 0);
    m_click = nullptr;
}

void CWindowManagerUI::OnClose() {
    SendEvent(m_hover, UIEVENT_MOUSELEAVE, KeyStateNow(), 0, 0);
    SendEvent(m_click, UIEVENT_BUTTONUP, KeyStateNow(), 0, 0);
    FocusControl(nullptr, false);
    if (GetActiveWindow() == m_window) {
        HWND parent = GetParent(m_window);
        if (parent != nullptr) {
            SetFocus(parent);
        }
    }
    DestroyTooltip();
}

bool CWindowManagerUI::OnSetCursor(LPARAM lParam) {
    if (m_root == nullptr || LOWORD(static_cast<std::uintptr_t>(lParam)) != HTCLIENT) {
        return false;
    }
    if (m_mouseCaptured) {
        return true;
    }
    POINT point{};
    GetCursorPos(&point);
    ScreenToClient(m_window, &point);
    CControlUI* control = ControlAtPoint(point);
    if (control == nullptr || (control->GetInputFlags() & UIFLAG_SETCURSOR) == 0) {
        return false;
    }
    TInputEventUI event = MakeEvent(UIEVENT_SETCURSOR, control, KeyStateNow(), 0, 0);
    event.MousePoint = point;
    control->DispatchEvent(event);
    return true;
}

void CWindowManagerUI::OnTimer(UINT_PTR id) {
    if (id == kLayeredTimerId && m_layered) {
        if (!RectIsEmpty(m_layeredUpdate) && !IsIconic(m_window)) {
            OnPaint();
        }
        return;
    }
    for (const TTimerRecordUI& timer : m_timers) {
        if (timer.window == m_window && timer.nativeId == id && !timer.killed) {
            SendEvent(timer.control, UIEVENT_TIMER, KeyStateNow(), timer.key, 0);
            return;
        }
    }
}

void CWindowManagerUI::OnKillFocus(WPARAM wParam) {
    HWND holder = reinterpret_cast<HWND>(wParam);
    if (holder == nullptr) {
        return;
    }
    while (holder != nullptr && GetParent(holder) != m_window) {
        holder = GetParent(holder);
    }
    for (const ChildWindow& child : m_childWindows) {
        if (child.window == holder && holder != nullptr && child.control != m_focus) {
            FocusControl(child.control, false);
            return;
        }
    }
}

}  // namespace VantuUI
