#include "ui/control/child_window/control_child_wnd.h"

#include "ui/control/control.h"
#include "ui/control/rect_math.h"
#include "ui/core/manager/window_manager.h"

namespace VantuUI {

RECT ClipToAncestors(const CControlUI& control, RECT rect) {
    for (const CControlUI* parent = control.GetParent(); parent != nullptr;
         parent = parent->GetParent()) {
        RECT shown{};
        if (!parent->IsVisible() || !RectIntersect(shown, rect, parent->GetContentRect())) {
            return RECT{};
        }
        rect = shown;
    }
    return rect;
}

void PlaceChildWindow(HWND window, const RECT& rect) {
    if (rect.right <= rect.left || rect.bottom <= rect.top) {
        ShowWindow(window, SW_HIDE);
        return;
    }
    SetWindowPos(window, nullptr, rect.left, rect.top, rect.right - rect.left,
                 rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void CControlChildWnd::CloseForGoneOwner() {
    if (CWindowManagerUI* manager = Manager(); manager != nullptr && m_hwnd != nullptr) {
        manager->UnregisterChildWindow(m_hwnd);
    }
    m_owner = nullptr;
    if (m_hwnd != nullptr) {
        DestroyWindow(m_hwnd);
    } else {
        delete this;
    }
}

CWindowManagerUI* CControlChildWnd::Manager() const {
    return m_owner != nullptr ? m_owner->GetManager() : nullptr;
}

bool CControlChildWnd::InLayeredWindow() const {
    CWindowManagerUI* manager = Manager();
    return manager != nullptr && manager->IsPerPixelLayered();
}

LRESULT CControlChildWnd::CallPrevious(UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProc(m_previousProc, m_hwnd, message, wParam, lParam);
}

LRESULT CControlChildWnd::ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE || (message == WM_PAINT && InLayeredWindow())) {
        if (CWindowManagerUI* manager = Manager()) {
            manager->RegisterChildWindow(m_owner, m_hwnd);
        }
    }
    return CallPrevious(message, wParam, lParam);
}

LRESULT CControlChildWnd::CloseOnFocusLoss(WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CallPrevious(WM_KILLFOCUS, wParam, lParam);
    TakeResultOnFocusLoss();
    if (CWindowManagerUI* manager = Manager()) {
        HWND managed = manager->WindowHandle();
        if (reinterpret_cast<HWND>(wParam) != managed) {
            SendMessage(managed, WM_KILLFOCUS, wParam, lParam);
        }
    }
    SendMessage(m_hwnd, WM_CLOSE, 0, 0);
    return result;
}

void CControlChildWnd::OnWindowGone(HWND hwnd) {
    if (CWindowManagerUI* manager = Manager()) {
        manager->UnregisterChildWindow(hwnd);
    }
    if (m_owner != nullptr) {
        DetachFromOwner(*m_owner);
    }
    delete this;
}

}  // namespace VantuUI
