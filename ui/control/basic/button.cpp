// Buttons: attributes, input and activation.

#include "ui/control/basic/button.h"

#include "platform/window/window_api.h"
#include "ui/control/attribute_table.h"
#include "ui/control/attribute_values.h"
#include "ui/control/rect_math.h"
#include "ui/core/manager/window_manager.h"

namespace VantuUI {

CButtonUI::CButtonUI() {
    m_textStyle = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
}

std::wstring CButtonUI::GetClass() const {
    return L"Button";
}

void* CButtonUI::FindInterface(const std::wstring& name) {
    if (name == L"Button") {
        return this;
    }
    return CLabelUI::FindInterface(name);
}

UINT CButtonUI::GetInputFlags() {
    return (m_keyboardEnabled ? UIFLAG_TABSTOP : 0) | (IsEnabled() ? UIFLAG_SETCURSOR : 0);
}

void CButtonUI::AttachToManager(CWindowManagerUI* manager, CControlUI* parent, bool init) {
    CLabelUI::AttachToManager(manager, parent, init);
    ApplyFiveStatusImage();
}

void CButtonUI::SetEnabled(bool enabled) {
    CLabelUI::SetEnabled(enabled);
    if (!IsEnabled()) {
        m_buttonState = 0;
    }
}

void CButtonUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
    using Value = const std::wstring&;
    static constexpr auto kAttributes = MakeAttributeTable<CButtonUI>({
        {L"normalimage", [](CButtonUI& c, Value v) { c.SetNormalImage(v); }},
        {L"hotimage", [](CButtonUI& c, Value v) { c.SetHotImage(v); }},
        {L"pushedimage", [](CButtonUI& c, Value v) { c.SetPushedImage(v); }},
        {L"focusedimage", [](CButtonUI& c, Value v) { c.SetFocusedImage(v); }},
        {L"disabledimage", [](CButtonUI& c, Value v) { c.SetDisabledImage(v); }},
        {L"foreimage", [](CButtonUI& c, Value v) { c.SetForeImage(v); }},
        {L"hotforeimage", [](CButtonUI& c, Value v) { c.SetHotForeImage(v); }},
        {L"fivestatusimage", [](CButtonUI& c, Value v) { c.SetFiveStatusImage(v); }},
        {L"fadedelta",
         [](CButtonUI& c, Value v) { c.SetFadeDelta(static_cast<BYTE>(ParseInt(v))); }},
        {L"hotbkcolor", [](CButtonUI& c, Value v) { c.SetHotBkColor(ParseColor(v, true)); }},
        {L"hottextcolor", [](CButtonUI& c, Value v) { c.SetHotTextColor(ParseColor(v, true)); }},
        {L"pushedtextcolor",
         [](CButtonUI& c, Value v) { c.SetPushedTextColor(ParseColor(v, true)); }},
        {L"focusedtextcolor",
         [](CButtonUI& c, Value v) { c.SetFocusedTextColor(ParseColor(v, true)); }},
        {L"hotbordercolor",
         [](CButtonUI& c, Value v) { c.SetHotBorderColor(ParseColor(v, true)); }},
        {L"pushedbordercolor",
         [](CButtonUI& c, Value v) { c.SetPushedBorderColor(ParseColor(v, true)); }},
        {L"hotbordersize", [](CButtonUI& c, Value v) { c.SetHotBorderSize(ParseBorderWidths(v)); }},
        {L"pushedbordersize",
         [](CButtonUI& c, Value v) { c.SetPushedBorderSize(ParseBorderWidths(v)); }},
    });
    if (!kAttributes.Apply(*this, name, value)) {
        CLabelUI::SetAttribute(name, value);
    }
}

SIZE CButtonUI::GetDesiredSize(SIZE available) {
    if (m_fixedSize.cy != 0) {
        return CControlUI::GetDesiredSize(available);
    }
    const int fontHeight = m_manager != nullptr ? m_manager->FontHeight(m_font) : 0;
    return SIZE{m_fixedSize.cx, fontHeight + 8};
}

bool CButtonUI::Activate() {
    if (!CanActivate()) {
        return false;
    }
    if (m_manager != nullptr) {
        m_manager->RaiseNotification(this, L"click", 0, 0, false, true);
    }
    return true;
}

