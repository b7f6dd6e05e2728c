// Tree search and input events of a control.

#include "platform/window/window_api.h"
#include "ui/control/control.h"
#include "ui/control/rect_math.h"
#include "ui/core/manager/window_manager.h"

namespace VantuUI {

bool CControlUI::SearchReaches(FINDCONTROLPROC proc, void* data, UINT flags) {
    if ((flags & UIFIND_VISIBLE) != 0 && !IsVisible()) {
        return false;
    }
    if ((flags & UIFIND_ENABLED) != 0 && !IsEnabled()) {
        return false;
    }
    if ((flags & UIFIND_HITTEST) != 0 &&
        !RectContains(m_itemRect, *static_cast<const POINT*>(data))) {
        return false;
    }
    return (flags & UIFIND_UPDATETEST) == 0 || proc(this, data) == nullptr;
}

CControlUI* CControlUI::FindInTree(FINDCONTROLPROC proc, void* data, UINT flags) {
    if (!SearchReaches(proc, data, flags)) {
        return nullptr;
    }
    const bool hitTest = (flags & UIFIND_HITTEST) != 0;
    const bool mayAnswer = !hitTest || m_mouseEnabled;
    if ((flags & UIFIND_ME_FIRST) != 0 && mayAnswer) {
        if (CControlUI* found = proc(this, data)) {
            return found;
        }
    }
    if (m_cover != nullptr) {
        if (CControlUI* found = m_cover->FindInTree(proc, data, flags)) {
            return found;
        }
    }
    if ((flags & UIFIND_ME_FIRST) == 0 && mayAnswer) {
        return proc(this, data);
    }
    return nullptr;
}

void CControlUI::DispatchEvent(TInputEventUI& event) {
    if (!OnEvent(&event)) {
        return;
    }
    HandleEvent(event);
}

void CControlUI::HandleEvent(TInputEventUI& event) {
    switch (event.Kind) {
        case UIEVENT_SETCURSOR:
            ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
            return;
        case UIEVENT_SETFOCUS:
        case UIEVENT_KILLFOCUS:
            m_focused = event.Kind == UIEVENT_SETFOCUS;
            Invalidate();
            return;
        case UIEVENT_TIMER:
            if (m_manager != nullptr) {
                m_manager->RaiseNotification(this, L"timer", event.wParam, event.lParam, false,
                                             true);
            }
            return;
        case UIEVENT_CONTEXTMENU:
            if (m_wantsContextMenu) {
                if (m_manager != nullptr) {
                    m_manager->RaiseNotification(this, L"menu", event.wParam, event.lParam, false,
                                                 true);
                }
                return;
            }
            break;
        default:
            break;
    }
    if (m_parent != nullptr) {
        m_parent->HandleEvent(event);
    }
}

}  // namespace VantuUI
