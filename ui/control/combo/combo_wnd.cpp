#include "ui/control/combo/combo_wnd.h"

#include <algorithm>

#include "ui/control/combo/combo.h"
#include "ui/control/combo/combo_body.h"
#include "ui/control/list/items/list_item_events.h"

namespace VantuUI {

CComboWnd* CComboWnd::Open(CComboUI* owner) {
    CWindowManagerUI* ownerManager = owner->GetManager();
    if (ownerManager == nullptr || ownerManager->WindowHandle() == nullptr) {
        return nullptr;
    }
    auto* window = new CComboWnd(owner);
    if (window->Create(ownerManager->WindowHandle(), nullptr, WS_POPUP, WS_EX_TOOLWINDOW,
                       window->DropRect()) == nullptr) {
        delete window;
        return nullptr;
    }
    window->Show(true, true);
    window->EnsureVisible(owner->GetCurSel());
    return window;
}

const wchar_t* CComboWnd::ClassName() const {
    return L"ComboWnd";
}

UINT CComboWnd::ClassStyle() const {
    return CS_DBLCLKS;
}

RECT CComboWnd::DropRect() const {
    const RECT combo = m_owner->GetItemRect();
    const SIZE wanted = m_owner->GetDropBoxSize();
    const int width = wanted.cx > 0 ? wanted.cx : combo.right - combo.left;
    // As tall as the items, up to the drop box height.
    int height = 2;
    for (int i = 0; i < m_owner->ItemCount(); ++i) {
        CControlUI* item = m_owner->ItemAt(i);
        if (item->IsVisible()) {
            height += item->GetDesiredSize(SIZE{width, 9999}).cy;
        }
    }
    height = std::min<int>(height, wanted.cy > 0 ? wanted.cy : height);
    HWND ownerWindow = m_owner->GetManager()->WindowHandle();
    POINT below{combo.left, combo.bottom};
    POINT above{combo.left, combo.top};
    ClientToScreen(ownerWindow, &below);
    ClientToScreen(ownerWindow, &above);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (GetMonitorInfo(MonitorFromWindow(ownerWindow, MONITOR_DEFAULTTONEAREST), &monitor) &&
        below.y + height > monitor.rcWork.bottom && above.y - height >= monitor.rcWork.top) {
        return RECT{above.x, above.y - height, above.x + width, above.y};
    }
    return RECT{below.x, below.y, below.x + width, below.y + height};
}

void CComboWnd::EnsureVisible(int index) {
    if (m_body != nullptr) {
        ScrollItemIntoView(*m_body, index);
    }
}

void CComboWnd::GiveItemsBack() {
    if (m_body == nullptr) {
        return;
    }
    for (int i = 0; i < m_body->ItemCount(); ++i) {
        m_body->ItemAt(i)->AttachToManager(m_owner->GetManager(), m_owner, false);
    }
    m_body->RemoveAllItems();
    m_owner->Invalidate();
}

LRESULT CComboWnd::ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE: {
            m_manager.BindWindow(m_hwnd, L"ComboWnd");
            m_body = new CComboBodyUI(m_owner);
            m_body->SetBackColor(0xFFFFFFFF);
            m_body->SetBorderColor(0xFF808080);
            m_body->SetBorderWidths(1);
            m_body->SetInset(RECT{1, 1, 1, 1});
            m_body->SetScrollBarsEnabled(true, false);
            m_body->ApplyAttributeString(m_owner->GetDropBoxAttributeList());
            for (int i = 0; i < m_owner->ItemCount(); ++i) {
                m_body->Append(m_owner->ItemAt(i));
            }
            m_manager.AttachRoot(m_body);
            return 0;
        }
        case WM_KILLFOCUS:
            Close();
            break;
        case WM_KEYDOWN:
            if (wParam == VK_ESCAPE || wParam == VK_RETURN) {
                Close();
                return 0;
            }
            if (wParam == VK_UP || wParam == VK_DOWN) {
                TInputEventUI event;
                event.Kind = UIEVENT_KEYDOWN;
                event.wParam = wParam;
                m_owner->HandleItemEvent(event);
                EnsureVisible(m_owner->GetCurSel());
                return 0;
            }
            break;
        case WM_LBUTTONUP: {
            // The item took the click on the button's way down; a release
            // over the list's scroll bar keeps the list open.
            const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            CControlUI* hit = m_manager.ControlAtPoint(point);
            const bool onBar = hit != nullptr && hit->FindInterface(L"ScrollBar") != nullptr;
            LRESULT result = 0;
            m_manager.HandleWindowMessage(message, wParam, lParam, result);
            if (!onBar) {
                Close();
            }
            return 0;
        }
        case WM_DESTROY:
            GiveItemsBack();
            break;
        default:
            break;
    }
    LRESULT result = 0;
    if (m_manager.HandleWindowMessage(message, wParam, lParam, result)) {
        return result;
    }
    return CWindowWnd::ProcessMessage(message, wParam, lParam);
}

void CComboWnd::OnWindowGone(HWND) {
    m_owner->DropWindowGone(this);
    delete this;
}

}  // namespace VantuUI
