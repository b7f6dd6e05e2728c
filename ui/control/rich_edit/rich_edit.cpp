#include "ui/control/rich_edit/rich_edit.h"

#include <string>

#include "platform/shell/debug_output.h"
#include "platform/text/text_codec.h"
#include "platform/window/window_api.h"
#include "ui/control/attribute_table.h"
#include "ui/control/attribute_values.h"
#include "ui/control/rich_edit/rich_edit_host.h"
#include "ui/core/manager/window_manager.h"

namespace VantuUI {

CRichEditUI::CRichEditUI() : m_style(ES_MULTILINE) {}

CRichEditUI::~CRichEditUI() {
    if (m_host != nullptr && m_manager != nullptr) {
        m_manager->RemoveMessageHook(this);
    }
    // The host calls back into this control while it goes.
    m_host.reset();
}

std::wstring CRichEditUI::GetClass() const {
    return L"RichEdit";
}

void* CRichEditUI::FindInterface(const std::wstring& name) {
    if (name == L"RichEdit") {
        return this;
    }
    return CContainerUI::FindInterface(name);
}

UINT CRichEditUI::GetInputFlags() {
    return IsEnabled() ? UIFLAG_SETCURSOR | UIFLAG_TABSTOP : 0;
}

void CRichEditUI::SetStyleBit(DWORD bit, bool on) {
    m_style = on ? m_style | bit : m_style & ~bit;
}

namespace {

// Each word found applies in this order: left, then center, then right.
DWORD ApplyAlignment(DWORD style, const std::wstring& words) {
    if (words.find(L"left") != std::wstring::npos) {
        style &= ~(ES_CENTER | ES_RIGHT);
    }
    if (words.find(L"center") != std::wstring::npos) {
        style = (style & ~ES_RIGHT) | ES_CENTER;
    }
    if (words.find(L"right") != std::wstring::npos) {
        style = (style & ~ES_CENTER) | ES_RIGHT;
    }
    return style;
}

}  // namespace

void CRichEditUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
    using Value = const std::wstring&;
    // The bars' own attributes are the container's too: it makes or drops them.
    static constexpr auto kAttributes = MakeAttributeTable<CRichEditUI>({
        {L"vscrollbar",
         [](CRichEditUI& c, Value v) {
             if (ParseBool(v)) {
                 c.SetStyleBit(WS_VSCROLL | ES_DISABLENOSCROLL, true);
             }
             c.CContainerUI::SetAttribute(L"vscrollbar", v);
         }},
        {L"autovscroll",
         [](CRichEditUI& c, Value v) {
             if (ParseBool(v)) {
                 c.SetStyleBit(ES_AUTOVSCROLL, true);
             }
         }},
        {L"hscrollbar",
         [](CRichEditUI& c, Value v) {
             if (ParseBool(v)) {
                 c.SetStyleBit(WS_HSCROLL | ES_DISABLENOSCROLL, true);
             }
             c.CContainerUI::SetAttribute(L"hscrollbar", v);
         }},
        {L"autohscroll",
         [](CRichEditUI& c, Value v) {
             if (ParseBool(v)) {
                 c.SetStyleBit(ES_AUTOHSCROLL, true);
             }
         }},
        {L"wanttab", [](CRichEditUI& c, Value v) { c.SetWantsTab(ParseBool(v)); }},
        {L"wantreturn", [](CRichEditUI& c, Value v) { c.SetWantsReturn(ParseBool(v)); }},
        {L"wantctrlreturn", [](CRichEditUI& c, Value v) { c.SetWantsCtrlReturn(ParseBool(v)); }},
        {L"transparent", [](CRichEditUI& c, Value v) { c.SetTransparent(ParseBool(v)); }},
        {L"rich", [](CRichEditUI& c, Value v) { c.SetRich(ParseBool(v)); }},
        {L"multiline",
         [](CRichEditUI& c, Value v) {
             if (v == L"false") {
                 c.SetStyleBit(ES_MULTILINE, false);
             }
         }},
        {L"readonly",
         [](CRichEditUI& c, Value v) {
             if (ParseBool(v)) {
                 c.SetStyleBit(ES_READONLY, true);
                 c.SetReadOnly(true);
             }
         }},
        {L"password",
         [](CRichEditUI& c, Value v) {
             if (ParseBool(v)) {
                 c.SetStyleBit(ES_PASSWORD, true);
             }
         }},
        {L"align", [](CRichEditUI& c, Value v) { c.m_style = ApplyAlignment(c.m_style, v); }},
        {L"font", [](CRichEditUI& c, Value v) { c.SetFont(ParseInt(v)); }},
        {L"textcolor", [](CRichEditUI& c, Value v) { c.SetTextColor(ParseColor(v, true)); }},
        {L"textpadding", [](CRichEditUI& c, Value v) { c.SetTextPadding(ParseRect(v)); }},
    });
    if (!kAttributes.Apply(*this, name, value)) {
        CContainerUI::SetAttribute(name, value);
    }
}

