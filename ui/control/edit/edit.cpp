#include "ui/control/edit/edit.h"

#include "platform/window/window_api.h"
#include "ui/control/attribute_table.h"
#include "ui/control/attribute_values.h"
#include "ui/control/child_window/control_child_wnd.h"
#include "ui/control/control_state.h"
#include "ui/control/edit/edit_wnd.h"
#include "ui/control/image_record.h"
#include "ui/control/input_routing.h"
#include "ui/control/rect_math.h"
#include "ui/core/manager/window_manager.h"

namespace VantuUI {

CEditUI::CEditUI() {
    m_textPadding = RECT{4, 3, 4, 3};
    m_backColor = 0xFFFFFFFF;
}

std::wstring CEditUI::GetClass() const {
    return L"Edit";
}

void* CEditUI::FindInterface(const std::wstring& name) {
    if (name == L"Edit") {
        return this;
    }
    return CLabelUI::FindInterface(name);
}

UINT CEditUI::GetInputFlags() {
    return IsEnabled() ? UIFLAG_TABSTOP | UIFLAG_SETCURSOR : 0;
}

void CEditUI::SetText(const std::wstring& text) {
    // The native window reports every text it is given as a change: setting
    // the same text again from a "textchanged" listener would never end.
    if (text == m_text) {
        return;
    }
    CLabelUI::SetText(text);
    if (m_window.IsOpen()) {
        SetWindowText(m_window->Handle(), m_text.c_str());
    }
}

void CEditUI::SetVisible(bool visible) {
    CLabelUI::SetVisible(visible);
    CloseNativeWindowIfUnusable();
}

void CEditUI::SetParentVisible(bool visible) {
    CLabelUI::SetParentVisible(visible);
    CloseNativeWindowIfUnusable();
}

void CEditUI::SetEnabled(bool enabled) {
    CLabelUI::SetEnabled(enabled);
    if (!IsEnabled()) {
        m_state = 0;
        CloseNativeWindowIfUnusable();
    }
}

void CEditUI::HandleEvent(TInputEventUI& event) {
    if (PassOnIgnoredMouseEvent(event) || TrackHotState(*this, m_state, event) ||
        HandleTextHostEvent(*this, m_window.IsOpen(), event)) {
        return;
    }
    switch (event.Kind) {
        case UIEVENT_SETFOCUS:
            if (IsEnabled()) {
                OpenNativeWindow();
                Invalidate();
            }
            break;
        case UIEVENT_BUTTONDOWN:
        case UIEVENT_DBLCLICK:
        case UIEVENT_RBUTTONDOWN: {
            if (!IsEnabled()) {
                return;
            }
            if (m_manager != nullptr) {
                m_manager->ReleaseMouse();
            }
            if (IsFocused() && !m_window.IsOpen()) {
                OpenNativeWindow();
                Invalidate();
                return;
            }
            if (m_window.IsOpen() && !m_autoSelAll) {
                // The click goes on to the native window where the text lies.
                const RECT native = ChildWindowRect();
                const POINT at{event.MousePoint.x - native.left, event.MousePoint.y - native.top};
                m_window->SendToWindow(EM_SETSEL, 0, 0);
                m_window->SendToWindow(WM_LBUTTONDOWN, event.wParam, MAKELPARAM(at.x, at.y));
            }
            return;
        }
        default:
            break;
    }
    CChildWindowHostUI::HandleEvent(event);
}

void CEditUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
    using Value = const std::wstring&;
    static constexpr auto kAttributes = MakeAttributeTable<CEditUI>({
        {L"readonly", [](CEditUI& c, Value v) { c.SetReadOnly(ParseBool(v)); }},
        {L"numberonly", [](CEditUI& c, Value v) { c.SetNumberOnly(ParseBool(v)); }},
        {L"password", [](CEditUI& c, Value v) { c.SetPasswordMode(ParseBool(v)); }},
        {L"autoselall", [](CEditUI& c, Value v) { c.SetAutoSelAll(ParseBool(v)); }},
        {L"maxchar", [](CEditUI& c, Value v) { c.SetMaxChar(ParseInt(v)); }},
        {L"normalimage", [](CEditUI& c, Value v) { c.SetNormalImage(v); }},
        {L"hotimage", [](CEditUI& c, Value v) { c.SetHotImage(v); }},
        {L"focusedimage", [](CEditUI& c, Value v) { c.SetFocusedImage(v); }},
        {L"disabledimage", [](CEditUI& c, Value v) { c.SetDisabledImage(v); }},
        {L"nativebkcolor",
         [](CEditUI& c, Value v) { c.SetNativeEditBkColor(ParseColor(v, true)); }},
        {L"spaceholder", [](CEditUI& c, Value v) { c.SetPlaceholderText(v); }},
        {L"spaceholdercolor",
         [](CEditUI& c, Value v) { c.SetPlaceholderColor(ParseColor(v, true)); }},
        {L"disabledspaceholdercolor",
         [](CEditUI& c, Value v) { c.SetDisabledPlaceholderColor(ParseColor(v, true)); }},
    });
    if (!kAttributes.Apply(*this, name, value)) {
        CLabelUI::SetAttribute(name, value);
    }
}

SIZE CEditUI::GetDesiredSize(SIZE available) {
    if (m_fixedSize.cy != 0) {
        return CLabelUI::GetDesiredSize(available);
    }
    const int fontHeight = m_manager != nullptr ? m_manager->FontHeight(m_font) : 0;
    return SIZE{m_fixedSize.cx, fontHeight + 8};
}

