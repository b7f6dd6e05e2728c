// Keyboard focus among the controls, Tab order and mouse capture.

#include "platform/window/window_api.h"
#include "ui/control/control.h"
#include "ui/core/manager/manager_shared.h"

namespace VantuUI {

namespace {

bool IsTabStop(CControlUI* control) {
    return (control->GetInputFlags() & UIFLAG_TABSTOP) != 0;
}

// One walk over the visible, enabled controls in tree order, root first.
struct TabSearch {
    CControlUI* focus = nullptr;
    bool forward = true;
    bool passedFocus = false;
    CControlUI* first = nullptr;  // first tab stop of the tree
    CControlUI* last = nullptr;   // last tab stop seen so far

    static CControlUI* Visit(CControlUI* control, void* data) {
        auto& search = *static_cast<TabSearch*>(data);
        if (control == search.focus) {
            search.passedFocus = true;
            if (!search.forward && search.last != nullptr) {
                return search.last;
            }
            return nullptr;
        }
        if (!IsTabStop(control)) {
            return nullptr;
        }
        if (search.first == nullptr) {
            search.first = control;
        }
        if (search.forward && search.passedFocus) {
            return control;
        }
        search.last = control;
        return nullptr;
    }
};

constexpr UINT kTabSearchFlags = UIFIND_VISIBLE | UIFIND_ENABLED | UIFIND_ME_FIRST;

}  // namespace

void CWindowManagerUI::FocusControl(CControlUI* control, bool focusWindow) {
    if (focusWindow && m_window != nullptr && GetFocus() != m_window && control != m_focus &&
        !m_noActivate) {
        SetFocus(m_window);
    }
    if (control == m_focus) {
        return;
    }
    if (m_focus != nullptr) {
        CControlUI* old = m_focus;
        TInputEventUI event = MakeEvent(UIEVENT_KILLFOCUS, control, 0, 0, 0);
        old->DispatchEvent(event);
        RaiseNotification(old, L"killfocus", 0, 0, false, false);
        m_focus = nullptr;
    }
    if (!OwnsControl(control) || !control->IsVisible() || !control->IsEnabled()) {
        return;
    }
    m_focus = control;
    SendEvent(control, UIEVENT_SETFOCUS, 0, 0, 0);
    RaiseNotification(control, L"setfocus", 0, 0, false, false);
}

CControlUI* CWindowManagerUI::FocusedControl() const {
    return m_focus;
}

void CWindowManagerUI::FocusFirstTabStop() {
    if (m_window != nullptr && !m_noActivate) {
        SetFocus(m_window);
    }
    if (m_focus != nullptr) {
        CControlUI* old = m_focus;
        SendEvent(old, UIEVENT_KILLFOCUS, 0, 0, 0);
        RaiseNotification(old, L"killfocus", 0, 0, false, false);
        m_focus = nullptr;
    }
    if (m_root == nullptr) {
        return;
    }
    TabSearch search;
    m_root->FindInTree(&TabSearch::Visit, &search, kTabSearchFlags);
    m_focus = search.first;
    m_focusNeeded = true;
    m_root->RequestLayout();
}

bool CWindowManagerUI::MoveTabFocus(bool forward) {
    if (m_updateNeeded && forward) {
        m_focusNeeded = true;
        if (m_window != nullptr) {
            InvalidateRect(m_window, nullptr, FALSE);
        }
        return true;
    }
    if (m_root == nullptr) {
        return false;
    }
    TabSearch search;
    search.focus = m_focus;
    search.forward = forward;
    CControlUI* found = m_root->FindInTree(&TabSearch::Visit, &search, kTabSearchFlags);
    if (found == nullptr) {
        found = forward ? search.first : search.last;
    }
    m_focusNeeded = false;
    if (found == nullptr) {
        return false;
    }
    FocusControl(found, true);
    return true;
}

void CWindowManagerUI::CaptureMouse() {
    if (m_window != nullptr) {
        SetCapture(m_window);
    }
    m_mouseCaptured = true;
}

void CWindowManagerUI::ReleaseMouse() {
    if (m_mouseCaptured && m_window != nullptr) {
        ReleaseCapture();
    }
    m_mouseCaptured = false;
}

}  // namespace VantuUI