void CButtonUI::HandleEvent(TInputEventUI& event) {
    if (PassOnIgnoredMouseEvent(event)) {
        return;
    }
    const bool inside = RectContains(m_itemRect, event.MousePoint);
    switch (event.Kind) {
        case UIEVENT_SETFOCUS:
        case UIEVENT_KILLFOCUS:
            Invalidate();
            break;
        case UIEVENT_KEYDOWN:
            if (m_keyboardEnabled && IsEnabled() &&
                (event.KeyChar == VK_SPACE || event.KeyChar == VK_RETURN)) {
                Activate();
                return;
            }
            break;
        case UIEVENT_BUTTONDOWN:
        case UIEVENT_DBLCLICK:
            if (inside && IsEnabled()) {
                m_buttonState |= UISTATE_PUSHED | UISTATE_CAPTURED;
                Invalidate();
            }
            return;
        case UIEVENT_MOUSEMOVE:
            if ((m_buttonState & UISTATE_CAPTURED) != 0) {
                m_buttonState =
                    inside ? m_buttonState | UISTATE_PUSHED : m_buttonState & ~UISTATE_PUSHED;
                Invalidate();
            }
            return;
        case UIEVENT_BUTTONUP:
            if ((m_buttonState & UISTATE_CAPTURED) != 0) {
                m_buttonState &= ~(UISTATE_PUSHED | UISTATE_CAPTURED);
                Invalidate();
                if (inside && IsEnabled()) {
                    Activate();
                }
            }
            return;
        case UIEVENT_CONTEXTMENU:
            if (m_wantsContextMenu && IsEnabled() && m_manager != nullptr) {
                m_manager->RaiseNotification(this, L"menu", event.wParam, event.lParam, false,
                                             true);
            }
            return;
        case UIEVENT_MOUSEENTER:
            if (inside && IsEnabled()) {
                if ((m_buttonState & UISTATE_HOT) == 0) {
                    m_buttonState |= UISTATE_HOT;
                    Invalidate();
                }
                if (m_fadeDelta != 0 && m_manager != nullptr) {
                    m_manager->StartTimer(this, kFadeTimer, kFadeElapse);
                }
            }
            return;
        case UIEVENT_MOUSELEAVE:
            if (inside) {
                // Still over us (a child took the hover): wait for the real leave.
                if (m_manager != nullptr) {
                    m_manager->RequestMouseLeave(this);
                }
                return;
            }
            if (IsEnabled() && (m_buttonState & UISTATE_HOT) != 0) {
                m_buttonState &= ~UISTATE_HOT;
                Invalidate();
            }
            if (m_manager != nullptr) {
                m_manager->CancelMouseLeave(this);
                if (m_fadeDelta != 0) {
                    m_manager->StartTimer(this, kFadeTimer, kFadeElapse);
                }
            }
            return;
        case UIEVENT_SETCURSOR:
            ::SetCursor(::LoadCursor(nullptr, IDC_HAND));
            return;
        case UIEVENT_TIMER:
            if (event.wParam == kFadeTimer) {
                StepFade();
                return;
            }
            break;
        default:
            break;
    }
    CLabelUI::HandleEvent(event);
}

void CButtonUI::StepFade() {
    const bool hot = (m_buttonState & UISTATE_HOT) != 0;
    bool done = false;
    if (hot) {
        done = m_fadeAlpha <= m_fadeDelta;
        m_fadeAlpha = done ? 0 : static_cast<BYTE>(m_fadeAlpha - m_fadeDelta);
    } else {
        done = m_fadeAlpha >= 255 - m_fadeDelta;
        m_fadeAlpha = done ? 255 : static_cast<BYTE>(m_fadeAlpha + m_fadeDelta);
    }
    Invalidate();
    if (done && m_manager != nullptr) {
        m_manager->StopTimer(this, kFadeTimer);
    }
}

void CButtonUI::SetFadeDelta(BYTE delta) {
    m_fadeDelta = delta;
}

void CButtonUI::SetHotBkColor(DWORD color) {
    m_hotBackColor = color;
    Invalidate();
}

void CButtonUI::SetHotTextColor(DWORD color) {
    m_hotTextColor = color;
    Invalidate();
}

void CButtonUI::SetPushedTextColor(DWORD color) {
    m_pushedTextColor = color;
    Invalidate();
}

void CButtonUI::SetFocusedTextColor(DWORD color) {
    m_focusedTextColor = color;
    Invalidate();
}

void CButtonUI::SetHotBorderColor(DWORD color) {
    m_hotBorderColor = color;
    Invalidate();
}

void CButtonUI::SetHotBorderSize(RECT sizes) {
    m_hotBorderSize = sizes;
    Invalidate();
}

void CButtonUI::SetPushedBorderColor(DWORD color) {
    m_pushedBorderColor = color;
    Invalidate();
}

void CButtonUI::SetPushedBorderSize(RECT sizes) {
    m_pushedBorderSize = sizes;
    Invalidate();
}

}  // namespace VantuUI