void CRichEditUI::InitHook() {
    if (m_initialised) {
        return;
    }
    m_initialised = true;
    std::string error;
    m_host = CTxtWinHost::Create(*this, m_style, error);
    if (m_host == nullptr) {
        const std::wstring reason =
            L"rich edit: " + platform::DecodeUtf8(error).value_or(L"?") + L"\n";
        OutputDebugString(reason.c_str());
        return;
    }
    // Not every text services object asks its host for the limit.
    m_host->Services().TxSendMessage(EM_EXLIMITTEXT, 0, m_limitText);
    m_host->Services().TxSetText(m_text);
    m_host->Services().OnTxInPlaceActivate();
    if (m_manager != nullptr) {
        m_manager->AddMessageHook(this);
    }
}

std::wstring CRichEditUI::GetText() const {
    return m_host != nullptr ? m_host->Services().TxGetText() : m_text;
}

void CRichEditUI::SetText(const std::wstring& text) {
    m_text = text;
    if (m_host == nullptr) {
        return;
    }
    CHARRANGE all{0, -1};
    m_host->Services().TxSendMessage(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&all));
    m_host->Services().TxSendMessage(EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

void CRichEditUI::SetEnabled(bool enabled) {
    CContainerUI::SetEnabled(enabled);
    Invalidate();
}

void CRichEditUI::SetRich(bool rich) {
    m_rich = rich;
    if (m_host != nullptr) {
        m_host->SetRich(rich);
        m_host->PropertyChanged(TXTBIT_RICHTEXT);
    }
}

// The system's text services take the new style without asking for a
// repaint: the control asks for it.
void CRichEditUI::SetTransparent(bool transparent) {
    m_transparent = transparent;
    if (m_host != nullptr) {
        m_host->PropertyChanged(TXTBIT_BACKSTYLECHANGE);
    }
    Invalidate();
}

void CRichEditUI::SetReadOnly(bool readOnly) {
    m_readOnly = readOnly;
    if (m_host != nullptr) {
        m_host->Services().TxSendMessage(EM_SETREADONLY, readOnly ? TRUE : FALSE, 0);
    }
}

void CRichEditUI::SetFont(int id) {
    m_font = id;
    if (m_host != nullptr) {
        m_host->PropertyChanged(TXTBIT_CHARFORMATCHANGE);
    }
}

void CRichEditUI::SetTextColor(DWORD color) {
    m_textColor = color;
    if (m_host != nullptr) {
        m_host->PropertyChanged(TXTBIT_CHARFORMATCHANGE);
    }
}

void CRichEditUI::SetLimitText(int limit) {
    m_limitText = limit;
    if (m_host != nullptr) {
        m_host->Services().TxSendMessage(EM_EXLIMITTEXT, 0, limit);
    }
}

void CRichEditUI::SetTextPadding(RECT padding) {
    m_textPadding = padding;
    if (m_host != nullptr) {
        UpdateHostClientRect();
    }
    Invalidate();
}

// Return reaches the text only when wanted (Ctrl+Return when that is wanted
// too); otherwise it is the control's "return".
LRESULT CRichEditUI::SendToTextServices(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_host == nullptr) {
        return 1;
    }
    const bool returnKey = message == WM_KEYDOWN && wParam == VK_RETURN;
    // The system's text services type Return from the character the key
    // makes (Ctrl+Return makes "\n"): an unwanted Return must not reach them
    // that way either.
    const bool returnCharacter = message == WM_CHAR && (wParam == L'\r' || wParam == L'\n');
    if (returnKey || returnCharacter) {
        const bool control = GetKeyState(VK_CONTROL) < 0;
        if (!m_wantReturn || (control && !m_wantCtrlReturn)) {
            if (returnKey && m_manager != nullptr) {
                m_manager->RaiseNotification(this, L"return", 0, 0, false, true);
            }
            return 0;
        }
    }
    return m_host->Services().TxSendMessage(message, wParam, lParam);
}

bool CRichEditUI::OnTextViewChanged() {
    return true;
}

void CRichEditUI::OnTextNotify(DWORD code, void* data) {
    if (m_manager == nullptr) {
        return;
    }
    if (code == EN_CHANGE) {
        m_manager->RaiseNotification(this, L"textchanged", 0, 0, false, true);
        return;
    }
    if (code >= 0x700 && code <= 0x70C) {
        NMHDR header{};
        header.hwndFrom = m_manager->WindowHandle();
        header.idFrom = static_cast<UINT_PTR>(GetWindowLongPtr(header.hwndFrom, GWLP_ID));
        header.code = code;
        (void)data;
        SendMessage(header.hwndFrom, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
    }
}

}  // namespace VantuUI
