#include "ui/control/date_time/date_time.h"

#include <cwchar>

#include "platform/window/window_api.h"
#include "ui/control/child_window/control_child_wnd.h"
#include "ui/control/date_time/date_time_wnd.h"
#include "ui/control/input_routing.h"
#include "ui/core/manager/window_manager.h"

namespace VantuUI {

CDateTimeUI::CDateTimeUI() {
    GetLocalTime(&m_date);
    m_updateMode = DateUpdateMode::TakeDate;
    UpdateDateText();
    m_updateMode = DateUpdateMode::None;
}

std::wstring CDateTimeUI::GetClass() const {
    return L"DateTime";
}

void* CDateTimeUI::FindInterface(const std::wstring& name) {
    if (name == L"DateTime") {
        return this;
    }
    return CLabelUI::FindInterface(name);
}

UINT CDateTimeUI::GetInputFlags() {
    return UIFLAG_TABSTOP;
}

void CDateTimeUI::HandleEvent(TInputEventUI& event) {
    if (PassOnIgnoredMouseEvent(event) || HandleTextHostEvent(*this, m_window.IsOpen(), event)) {
        return;
    }
    switch (event.Kind) {
        case UIEVENT_SETFOCUS:
            if (IsEnabled() && !m_window.IsOpen()) {
                OpenPicker();
            }
            break;
        case UIEVENT_BUTTONDOWN:
        case UIEVENT_DBLCLICK:
        case UIEVENT_RBUTTONDOWN:
            if (IsEnabled()) {
                if (m_manager != nullptr) {
                    m_manager->ReleaseMouse();
                }
                if (m_window.IsOpen() || IsFocused()) {
                    OpenPicker();
                }
            }
            return;
        default:
            break;
    }
    CChildWindowHostUI::HandleEvent(event);
}

void CDateTimeUI::SetTime(const SYSTEMTIME& date) {
    m_date = date;
    m_updateMode = DateUpdateMode::TakeDate;
    UpdateDateText();
    m_updateMode = DateUpdateMode::None;
}

void CDateTimeUI::UpdateDateText() {
    if (m_updateMode == DateUpdateMode::TakeDate) {
        wchar_t text[32];
        std::swprintf(text, 32, L"%4d-%02d-%02d", m_date.wYear, m_date.wMonth, m_date.wDay);
        SetText(text);
    } else if (m_updateMode == DateUpdateMode::Clear) {
        SetText(L"");
    }
}

RECT CDateTimeUI::ChildWindowRect() {
    return ClipToAncestors(*this, m_itemRect);
}

void CDateTimeUI::OpenPicker() {
    if (m_window.Open(*this, &CDateTimeWnd::OpenPicker)) {
        m_window->Show(true, true);
    }
}

}  // namespace VantuUI
