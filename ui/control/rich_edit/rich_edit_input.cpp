// The rich edit's input: the window messages it takes before the manager,
// the events the manager sends it, and scrolling through the text services.

#include "platform/window/window_api.h"
#include "ui/control/rect_math.h"
#include "ui/control/rich_edit/rich_edit.h"
#include "ui/control/rich_edit/rich_edit_host.h"
#include "ui/control/scroll/scroll_bar.h"
#include "ui/core/manager/window_manager.h"

namespace VantuUI {

namespace {

constexpr UINT kMouseFirst = WM_MOUSEMOVE;
constexpr UINT kMouseLast = 0x020D;
constexpr UINT kKeyFirst = WM_KEYDOWN;
constexpr UINT kKeyLast = 0x0108;

bool IsButtonDown(UINT message) {
    return message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDOWN ||
           message == WM_RBUTTONDBLCLK || message == WM_MBUTTONDOWN;
}

}  // namespace

LRESULT CRichEditUI::FilterMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
    if (m_host == nullptr || m_manager == nullptr || !IsVisible() || !IsEnabled()) {
        return 0;
    }
    const bool mouse = (message >= kMouseFirst && message <= kMouseLast) || message == WM_SETCURSOR;
    if (mouse) {
        if (!m_mouseEnabled) {
            return 0;
        }
        if (message == WM_MOUSEWHEEL && (LOWORD(wParam) & MK_CONTROL) == 0) {
            return 0;  // a plain wheel scrolls through the manager and the bars
        }
        POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (message == WM_MOUSEWHEEL) {
            ScreenToClient(m_manager->WindowHandle(), &point);
        } else if (message == WM_SETCURSOR) {
            point = m_manager->MousePosition();
        }
        if (!m_host->HasCapture()) {
            if (IsButtonDown(message) && m_manager->ControlAtPoint(point) != this) {
                return 0;
            }
            if (!RectContains(m_host->TxGetClientRect(), point)) {
                return 0;
            }
        }
        if (message == WM_SETCURSOR) {
            m_host->Services().OnTxSetCursor(point);
            return 0;
        }
        if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDOWN) {
            if (GetFocus() != m_manager->WindowHandle()) {
                ::SetFocus(m_manager->WindowHandle());
            }
            SetFocus();
        }
    } else if (message >= kKeyFirst && message <= kKeyLast) {
        if (!IsFocused()) {
            return 0;
        }
    } else if (message == WM_IME_STARTCOMPOSITION || message == WM_IME_COMPOSITION ||
               message == WM_IME_ENDCOMPOSITION) {
        // No composition window of its own here: the text shows it at the caret.
        if (IsFocused()) {
            SendToTextServices(message, wParam, lParam);
        }
        return 0;
    } else if (message == WM_CONTEXTMENU) {
        POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ScreenToClient(m_manager->WindowHandle(), &point);
        if (m_manager->ControlAtPoint(point) != this) {
            return 0;
        }
        handled = true;
        return SendToTextServices(message, wParam, lParam);
    } else {
        return 0;
    }
    const LRESULT result = SendToTextServices(message, wParam, lParam);
    handled = !mouse || m_host->HasCapture();
    return result;
}

void CRichEditUI::HandleEvent(TInputEventUI& event) {
    const bool mouseEvent = event.Kind > UIEVENT__MOUSEBEGIN && event.Kind < UIEVENT__MOUSEEND;
    if (!m_mouseEnabled && mouseEvent) {
        CContainerUI::HandleEvent(event);
        return;
    }
    switch (event.Kind) {
        case UIEVENT_SETCURSOR:
            if (IsEnabled() && m_host != nullptr &&
                m_host->Services().OnTxSetCursor(event.MousePoint)) {
                return;
            }
            break;
        case UIEVENT_WINDOWSIZE:
            return;
        case UIEVENT_SETFOCUS:
        case UIEVENT_KILLFOCUS:
            m_focused = event.Kind == UIEVENT_SETFOCUS;
            SendToTextServices(m_focused ? WM_SETFOCUS : WM_KILLFOCUS, 0, 0);
            Invalidate();
            return;
        case UIEVENT_TIMER:
            SendToTextServices(WM_TIMER, event.wParam, event.lParam);
            return;
        case UIEVENT_BUTTONDOWN:
        case UIEVENT_DBLCLICK:
        case UIEVENT_MOUSEMOVE:
        case UIEVENT_BUTTONUP:
            return;  // the message filter took them
        case UIEVENT_SCROLLWHEEL:
            if ((event.KeyState & MK_CONTROL) != 0) {
                return;
            }
            break;
        default:
            if (event.Kind > UIEVENT__KEYBEGIN && event.Kind < UIEVENT__KEYEND) {
                return;
            }
            break;
    }
    CContainerUI::HandleEvent(event);
}

void CRichEditUI::ScrollRequest(bool vertical, WORD request) {
    SendToTextServices(vertical ? WM_VSCROLL : WM_HSCROLL, request, 0);
}

// The position rides above the low word, in all of WPARAM's width.
void CRichEditUI::SetScrollOffset(SIZE offset) {
    const POINT now = m_host != nullptr ? m_host->Services().ScrollPosition() : POINT{0, 0};
    if (m_verticalBar != nullptr && offset.cy != now.y) {
        SendToTextServices(
            WM_VSCROLL,
            (static_cast<WPARAM>(std::max<LONG>(0, offset.cy)) << 16) | SB_THUMBPOSITION, 0);
    }
    if (m_horizontalBar != nullptr && offset.cx != now.x) {
        SendToTextServices(
            WM_HSCROLL,
            (static_cast<WPARAM>(std::max<LONG>(0, offset.cx)) << 16) | SB_THUMBPOSITION, 0);
    }
}

void CRichEditUI::LineUp() {
    ScrollRequest(true, SB_LINEUP);
}

void CRichEditUI::LineDown() {
    ScrollRequest(true, SB_LINEDOWN);
}

void CRichEditUI::PageUp() {
    ScrollRequest(true, SB_PAGEUP);
}

void CRichEditUI::PageDown() {
    ScrollRequest(true, SB_PAGEDOWN);
}

void CRichEditUI::ScrollToTop() {
    ScrollRequest(true, SB_TOP);
}

void CRichEditUI::ScrollToBottom() {
    ScrollRequest(true, SB_BOTTOM);
}

void CRichEditUI::LineLeft() {
    ScrollRequest(false, SB_LINELEFT);
}

void CRichEditUI::LineRight() {
    ScrollRequest(false, SB_LINERIGHT);
}

void CRichEditUI::PageLeft() {
    ScrollRequest(false, SB_PAGELEFT);
}

void CRichEditUI::PageRight() {
    ScrollRequest(false, SB_PAGERIGHT);
}

void CRichEditUI::ScrollToLeftEnd() {
    ScrollRequest(false, SB_LEFT);
}

void CRichEditUI::ScrollToRightEnd() {
    ScrollRequest(false, SB_RIGHT);
}

}  // namespace VantuUI
