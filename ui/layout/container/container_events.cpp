// Hit tests, tree search and input events of a container.

#include "ui/control/rect_math.h"
#include "ui/control/scroll/scroll_bar.h"
#include "ui/layout/container/container.h"

namespace VantuUI {

CControlUI* CContainerUI::FindInTree(FINDCONTROLPROC proc, void* data, UINT flags) {
    if (!SearchReaches(proc, data, flags)) {
        return nullptr;
    }
    const bool hitTest = (flags & UIFIND_HITTEST) != 0;
    const bool mayAnswer = !hitTest || m_mouseEnabled;
    const bool searchChildren = !hitTest || m_mouseChildEnabled;
    if ((flags & UIFIND_ME_FIRST) != 0 && mayAnswer) {
        if (CControlUI* found = proc(this, data)) {
            return found;
        }
    }
    if (m_cover != nullptr && searchChildren) {
        if (CControlUI* found = m_cover->FindInTree(proc, data, flags)) {
            return found;
        }
    }
    if (mayAnswer) {
        if (m_verticalBar != nullptr) {
            if (CControlUI* found = m_verticalBar->FindInTree(proc, data, flags)) {
                return found;
            }
        }
        if (m_horizontalBar != nullptr) {
            if (CControlUI* found = m_horizontalBar->FindInTree(proc, data, flags)) {
                return found;
            }
        }
    }
    if (searchChildren) {
        const RECT content = ContentArea();
        auto search = [&](CControlUI* child) -> CControlUI* {
            CControlUI* found = child->FindInTree(proc, data, flags);
            if (found == nullptr) {
                return nullptr;
            }
            if (!hitTest || found->IsFloating() ||
                RectContains(content, *static_cast<const POINT*>(data))) {
                return found;
            }
            return nullptr;
        };
        if ((flags & UIFIND_TOP_FIRST) != 0) {
            for (auto it = m_items.rbegin(); it != m_items.rend(); ++it) {
                if (CControlUI* found = search(*it)) {
                    return found;
                }
            }
        } else {
            for (CControlUI* child : m_items) {
                if (CControlUI* found = search(child)) {
                    return found;
                }
            }
        }
    }
    if ((flags & UIFIND_ME_FIRST) == 0 && mayAnswer) {
        return proc(this, data);
    }
    return nullptr;
}

void CContainerUI::HandleEvent(TInputEventUI& event) {
    if (!m_mouseEnabled && event.Kind > UIEVENT__MOUSEBEGIN && event.Kind < UIEVENT__MOUSEEND) {
        if (m_parent != nullptr) {
            m_parent->HandleEvent(event);
        } else {
            CControlUI::HandleEvent(event);
        }
        return;
    }
    if (event.Kind == UIEVENT_SETFOCUS || event.Kind == UIEVENT_KILLFOCUS) {
        m_focused = event.Kind == UIEVENT_SETFOCUS;
        return;
    }
    auto usable = [](CScrollBarUI* bar) {
        return bar != nullptr && bar->IsVisible() && bar->IsEnabled();
    };
    if (event.Kind == UIEVENT_KEYDOWN && m_keyboardEnabled && IsEnabled()) {
        if (usable(m_verticalBar)) {
            switch (event.wParam) {
                case VK_PRIOR:
                    PageUp();
                    return;
                case VK_NEXT:
                    PageDown();
                    return;
                case VK_HOME:
                    ScrollToTop();
                    return;
                case VK_END:
                    ScrollToBottom();
                    return;
                case VK_UP:
                    LineUp();
                    return;
                case VK_DOWN:
                    LineDown();
                    return;
                default:
                    break;
            }
        } else if (usable(m_horizontalBar)) {
            switch (event.wParam) {
                case VK_PRIOR:
                    PageLeft();
                    return;
                case VK_NEXT:
                    PageRight();
                    return;
                case VK_HOME:
                    ScrollToLeftEnd();
                    return;
                case VK_END:
                    ScrollToRightEnd();
                    return;
                case VK_UP:
                    LineLeft();
                    return;
                case VK_DOWN:
                    LineRight();
                    return;
                default:
                    break;
            }
        }
    } else if (event.Kind == UIEVENT_SCROLLWHEEL) {
        const bool up = LOWORD(event.wParam) == 0;
        if (usable(m_horizontalBar) &&
            RectContains(m_horizontalBar->GetItemRect(), event.MousePoint)) {
            up ? LineLeft() : LineRight();
            return;
        }
        if (usable(m_verticalBar)) {
            up ? LineUp() : LineDown();
            return;
        }
        if (usable(m_horizontalBar)) {
            up ? LineLeft() : LineRight();
            return;
        }
    }
    CControlUI::HandleEvent(event);
}

}  // namespace VantuUI
