// The window base's message dispatch, notification side and default
// handlers.

#include "ui/core/window/window_impl_base.h"

#include "ui/control/control.h"

namespace VantuUI {

namespace {

constexpr TNotifyMapEntry kNotifyEntries[] = {
    NotifyEntry<&WindowImplBase::OnClick>(L"click"),
    {},
};

}  // namespace

const TNotifyMap WindowImplBase::notifyMap{&CNotifyPump::notifyMap, kNotifyEntries};

UINT WindowImplBase::ClassStyle() const {
    return CS_DBLCLKS;
}

LRESULT WindowImplBase::ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    using Handler = LRESULT (WindowImplBase::*)(UINT, WPARAM, LPARAM, bool&);
    Handler handler = nullptr;
    switch (message) {
        case WM_CREATE:
            handler = &WindowImplBase::OnCreate;
            break;
        case WM_DESTROY:
            handler = &WindowImplBase::OnDestroy;
            break;
        case WM_SIZE:
            handler = &WindowImplBase::OnSize;
            break;
        case WM_SETFOCUS:
            handler = &WindowImplBase::OnSetFocus;
            break;
        case WM_KILLFOCUS:
            handler = &WindowImplBase::OnKillFocus;
            break;
        case WM_CLOSE:
            handler = &WindowImplBase::OnClose;
            break;
        case WM_GETMINMAXINFO:
            handler = &WindowImplBase::OnGetMinMaxInfo;
            break;
        case WM_NCCALCSIZE:
            handler = &WindowImplBase::OnNcCalcSize;
            break;
        case WM_NCHITTEST:
            handler = &WindowImplBase::OnNcHitTest;
            break;
        case WM_NCPAINT:
            handler = &WindowImplBase::OnNcPaint;
            break;
        case WM_NCACTIVATE:
            handler = &WindowImplBase::OnNcActivate;
            break;
        case WM_KEYDOWN:
            handler = &WindowImplBase::OnKeyDown;
            break;
        case WM_CHAR:
            handler = &WindowImplBase::OnChar;
            break;
        case WM_SYSCOMMAND:
            handler = &WindowImplBase::OnSysCommand;
            break;
        case WM_MOUSEMOVE:
            handler = &WindowImplBase::OnMouseMove;
            break;
        case WM_LBUTTONDOWN:
            handler = &WindowImplBase::OnLButtonDown;
            break;
        case WM_LBUTTONUP:
            handler = &WindowImplBase::OnLButtonUp;
            break;
        case WM_MOUSEWHEEL:
            handler = &WindowImplBase::OnMouseWheel;
            break;
        case WM_MOUSEHOVER:
            handler = &WindowImplBase::OnMouseHover;
            break;
        default:
            break;
    }
    bool handled = handler != nullptr;
    LRESULT result = 0;
    if (handler != nullptr) {
        result = (this->*handler)(message, wParam, lParam, handled);
        if (handled) {
            return result;
        }
    }
    result = OnOtherMessage(message, wParam, lParam, handled);
    if (handled) {
        return result;
    }
    if (m_manager.HandleWindowMessage(message, wParam, lParam, result)) {
        return result;
    }
    return CWindowWnd::ProcessMessage(message, wParam, lParam);
}

void WindowImplBase::OnWindowGone(HWND) {
    m_manager.RemovePreFilter(this);
    m_manager.RemoveListener(this);
    m_manager.ForgetControl(m_manager.Root());
}

void WindowImplBase::OnSkinReady() {}

void WindowImplBase::OnClick(TNotificationUI& msg) {
    if (msg.sender == nullptr) {
        return;
    }
    const std::wstring name = msg.sender->GetName();
    if (name == L"closebtn") {
        Close(1);
    } else if (name == L"minbtn") {
        SendToWindow(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    } else if (name == L"maxbtn") {
        SendToWindow(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    } else if (name == L"restorebtn") {
        SendToWindow(WM_SYSCOMMAND, SC_RESTORE, 0);
    }
}

LRESULT WindowImplBase::OnDefaultKey(WPARAM key) {
    if (key == VK_ESCAPE) {
        Close(1);
        return TRUE;
    }
    return FALSE;
}

SkinResourceType WindowImplBase::SkinSource() const {
    return SkinResourceType::File;
}

std::wstring WindowImplBase::SkinArchiveFile() const {
    return {};
}

int WindowImplBase::SkinArchiveResource() const {
    return 0;
}

LRESULT WindowImplBase::OnNcPaint(UINT, WPARAM, LPARAM, bool&) {
    return 0;
}

// Handlers the base leaves to the paint manager and the default procedure.
#define VANTU_NOT_HANDLED(Name)                                         \
    LRESULT WindowImplBase::Name(UINT, WPARAM, LPARAM, bool& handled) { \
        handled = false;                                                \
        return 0;                                                       \
    }
VANTU_NOT_HANDLED(OnClose)
VANTU_NOT_HANDLED(OnDestroy)
VANTU_NOT_HANDLED(OnMouseWheel)
VANTU_NOT_HANDLED(OnMouseHover)
VANTU_NOT_HANDLED(OnChar)
VANTU_NOT_HANDLED(OnKeyDown)
VANTU_NOT_HANDLED(OnKillFocus)
VANTU_NOT_HANDLED(OnSetFocus)
VANTU_NOT_HANDLED(OnLButtonDown)
VANTU_NOT_HANDLED(OnLButtonUp)
VANTU_NOT_HANDLED(OnMouseMove)
VANTU_NOT_HANDLED(OnOtherMessage)
#undef VANTU_NOT_HANDLED

LONG WindowImplBase::FramelessStyle() const {
    return GetWindowLong(m_hwnd, GWL_STYLE) & ~static_cast<LONG>(WS_CAPTION);
}

void WindowImplBase::OnNotification(TNotificationUI& msg) {
    DispatchNotification(msg);
}

LRESULT WindowImplBase::FilterMessage(UINT message, WPARAM wParam, LPARAM, bool&) {
    if (message == WM_KEYDOWN && (wParam == VK_RETURN || wParam == VK_ESCAPE)) {
        return OnDefaultKey(wParam);
    }
    return 0;
}

CControlUI* WindowImplBase::CreateCustomControl(const wchar_t*) {
    return nullptr;
}

}  // namespace VantuUI
