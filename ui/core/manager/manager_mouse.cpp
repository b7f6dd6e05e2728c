// Mouse tracking (enter, leave, hover), the wheel and tooltips.

#include <algorithm>

#include "platform/window/window_api.h"
#include "ui/control/control.h"
#include "ui/core/manager/manager_shared.h"

namespace VantuUI {

bool CWindowManagerUI::RequestMouseLeave(CControlUI* control) {
    if (control == nullptr) {
        return false;
    }
    if (std::find(m_mouseLeaveWanted.begin(), m_mouseLeaveWanted.end(), control) ==
        m_mouseLeaveWanted.end()) {
        m_mouseLeaveWanted.push_back(control);
    }
    return true;
}

void CWindowManagerUI::CancelMouseLeave(CControlUI* control) {
    std::erase(m_mouseLeaveWanted, control);
}

void CWindowManagerUI::OnMouseMove(WPARAM wParam, LPARAM lParam) {
    if (m_root == nullptr) {
        return;
    }
    if (!m_mouseTracking) {
        TRACKMOUSEEVENT track{};
        track.cbSize = sizeof(track);
        track.dwFlags = TME_HOVER | TME_LEAVE;
        track.hwndTrack = m_window;
        track.dwHoverTime =
            m_tooltip != nullptr
                ? static_cast<DWORD>(SendMessage(m_tooltip, TTM_GETDELAYTIME, TTDT_INITIAL, 0))
                : m_hoverTime;
        m_mouseTracking = _TrackMouseEvent(&track) != FALSE;
    }
    m_lastMouse = POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    CControlUI* control = ControlAtPoint(m_lastMouse);
    if (control != nullptr && !OwnsControl(control)) {
        return;
    }
    const WORD keyState = static_cast<WORD>(wParam);
    if (!m_mouseCaptured) {
        if (control != m_hover && m_hover != nullptr) {
            const std::vector<CControlUI*> wanting = m_mouseLeaveWanted;
            for (CControlUI* wants : wanting) {
                SendEvent(wants, UIEVENT_MOUSELEAVE, keyState, wParam, lParam);
            }
            SendEvent(m_hover, UIEVENT_MOUSELEAVE, keyState, wParam, lParam);
            m_hover = nullptr;
            HideTooltip();
        }
        if (control != nullptr && control != m_hover) {
            m_hover = control;
            SendEvent(control, UIEVENT_MOUSEENTER, keyState, wParam, lParam);
        }
    }
    SendEvent(m_click != nullptr ? m_click : control, UIEVENT_MOUSEMOVE, keyState, wParam, lParam);
}

void CWindowManagerUI::OnMouseWheel(WPARAM wParam, LPARAM lParam) {
    if (m_root == nullptr) {
        return;
    }
    CControlUI* control = ControlAtPoint(m_lastMouse);
    if (OwnsControl(control)) {
        const bool down = GET_WHEEL_DELTA_WPARAM(wParam) < 0;
        SendEvent(control, UIEVENT_SCROLLWHEEL, static_cast<WORD>(wParam), down ? 1 : 0, lParam);
    }
    SendMessage(m_window, WM_MOUSEMOVE, 0, MAKELPARAM(m_lastMouse.x, m_lastMouse.y));
}

bool CWindowManagerUI::OnMouseHover(WPARAM wParam, LPARAM lParam) {
    m_mouseTracking = false;
    if (m_root == nullptr) {
        return false;
    }
    const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    CControlUI* control = ControlAtPoint(point);
    if (control == nullptr) {
        return false;
    }
    SendEvent(m_hover, UIEVENT_MOUSEHOVER, static_cast<WORD>(wParam), wParam, lParam);
    if (!OwnsControl(control)) {
        return true;  // the hover event removed it
    }
    m_toolText = ExpandTokens(control->GetToolTip());
    if (m_toolText.empty()) {
        return true;
    }
    m_toolInfo = TOOLINFO{};
    m_toolInfo.cbSize = sizeof(m_toolInfo);
    m_toolInfo.uFlags = TTF_IDISHWND;
    m_toolInfo.hwnd = m_window;
    m_toolInfo.uId = reinterpret_cast<UINT_PTR>(m_window);
    m_toolInfo.hinst = ProgramModule();
    // The tooltip only reads it.
    m_toolInfo.lpszText = const_cast<wchar_t*>(m_toolText.c_str());
    m_toolInfo.rect = control->GetItemRect();
    const int maxWidth = control->GetToolTipMaxWidth();
    const auto info = reinterpret_cast<LPARAM>(&m_toolInfo);
    if (m_tooltip == nullptr) {
        m_tooltip =
            CreateWindowEx(0, L"tooltips_class32", nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_window,
                           nullptr, ProgramModule(), nullptr);
        if (m_tooltip == nullptr) {
            return true;
        }
        SendMessage(m_tooltip, TTM_ADDTOOL, 0, info);
        SendMessage(m_tooltip, TTM_SETMAXTIPWIDTH, 0, maxWidth);
        SendMessage(m_tooltip, TTM_SETTOOLINFO, 0, info);
        SendMessage(m_tooltip, TTM_TRACKACTIVATE, TRUE, info);
    }
    if (m_lastTooltipControl == nullptr) {
        m_lastTooltipControl = control;
    } else {
        if (m_lastTooltipControl != control || maxWidth != m_lastTooltipWidth) {
            SendMessage(m_tooltip, TTM_SETMAXTIPWIDTH, 0, maxWidth);
            if (m_lastTooltipControl == control) {
                m_lastTooltipWidth = maxWidth;
            }
        }
        SendMessage(m_tooltip, TTM_SETTOOLINFO, 0, info);
        SendMessage(m_tooltip, TTM_TRACKACTIVATE, TRUE, info);
    }
    // The tooltip is a top-level popup: it is placed in screen coordinates.
    POINT screen = point;
    ClientToScreen(m_window, &screen);
    SendMessage(m_tooltip, TTM_TRACKPOSITION, 0, MAKELPARAM(screen.x, screen.y));
    return true;
}

void CWindowManagerUI::OnMouseLeave() {
    HideTooltip();
    // A hover ends tracking, but the hovered control must still learn that
    // the pointer left.
    if (!m_mouseTracking && m_hover == nullptr) {
        return;
    }
    POINT screen{};
    GetCursorPos(&screen);
    POINT client = screen;
    ScreenToClient(m_window, &client);
    RECT area{};
    GetClientRect(m_window, &area);
    const bool inside =
        !IsIconic(m_window) && GetActiveWindow() == m_window && RectContains(area, client) &&
        SendMessage(m_window, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y)) == HTCLIENT;
    SendMessage(m_window, WM_MOUSEMOVE, 0, inside ? MAKELPARAM(client.x, client.y) : LPARAM{-1});
    m_mouseTracking = false;
}

void CWindowManagerUI::HideTooltip() {
    if (m_tooltip != nullptr) {
        SendMessage(m_tooltip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&m_toolInfo));
    }
}

void CWindowManagerUI::DestroyTooltip() {
    if (m_tooltip != nullptr) {
        if (IsWindow(m_tooltip)) {
            DestroyWindow(m_tooltip);
        }
        m_tooltip = nullptr;
        m_lastTooltipControl = nullptr;
        m_lastTooltipWidth = -1;
    }
}

}  // namespace VantuUI