void CEditUI::PaintStateImage(HDC dc) {
    ImageDrawInfo* stateImage = nullptr;
    if (!IsEnabled()) {
        stateImage = &m_disabledImage;
    } else if (IsFocused()) {
        stateImage = &m_focusedImage;
    } else if ((m_state & UISTATE_HOT) != 0) {
        stateImage = &m_hotImage;
    }
    if (stateImage != nullptr && DrawImageRecord(dc, *stateImage)) {
        return;
    }
    DrawImageRecord(dc, m_normalImage);
}

void CEditUI::PaintTextLayer(HDC dc) {
    const TDefaultColorsUI colors =
        m_manager != nullptr ? m_manager->DefaultColors() : TDefaultColorsUI{};
    std::wstring shown;
    DWORD color = 0;
    if (m_text.empty()) {
        if (m_placeholder.empty()) {
            return;
        }
        shown = m_placeholder;
        color = IsEnabled() ? m_placeholderColor : m_disabledPlaceholderColor;
        if (color == 0) {
            color = colors.disabledText;
        }
    } else {
        shown = m_password ? std::wstring(m_text.size(), m_passwordChar) : m_text;
        if (IsEnabled()) {
            color = m_textColor != 0 ? m_textColor : colors.text;
        } else {
            color = m_disabledTextColor != 0 ? m_disabledTextColor : colors.disabledText;
        }
    }
    RECT rect{m_itemRect.left + m_textPadding.left, m_itemRect.top + m_textPadding.top,
              m_itemRect.right - m_textPadding.right, m_itemRect.bottom - m_textPadding.bottom};
    RenderEngine::DrawPlainText(dc, m_manager, rect, shown, color, m_font,
                                m_textStyle | DT_SINGLELINE);
}

void CEditUI::SetReadOnly(bool readOnly) {
    if (m_readOnly == readOnly) {
        return;
    }
    m_readOnly = readOnly;
    if (m_window.IsOpen()) {
        m_window->SendToWindow(EM_SETREADONLY, readOnly ? TRUE : FALSE);
    }
    Invalidate();
}

void CEditUI::SetNumberOnly(bool numberOnly) {
    if (numberOnly) {
        m_editStyle |= ES_NUMBER;
    } else {
        m_editStyle &= ~ES_NUMBER;
    }
}

void CEditUI::SetPasswordMode(bool password) {
    if (m_password == password) {
        return;
    }
    m_password = password;
    Invalidate();
}

void CEditUI::SetPasswordChar(wchar_t ch) {
    if (m_passwordChar == ch) {
        return;
    }
    m_passwordChar = ch;
    if (m_window.IsOpen() && m_password) {
        m_window->SendToWindow(EM_SETPASSWORDCHAR, ch);
    }
    Invalidate();
}

void CEditUI::SetMaxChar(int maxChar) {
    m_maxChar = maxChar;
    if (m_window.IsOpen()) {
        m_window->SendToWindow(EM_LIMITTEXT, static_cast<WPARAM>(m_maxChar));
    }
}

void CEditUI::SetPlaceholderText(const std::wstring& text) {
    m_placeholder = text;
    Invalidate();
}

void CEditUI::SetPlaceholderColor(DWORD color) {
    m_placeholderColor = color;
    Invalidate();
}

void CEditUI::SetDisabledPlaceholderColor(DWORD color) {
    m_disabledPlaceholderColor = color;
    Invalidate();
}

void CEditUI::SetNormalImage(const std::wstring& spec) {
    SetImage(m_normalImage, spec);
}

void CEditUI::SetHotImage(const std::wstring& spec) {
    SetImage(m_hotImage, spec);
}

void CEditUI::SetFocusedImage(const std::wstring& spec) {
    SetImage(m_focusedImage, spec);
}

void CEditUI::SetDisabledImage(const std::wstring& spec) {
    SetImage(m_disabledImage, spec);
}

RECT CEditUI::ChildWindowRect() {
    RECT rect{m_itemRect.left + m_textPadding.left, m_itemRect.top + m_textPadding.top,
              m_itemRect.right - m_textPadding.right, m_itemRect.bottom - m_textPadding.bottom};
    const int fontHeight = m_manager != nullptr ? m_manager->FontHeight(m_font) : 0;
    if (fontHeight < rect.bottom - rect.top) {
        rect.top += (rect.bottom - rect.top - fontHeight) / 2;
        rect.bottom = rect.top + fontHeight;
    }
    return ClipToAncestors(*this, rect);
}

void CEditUI::OpenNativeWindow() {
    if (!m_window.IsOpen()) {
        m_window.Open(*this, &CEditWnd::OpenOver);
    }
}

void CEditUI::CloseNativeWindowIfUnusable() {
    if ((!IsVisible() || !IsEnabled()) && m_window.IsOpen() && m_manager != nullptr) {
        m_manager->FocusControl(nullptr, true);
    }
}

void CEditUI::TakeNativeText(std::wstring text) {
    m_text = std::move(text);
    MeasureAgain();
}

void CEditUI::SetImage(ImageDrawInfo& record, const std::wstring& spec) {
    if (ReplaceImageSpec(record, spec)) {
        Invalidate();
    }
}

}  // namespace VantuUI
