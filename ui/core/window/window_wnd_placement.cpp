// Showing, centring, closing and running a window modally.

#include "ui/core/manager/window_manager.h"
#include "ui/core/window/window_wnd.h"

namespace VantuUI {

void CWindowWnd::Show(bool show, bool takeFocus) {
    if (m_hwnd == nullptr) {
        return;
    }
    ShowWindow(m_hwnd, !show ? SW_HIDE : takeFocus ? SW_SHOWNORMAL : SW_SHOWNOACTIVATE);
}

void CWindowWnd::Close(UINT result) {
    if (m_hwnd != nullptr && IsWindow(m_hwnd)) {
        PostMessage(m_hwnd, WM_CLOSE, result, 0);
    }
}

void CWindowWnd::CenterOnOwner() {
    if (m_hwnd == nullptr) {
        return;
    }
    RECT window;
    GetWindowRect(m_hwnd, &window);
    const HWND owner = GetWindow(m_hwnd, GW_OWNER);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfo(MonitorFromWindow(owner != nullptr ? owner : m_hwnd, MONITOR_DEFAULTTONEAREST),
                   &monitor);
    const RECT& work = monitor.rcWork;
    RECT reference = work;
    if (owner != nullptr && !IsIconic(owner)) {
        GetWindowRect(owner, &reference);
    }
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    int left = (reference.left + reference.right) / 2 - width / 2;
    int top = (reference.top + reference.bottom) / 2 - height / 2;
    if (left < work.left) {
        left = work.left;
    } else if (left + width > work.right) {
        left = work.right - width;
    }
    if (top < work.top) {
        top = work.top;
    } else if (top + height > work.bottom) {
        top = work.bottom - height;
    }
    SetWindowPos(m_hwnd, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

UINT CWindowWnd::RunModal() {
    const HWND owner = GetWindow(m_hwnd, GW_OWNER);
    if (owner != nullptr) {
        EnableWindow(owner, FALSE);
    }
    Show(true, true);
    UINT result = 0;
    MSG msg;
    bool quit = false;
    while (IsWindow(m_hwnd)) {
        if (GetMessage(&msg, nullptr, 0, 0) == FALSE) {
            quit = true;
            break;
        }
        if (msg.message == WM_CLOSE && msg.hwnd == m_hwnd) {
            result = static_cast<UINT>(msg.wParam);
            if (owner != nullptr) {
                EnableWindow(owner, TRUE);
                SetFocus(owner);
            }
        }
        if (!CWindowManagerUI::TranslateWindowMessage(&msg)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }
    if (owner != nullptr) {
        EnableWindow(owner, TRUE);
        SetFocus(owner);
    }
    // The caller's own loop still has to see the quit request.
    if (quit) {
        PostQuitMessage(static_cast<int>(msg.wParam));
    }
    return result;
}

}  // namespace VantuUI
