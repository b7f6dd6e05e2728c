// The frameless window's frame behaviour: the whole window is client area,
// the skin's caption band drags it, its size box resizes it, its corners are
// rounded, it maximises to the work area, and the maximise and restore
// buttons follow the window's state.

#include "ui/control/control.h"
#include "ui/core/text_case.h"
#include "ui/core/window/window_impl_base.h"

namespace VantuUI {

namespace {

RECT WorkAreaNear(HWND hwnd, RECT* monitorArea = nullptr) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    GetMonitorInfo(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &info);
    if (monitorArea != nullptr) {
        *monitorArea = info.rcMonitor;
    }
    return info.rcWork;
}

}  // namespace

bool WindowImplBase::StaysClickableInCaption(const CControlUI& control) const {
    const std::wstring cls = control.GetClass();
    return EqualsIgnoringCase(cls, L"Button") || EqualsIgnoringCase(cls, L"Option") ||
           EqualsIgnoringCase(cls, L"Text");
}

LRESULT WindowImplBase::OnNcActivate(UINT, WPARAM wParam, LPARAM, bool& handled) {
    if (IsIconic(m_hwnd)) {
        handled = false;
    }
    return wParam == 0 ? TRUE : FALSE;
}

LRESULT WindowImplBase::OnNcCalcSize(UINT, WPARAM, LPARAM lParam, bool&) {
    if (!IsZoomed(m_hwnd)) {
        return 0;
    }
    auto* proposed = reinterpret_cast<RECT*>(lParam);
    const RECT work = WorkAreaNear(m_hwnd);
    proposed->right = proposed->left + (work.right - work.left);
    proposed->bottom = proposed->top + (work.bottom - work.top);
    return WVR_REDRAW;
}

LRESULT WindowImplBase::OnNcHitTest(UINT, WPARAM, LPARAM lParam, bool&) {
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ScreenToClient(m_hwnd, &point);
    RECT client;
    GetClientRect(m_hwnd, &client);
    if (!IsZoomed(m_hwnd)) {
        const RECT& box = m_manager.SizeBox();
        const bool left = point.x < client.left + box.left;
        const bool right = point.x > client.right - box.right;
        if (point.y < client.top + box.top) {
            return left ? HTTOPLEFT : right ? HTTOPRIGHT : HTTOP;
        }
        if (point.y > client.bottom - box.bottom) {
            return left ? HTBOTTOMLEFT : right ? HTBOTTOMRIGHT : HTBOTTOM;
        }
        if (left) {
            return HTLEFT;
        }
        if (right) {
            return HTRIGHT;
        }
    }
    // The caption's bottom is a height from the window's top.
    const RECT& caption = m_manager.CaptionRect();
    if (point.x >= client.left + caption.left && point.x < client.right - caption.right &&
        point.y >= caption.top && point.y < caption.bottom) {
        const CControlUI* control = m_manager.ControlAtPoint(point);
        if (control != nullptr && !StaysClickableInCaption(*control)) {
            return HTCAPTION;
        }
    }
    return HTCLIENT;
}

LRESULT WindowImplBase::OnGetMinMaxInfo(UINT, WPARAM, LPARAM lParam, bool& handled) {
    auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
    RECT monitor;
    const RECT work = WorkAreaNear(m_hwnd, &monitor);
    info->ptMaxPosition = POINT{work.left - monitor.left, work.top - monitor.top};
    info->ptMaxTrackSize = POINT{work.right - work.left, work.bottom - work.top};
    info->ptMinTrackSize = POINT{m_manager.MinInfo().cx, m_manager.MinInfo().cy};
    // The manager then applies its own limits, and the default procedure runs.
    handled = false;
    return 0;
}

LRESULT WindowImplBase::OnSize(UINT, WPARAM, LPARAM, bool& handled) {
    const SIZE corner = m_manager.RoundCorner();
    if (!IsIconic(m_hwnd) && (corner.cx != 0 || corner.cy != 0)) {
        RECT window;
        GetWindowRect(m_hwnd, &window);
        HRGN region = CreateRoundRectRgn(0, 0, window.right - window.left + 1,
                                         window.bottom - window.top + 1, corner.cx, corner.cy);
        SetWindowRgn(m_hwnd, region, TRUE);
    }
    handled = false;
    return 0;
}

LRESULT WindowImplBase::OnSysCommand(UINT message, WPARAM wParam, LPARAM lParam, bool&) {
    if (wParam == SC_CLOSE) {
        SendToWindow(WM_CLOSE);
        return 0;
    }
    const bool wasZoomed = IsZoomed(m_hwnd) != FALSE;
    const LRESULT result = CWindowWnd::ProcessMessage(message, wParam, lParam);
    if (m_hwnd != nullptr && wasZoomed != (IsZoomed(m_hwnd) != FALSE)) {
        CControlUI* maxButton = m_manager.ControlByName(L"maxbtn");
        CControlUI* restoreButton = m_manager.ControlByName(L"restorebtn");
        if (maxButton != nullptr && restoreButton != nullptr) {
            maxButton->SetVisible(wasZoomed);
            restoreButton->SetVisible(!wasZoomed);
        }
    }
    return result;
}

}  // namespace VantuUI
