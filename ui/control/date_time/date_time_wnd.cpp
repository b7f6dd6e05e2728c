#include "ui/control/date_time/date_time_wnd.h"

#include "platform/window/window_api.h"
#include "ui/control/date_time/date_time.h"
#include "ui/core/manager/window_manager.h"

namespace VantuUI {

CDateTimeWnd::CDateTimeWnd(CDateTimeUI& owner) : CControlChildWnd(owner) {}

const wchar_t* CDateTimeWnd::ClassName() const {
    return L"DateTimeWnd";
}

const wchar_t* CDateTimeWnd::BaseClassName() const {
    return DATETIMEPICK_CLASS;
}

CDateTimeUI* CDateTimeWnd::DateTime() const {
    return static_cast<CDateTimeUI*>(Owner());
}

bool CDateTimeWnd::OpenPicker() {
    CDateTimeUI& owner = *DateTime();
    CWindowManagerUI* manager = owner.GetManager();
    if (manager == nullptr) {
        return false;
    }
    owner.m_updateMode = DateUpdateMode::None;
    if (m_hwnd == nullptr) {
        if (Create(manager->WindowHandle(), nullptr, WS_CHILD, 0, owner.ChildWindowRect()) ==
            nullptr) {
            return false;
        }
        m_font.reset(platform::CreateFontFromSpec(*manager->FontById(owner.GetFont())));
        SendToWindow(WM_SETFONT, reinterpret_cast<WPARAM>(m_font.get()), TRUE);
    }
    if (owner.GetText().empty()) {
        GetLocalTime(&owner.m_date);
    }
    SendToWindow(DTM_SETSYSTEMTIME, static_cast<WPARAM>(GDT_VALID),
                 reinterpret_cast<LPARAM>(&owner.m_date));
    ShowWindow(m_hwnd, SW_SHOWNOACTIVATE);
    SetFocus(m_hwnd);
    m_initialised = true;
    return true;
}

LRESULT CDateTimeWnd::ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (Owner() == nullptr) {
        return CallPrevious(message, wParam, lParam);
    }
    switch (message) {
        case WM_KILLFOCUS:
            return CloseOnFocusLoss(wParam, lParam);
        case WM_KEYUP:
            if (wParam == VK_BACK || wParam == VK_DELETE) {
                return EndWithKey(message, wParam, lParam, DateUpdateMode::Clear);
            }
            if (wParam == VK_ESCAPE) {
                return EndWithKey(message, wParam, lParam, DateUpdateMode::Cancel);
            }
            break;
        default:
            break;
    }
    return CControlChildWnd::ProcessMessage(message, wParam, lParam);
}

void CDateTimeWnd::TakeResultOnFocusLoss() {
    CDateTimeUI& owner = *DateTime();
    if (owner.m_updateMode != DateUpdateMode::None) {
        return;
    }
    SYSTEMTIME chosen{};
    if (SendToWindow(DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&chosen)) == GDT_VALID) {
        owner.m_date = chosen;
    }
    owner.m_updateMode = DateUpdateMode::TakeDate;
    owner.UpdateDateText();
}

LRESULT CDateTimeWnd::EndWithKey(UINT message, WPARAM wParam, LPARAM lParam, DateUpdateMode mode) {
    const LRESULT result = CallPrevious(message, wParam, lParam);
    DateTime()->m_updateMode = mode;
    DateTime()->UpdateDateText();
    PostToWindow(WM_CLOSE);
    return result;
}

void CDateTimeWnd::DetachFromOwner(CControlUI& owner) {
    static_cast<CDateTimeUI&>(owner).m_window.Forget();
}

}  // namespace VantuUI
